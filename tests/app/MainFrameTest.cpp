#include "app/MainFrame.h"
#include "WidgetTestSupport.h"
#include "app/ChildFrame.h"
#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/ZelView.h"
#include "framework/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

QStringList MenuTitles(CMainFrame& frame)
{
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions()) {
        titles << action->text();
    }
    return titles;
}

// Answers every save question with No, so closing never blocks a test.
void DiscardOnClose(CMainFrame& frame)
{
    frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
}

TEST(MainFrame, NewDocumentIsGraph1WithTheGraphMenu)
{
    CMainFrame frame;
    DiscardOnClose(frame);
    EXPECT_EQ(frame.CurrentMenuId(), 128);
    EXPECT_EQ(MenuTitles(frame), (QStringList{"&Datei", "&Ansicht", "&?"}));

    CGraphDocument* document = frame.DocumentManager()->NewDocument();
    EXPECT_EQ(document->GetTitle(), "Graph1");
    EXPECT_EQ(frame.CurrentMenuId(), 129);
    EXPECT_EQ(MenuTitles(frame),
              (QStringList{"&Datei", "&Bearbeiten", "Da&ten", "Dis&kussion", "&Ansicht", "&Fenster", "&?"}));
    EXPECT_EQ(frame.DocumentManager()->NewDocument()->GetTitle(), "Graph2");

    frame.DocumentManager()->CloseAllDocuments();
    QApplication::processEvents();
    EXPECT_EQ(frame.CurrentMenuId(), 128);
}

TEST(MainFrame, UndoFollowsTheDocument)
{
    CMainFrame frame;
    DiscardOnClose(frame);
    CGraphDocument* document = frame.DocumentManager()->NewDocument();
    QAction* undo = frame.Action(ID_EDIT_UNDO);
    EXPECT_FALSE(undo->isEnabled());

    CGraphFunction f;
    f.SetTerm("x");
    document->Edit(QString{}, [&f](CZelDoc& model) { model.SetFunctions({f}); });
    document->NotifyChanged();
    EXPECT_TRUE(undo->isEnabled());

    undo->trigger();
    EXPECT_TRUE(document->Model().GetFunctions().empty());
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(document->IsModified());
}

TEST(MainFrame, ToolbarTogglesHideTheirOwnBar)
{
    CMainFrame frame;
    frame.show();
    struct
    {
        int id;
        QToolBar* bar;
        QToolBar* other;
    } cases[] = {
        {ID_VIEW_TOOLBAR, frame.StandardBar(), frame.FunctionBar()},
        {ID_VIEW_FUNCTION_BAR, frame.FunctionBar(), frame.StandardBar()},
    };
    for (const auto& c : cases) {
        QAction* toggle = frame.Action(c.id);
        EXPECT_TRUE(toggle->isChecked());
        toggle->trigger();
        EXPECT_TRUE(c.bar->isHidden()) << c.id;
        EXPECT_FALSE(c.other->isHidden()) << c.id;
        EXPECT_FALSE(toggle->isChecked()) << c.id;
        toggle->trigger();
        EXPECT_FALSE(c.bar->isHidden()) << c.id;
        EXPECT_TRUE(toggle->isChecked()) << c.id;
    }
    QAction* statusToggle = frame.Action(ID_VIEW_STATUS_BAR);
    statusToggle->trigger();
    EXPECT_TRUE(frame.statusBar()->isHidden());
    statusToggle->trigger();
    EXPECT_FALSE(frame.statusBar()->isHidden());
}

TEST(MainFrame, ToolbarsAndTheirCaptions)
{
    CMainFrame frame;
    EXPECT_EQ(frame.StandardBar()->windowTitle(), "Standard");
    EXPECT_EQ(frame.FunctionBar()->windowTitle(), "Funktionen");
    EXPECT_EQ(frame.toolBarArea(frame.StandardBar()), Qt::TopToolBarArea);
    EXPECT_EQ(frame.toolBarArea(frame.FunctionBar()), Qt::LeftToolBarArea);
    EXPECT_EQ(frame.FunctionBar()->allowedAreas(), Qt::AllToolBarAreas);

    QStringList tips;
    for (QAction* action : frame.FunctionBar()->actions()) {
        tips << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
    }
    EXPECT_EQ(tips,
              (QStringList{"Neu zeichnen", "|", "Funktionen bearbeiten", "Objekte bearbeiten",
                           "Skalierung bearbeiten", "|", "Wertetabelle anzeigen", "Nullstellen anzeigen",
                           "Extremwerte anzeigen", "Wendestellen anzeigen", "Monotonie anzeigen"}));
    tips.clear();
    for (QAction* action : frame.StandardBar()->actions()) {
        tips << (action->isSeparator() ? QStringLiteral("|") : action->toolTip());
    }
    EXPECT_EQ(tips, (QStringList{"Neu", "Öffnen", "Speichern", "|", "Rückgängig", "Kopieren", "|", "Drucken",
                                 "|", "Tip des Tages", "Hilfe", "Info"}));
}

TEST(MainFrame, StatusPromptOfThePointedCommandAndTheIdleText)
{
    CMainFrame frame;
    frame.show();
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Drücken Sie F1, um Hilfe zu erhalten.");
    frame.Action(ID_ZEROS)->showStatusText(&frame);
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Zeigt die Nullstellen einer Funktion an.");
    frame.statusBar()->clearMessage();
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Drücken Sie F1, um Hilfe zu erhalten.");

    QStringList indicators;
    for (const char* name : {"ID_59137", "ID_59138", "ID_59139"}) {
        auto* pane = frame.statusBar()->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(pane, nullptr) << name;
        indicators << pane->text();
    }
    EXPECT_EQ(indicators, (QStringList{"UF", "NUM", "RF"}));
}

TEST(MainFrame, MenuEntriesCarryTheirTextsAndAccelerators)
{
    CMainFrame frame;
    const struct
    {
        int id;
        const char* text;
        QList<QKeySequence> keys;
    } cases[] = {
        {ID_FILE_NEW, "&Neu\tStrg+N", {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {ID_FILE_SAVE, "S&peichern\tStrg+S", {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {ID_EDIT_UNDO,
         "&Rückgängig\tStrg+Z",
         {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}},
        {ID_EDIT_COPY,
         "&Kopieren\tStrg+C",
         {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}},
        {ID_EDIT_FUNCTIONS, "&Funktionen...\tStrg+F", {QKeySequence(Qt::CTRL | Qt::Key_F)}},
        {ID_EDIT_OBJECTS, "&Objekte...\tStrg+B", {QKeySequence(Qt::CTRL | Qt::Key_B)}},
        {ID_EDIT_SCALING, "&Skalierung...\tStrg+K", {QKeySequence(Qt::CTRL | Qt::Key_K)}},
        {ID_WINDOW_ARRANGE, "&Symbole anordnen", {}},
        {ID_REDRAW, "&Neu zeichnen", {}},
        {ID_APP_EXIT, "&Beenden\tStrg+Q", {QKeySequence(Qt::CTRL | Qt::Key_Q)}},
    };
    for (const auto& c : cases) {
        QAction* action = frame.Action(c.id);
        ASSERT_NE(action, nullptr) << c.id;
        EXPECT_EQ(action->text(), QString::fromUtf8(c.text)) << c.id;
        EXPECT_EQ(action->shortcuts(), c.keys) << c.id;
    }
}

TEST(MainFrame, EditingCommandsOfAGraphWindowAreEnabled)
{
    CMainFrame frame;
    DiscardOnClose(frame);
    frame.DocumentManager()->NewDocument();
    for (int id : {ID_REDRAW, ID_FILE_SAVE, ID_WINDOW_NEW, ID_FILE_NEW, ID_EDIT_FUNCTIONS, ID_PROPERTIES,
                   ID_EDIT_OBJECTS, ID_EDIT_SCALING}) {
        EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;
    }
}

// Counts the paints of a view.
class PaintCounter : public QObject
{
public:
    int paints{0};
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

TEST(MainFrame, SecondWindowOnADocumentRepaintsOnlyWhenAsked)
{
    CMainFrame frame;
    DiscardOnClose(frame);
    frame.show();
    CGraphDocument* document = frame.DocumentManager()->NewDocument();
    frame.Action(ID_WINDOW_NEW)->trigger();
    ASSERT_EQ(document->Views().size(), 2);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 2);
    QApplication::processEvents();
    CZelView* first = document->Views().at(0);
    CZelView* second = document->Views().at(1);
    EXPECT_EQ(qobject_cast<QMdiSubWindow*>(second->parentWidget())->windowTitle(), "Graph1:2[*]");

    frame.ActivateView(first);
    QApplication::processEvents();

    PaintCounter firstPaints;
    PaintCounter secondPaints;
    first->installEventFilter(&firstPaints);
    second->installEventFilter(&secondPaints);
    CGraphFunction f;
    f.SetTerm("x");
    document->Model().SetFunctions({f});
    first->OnCommand(ID_REDRAW);
    EXPECT_GE(firstPaints.paints, 1);
    EXPECT_EQ(secondPaints.paints, 0);
}

TEST(MainFrame, ClosingTheLastWindowClosesTheDocument)
{
    CMainFrame frame;
    DiscardOnClose(frame);
    CGraphDocument* document = frame.DocumentManager()->NewDocument();
    frame.Action(ID_WINDOW_NEW)->trigger();
    frame.MdiArea()->subWindowList().first()->close();
    QApplication::processEvents();
    EXPECT_EQ(frame.DocumentManager()->Documents().size(), 1);
    EXPECT_EQ(document->Views().size(), 1);
    frame.MdiArea()->subWindowList().first()->close();
    QApplication::processEvents();
    EXPECT_TRUE(frame.DocumentManager()->Documents().isEmpty());
}

} // namespace

// The window opens as it was closed: the size the user gave it, not the first start's.
TEST(MainFrame, OpensAtTheSizeItWasClosedWith)
{
    UseFreshSettings();
    for (const QSize size : {QSize{700, 500}, QSize{1100, 640}}) {
        {
            CMainFrame frame;
            frame.show();
            frame.resize(size);
            ASSERT_TRUE(frame.close());
        }
        CMainFrame again;
        EXPECT_EQ(again.size(), size);
    }
}
