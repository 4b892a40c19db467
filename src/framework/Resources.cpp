#include "framework/Resources.h"

#include "ProductInfo.h"

#include "framework/CommandIds.h"

#include "analysis/AnalysisTable.h"

#include <QHash>

namespace {

// The prompts of the analyses' commands come with the analyses.
QHash<int, QString> WithAnalysisPrompts(QHash<int, QString> texts)
{
    for (const SAnalysis& analysis : Analyses()) {
        if (analysis.command != 0) {
            texts.insert(analysis.command, QString::fromUtf8(analysis.prompt));
        }
    }
    return texts;
}

// The entries of the analyses that have one, in a menu's spelling, then the given ones.
std::vector<SMenuItem> AnalysisItems(const char* SAnalysis::*text, std::vector<SMenuItem> after = {})
{
    std::vector<SMenuItem> items;
    for (const SAnalysis& analysis : Analyses()) {
        if (analysis.command != 0 && analysis.*text != nullptr) {
            items.push_back({analysis.command, analysis.*text});
        }
    }
    items.insert(items.end(), after.begin(), after.end());
    return items;
}

const QHash<int, QString>& StringTable()
{
    static const QHash<int, QString> table = WithAnalysisPrompts({
        {IDS_COMPANY, QStringLiteral(VEX_COMPANY_NAME)},
        {IDS_TIP_HEADING, QStringLiteral("Wußten Sie schon...")},
        {IDS_TIP_FILE_MISSING, QStringLiteral("Die Tipdatei wurde nicht gefunden")},
        {IDS_TIP_READ_ERROR, QStringLiteral("Fehler beim Lesen der Tipdatei")},
        {IDS_TIP_FILE_EMPTY, QStringLiteral("Die Tipdatei enthält keinen Tip")},
        {IDS_OPTIONS_CAPTION, QStringLiteral("Optionen")},
        {IDR_MAINFRAME, QStringLiteral(VEX_PRODUCT_NAME)},
        {IDR_GRAPHTYPE,
         QStringLiteral("\nGraph\nGraph\nFunktions-Graphen (*.zel)\n.ZEL\nZel.Graph\nFunktions-Graph")},
        {IDS_APP_TITLE, QStringLiteral(VEX_PRODUCT_NAME)},
        {IDS_IDLE_MESSAGE, QStringLiteral("Drücken Sie F1, um Hilfe zu erhalten.")},
        {ID_INDICATOR_CAPS, QStringLiteral("UF")},
        {ID_INDICATOR_NUM, QStringLiteral("NUM")},
        {ID_INDICATOR_SCRL, QStringLiteral("RF")},

        {ID_TIP_OF_THE_DAY,
         QStringLiteral(
             "Zeigt einen täglich wechselnden Tip zur Benutzung des Programms an.\nTip des Tages")},
        {ID_OPTIONS,
         QStringLiteral("Öffnet ein Fenster zum Bearbeiten der Programmoptionen.\nOptionen bearbeiten")},
        {ID_EDIT_FUNCTIONS, QStringLiteral("Bearbeitet die Funktionen des Graphen.\nFunktionen bearbeiten")},
        {ID_EDIT_SCALING, QStringLiteral("Bearbeitet die Skalierung des Graphen.\nSkalierung bearbeiten")},
        {ID_REDRAW, QStringLiteral("Zeichnet den Funktions-Graph neu.\nNeu zeichnen")},
        {ID_VIEW_FUNCTION_BAR,
         QStringLiteral("Blendet die Funktionsleiste ein oder aus.\nFunktionsleiste ein/aus")},
        {ID_PROPERTIES, QStringLiteral("Bearbeitet die Eigenschaften des Graphen.\nEigenschaften anzeigen")},
        {ID_EDIT_OBJECTS, QStringLiteral("Bearbeitet die Objekte des Graphen.\nObjekte bearbeiten")},

        {ID_FILE_NEW, QStringLiteral("Erstellt ein neues Dokument.\nNeu")},
        {ID_FILE_OPEN, QStringLiteral("Öffnet ein bestehendes Dokument.\nÖffnen")},
        {ID_FILE_CLOSE, QStringLiteral("Schließt das aktive Dokument.\nSchließen")},
        {ID_FILE_SAVE, QStringLiteral("Speichert das aktive Dokument.\nSpeichern")},
        {ID_FILE_SAVE_AS,
         QStringLiteral("Speichert das aktive Dokument unter einem neuen Namen.\nSpeichern unter")},
        {ID_FILE_EXPORT,
         QStringLiteral("Speichert den Graphen als PNG-Bild, SVG-Zeichnung oder PDF-Dokument.\nExportieren")},
        {ID_FILE_PRINT_SETUP, QStringLiteral("Ändert die Drucker- und Druckoptionen.\nDruckereinrichtung")},
        {ID_FILE_PRINT, QStringLiteral("Druckt das aktive Dokument.\nDrucken")},
        {ID_FILE_PRINT_DIRECT, QStringLiteral("Druckt das aktive Dokument ohne Rückfrage.\nDrucken")},
        {ID_FILE_PRINT_PREVIEW, QStringLiteral("Zeigt die ganze Seite an.\nSeitenansicht")},
        {ID_FILE_SEND_MAIL,
         QStringLiteral("Versendet das aktive Dokument mittels elektronischer Post.\nNachricht senden")},
        {ID_FILE_MRU_FILE1, QStringLiteral("Öffnet dieses Dokument.")},
        {ID_FILE_MRU_FILE1 + 1, QStringLiteral("Öffnet dieses Dokument.")},
        {ID_FILE_MRU_FILE1 + 2, QStringLiteral("Öffnet dieses Dokument.")},
        {ID_FILE_MRU_FILE1 + 3, QStringLiteral("Öffnet dieses Dokument.")},
        {ID_EDIT_COPY, QStringLiteral("Kopiert den Graphen in die Zwischenablage.\nKopieren")},
        {ID_EDIT_UNDO, QStringLiteral("Macht die letzte Änderung rückgängig.\nRückgängig")},
        {ID_EDIT_REDO,
         QStringLiteral("Stellt die zuletzt rückgängig gemachte Änderung wieder her.\nWiederholen")},
        {ID_VIEW_STANDARD,
         QStringLiteral("Zeigt wieder den Bereich von -5 bis 5 auf beiden Achsen.\nStandardansicht")},
        {ID_VIEW_TRACE,
         QStringLiteral(
             "Setzt eine Marke auf eine Kurve, die mit den Pfeiltasten verschoben wird.\nKurve verfolgen")},
        {ID_VIEW_SLIDER,
         QStringLiteral("Zeigt unter dem Graphen einen Schieberegler für die Scharkonstante k oder blendet ihn "
                        "aus.\nSchieberegler")},
        {ID_WINDOW_NEW,
         QStringLiteral("Öffnet ein weiteres Fenster für das aktive Dokument.\nNeues Fenster")},
        {ID_WINDOW_ARRANGE, QStringLiteral("Ordnet Symbole am unteren Fensterrand an.\nSymbole anordnen")},
        {ID_WINDOW_CASCADE, QStringLiteral("Ordnet Fenster überlappend an.\nÜberlappend")},
        {ID_WINDOW_TILE, QStringLiteral("Ordnet Fenster als nicht überlappende Teile an.\nNebeneinander")},
        {ID_APP_ABOUT, QStringLiteral("Zeigt Programminformationen, Versionsnummer und Copyright an.\nInfo")},
        {ID_APP_EXIT,
         QStringLiteral("Beendet das Programm; fragt, ob Dokumente gespeichert werden sollen.\nBeenden")},
        {ID_HELP_FINDER, QStringLiteral("Listet die Hilfethemen auf.\nHilfethemen")},
        {ID_DEFAULT_HELP, QStringLiteral("Listet die Hilfethemen auf.\nHilfethemen")},
        {ID_CONTEXT_HELP,
         QStringLiteral("Zeigt Hilfe zu angeklickten Schaltflächen, Menüs und Fenstern an.\nHilfe")},
        {ID_HELP, QStringLiteral("Zeigt Hilfe zur aktuellen Aufgabe oder zum aktuellen Befehl an.\nHilfe")},
        {ID_NEXT_PANE, QStringLiteral("Wechselt zum nächsten Fensterausschnitt.\nNächster Ausschnitt")},
        {ID_PREV_PANE, QStringLiteral("Wechselt zum vorherigen Fensterausschnitt.\nVorheriger Ausschnitt")},
        {ID_VIEW_TOOLBAR, QStringLiteral("Blendet die Symbolleiste ein oder aus.\nSymbolleiste ein/aus")},
        {ID_VIEW_STATUS_BAR, QStringLiteral("Blendet die Statusleiste ein oder aus.\nStatusleiste ein/aus")},
    });
    return table;
}

} // namespace

QString LoadString(int id)
{
    return StringTable().value(id);
}

QString StatusPrompt(int commandId)
{
    return LoadString(commandId).section(QLatin1Char('\n'), 0, 0);
}

QString ToolTipText(int commandId)
{
    return LoadString(commandId).section(QLatin1Char('\n'), 1, 1);
}

const std::vector<SMenuPopup>& MainFrameMenu()
{
    static const std::vector<SMenuPopup> menu{
        {"&Datei",
         {{ID_FILE_NEW, "&Neu\tStrg+N"},
          {ID_FILE_OPEN, "Ö&ffnen...\tStrg+O"},
          {0, nullptr},
          {ID_FILE_PRINT_SETUP, "Drucker&einrichtung..."},
          {0, nullptr},
          {ID_FILE_MRU_FILE1, "Letzte Datei"},
          {0, nullptr},
          {ID_APP_EXIT, "&Beenden\tStrg+Q"}}},
        {"&Ansicht",
         {{ID_VIEW_TOOLBAR, "&Symbolleiste"},
          {ID_VIEW_FUNCTION_BAR, "&Funktionsleiste"},
          {ID_VIEW_STATUS_BAR, "S&tatusleiste"},
          {0, nullptr},
          {ID_OPTIONS, "&Optionen..."}}},
        {"&?",
         {{ID_HELP_FINDER, "&Hilfethemen"},
          {0, nullptr},
          {ID_TIP_OF_THE_DAY, "&Tip des Tages..."},
          {0, nullptr},
          {ID_APP_ABOUT, "Inf&o über..."}}},
    };
    return menu;
}

const std::vector<SMenuPopup>& GraphMenu()
{
    static const std::vector<SMenuPopup> menu{
        {"&Datei",
         {{ID_FILE_NEW, "&Neu\tStrg+N"},
          {ID_FILE_OPEN, "Ö&ffnen...\tStrg+O"},
          {ID_FILE_CLOSE, "&Schließen"},
          {ID_FILE_SAVE, "S&peichern\tStrg+S"},
          {ID_FILE_SAVE_AS, "Speichern &unter..."},
          {ID_FILE_EXPORT, "E&xportieren..."},
          {0, nullptr},
          {ID_FILE_PRINT, "&Drucken...\tStrg+P"},
          {ID_FILE_PRINT_PREVIEW, "Sei&tenansicht"},
          {ID_FILE_PRINT_SETUP, "Drucker&einrichtung..."},
          {0, nullptr},
          {ID_FILE_SEND_MAIL, "Na&chricht senden..."},
          {0, nullptr},
          {ID_FILE_MRU_FILE1, "Letzte Datei"},
          {0, nullptr},
          {ID_APP_EXIT, "&Beenden\tStrg+Q"}}},
        {"&Bearbeiten",
         {{ID_EDIT_UNDO, "&Rückgängig\tStrg+Z"},
          {ID_EDIT_REDO, "&Wiederholen\tStrg+Y"},
          {0, nullptr},
          {ID_EDIT_COPY, "&Kopieren\tStrg+C"}}},
        {"Da&ten",
         {{ID_EDIT_FUNCTIONS, "&Funktionen...\tStrg+F"},
          {ID_EDIT_OBJECTS, "&Objekte...\tStrg+B"},
          {ID_EDIT_SCALING, "&Skalierung...\tStrg+K"}}},
        {"Dis&kussion", AnalysisItems(&SAnalysis::menuText)},
        {"&Ansicht",
         {{ID_VIEW_TOOLBAR, "&Symbolleiste"},
          {ID_VIEW_FUNCTION_BAR, "&Funktionsleiste"},
          {ID_VIEW_STATUS_BAR, "S&tatusleiste"},
          {0, nullptr},
          {ID_REDRAW, "&Neu zeichnen"},
          {ID_VIEW_STANDARD, "Standard&ansicht"},
          {ID_VIEW_TRACE, "Kurve &verfolgen"},
          {ID_VIEW_SLIDER, "Schiebe&regler"},
          {0, nullptr},
          {ID_OPTIONS, "&Optionen..."}}},
        {"&Fenster",
         {{ID_WINDOW_NEW, "Neues &Fenster"},
          {ID_WINDOW_CASCADE, "Über&lappend"},
          {ID_WINDOW_TILE, "&Nebeneinander"},
          {ID_WINDOW_ARRANGE, "&Symbole anordnen"}}},
        {"&?",
         {{ID_HELP_FINDER, "&Hilfethemen"},
          {0, nullptr},
          {ID_TIP_OF_THE_DAY, "&Tip des Tages..."},
          {0, nullptr},
          {ID_APP_ABOUT, "Inf&o über..."}}},
    };
    return menu;
}

const SMenuPopup& ViewContextMenu()
{
    static const SMenuPopup popup{
        "&Popup", AnalysisItems(&SAnalysis::contextMenuText, {{0, nullptr},
                                                              {ID_REDRAW, "Neu &zeichnen"},
                                                              {0, nullptr},
                                                              {ID_PROPERTIES, "&Eigenschaften..."}})};
    return popup;
}

const std::vector<int>& StandardToolBar()
{
    static const std::vector<int> bar{
        ID_FILE_NEW,       ID_FILE_OPEN,    ID_FILE_SAVE, 0, ID_EDIT_UNDO, ID_EDIT_COPY, 0, ID_FILE_PRINT, 0,
        ID_TIP_OF_THE_DAY, ID_CONTEXT_HELP, ID_APP_ABOUT};
    return bar;
}

const std::vector<int>& FunctionToolBar()
{
    static const std::vector<int> bar{
        ID_REDRAW,      0,        ID_EDIT_FUNCTIONS, ID_EDIT_OBJECTS, ID_EDIT_SCALING, 0,
        ID_VALUE_TABLE, ID_ZEROS, ID_EXTREMA,        ID_INFLECTIONS,  ID_MONOTONY};
    return bar;
}

QList<QKeySequence> Accelerators(int commandId)
{
    switch (commandId) {
    case ID_FILE_NEW:
        return {QKeySequence(Qt::CTRL | Qt::Key_N)};
    case ID_FILE_OPEN:
        return {QKeySequence(Qt::CTRL | Qt::Key_O)};
    case ID_FILE_SAVE:
        return {QKeySequence(Qt::CTRL | Qt::Key_S)};
    case ID_FILE_PRINT:
        return {QKeySequence(Qt::CTRL | Qt::Key_P)};
    case ID_EDIT_UNDO:
        return {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)};
    case ID_EDIT_REDO:
        return {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
    case ID_EDIT_COPY:
        return {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)};
    case ID_EDIT_FUNCTIONS:
        return {QKeySequence(Qt::CTRL | Qt::Key_F)};
    case ID_EDIT_OBJECTS:
        return {QKeySequence(Qt::CTRL | Qt::Key_B)};
    case ID_EDIT_SCALING:
        return {QKeySequence(Qt::CTRL | Qt::Key_K)};
    case ID_APP_EXIT:
        return {QKeySequence(Qt::CTRL | Qt::Key_Q)};
    case ID_HELP:
        return {QKeySequence(Qt::Key_F1)};
    case ID_CONTEXT_HELP:
        return {QKeySequence(Qt::SHIFT | Qt::Key_F1)};
    case ID_NEXT_PANE:
        return {QKeySequence(Qt::Key_F6)};
    case ID_PREV_PANE:
        return {QKeySequence(Qt::SHIFT | Qt::Key_F6)};
    default:
        return {};
    }
}

QString DocumentTypeField(int index)
{
    return LoadString(IDR_GRAPHTYPE).section(QLatin1Char('\n'), index, index);
}
