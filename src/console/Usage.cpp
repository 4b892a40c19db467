#include "console/Usage.h"

#include "ProductInfo.h"

#include "analysis/AnalysisTable.h"

#include <algorithm>
#include <array>
#include <deque>
#include <utility>
#include <vector>

namespace {

// The forms before and after those of the analyses with inputs of their own.
constexpr std::array kLeadingForms{
    SUsageForm{"vexplot [DATEI]",
               "Öffnet das Programmfenster mit einem neuen Graphen oder mit DATEI, einem Funktions-Graphen "
               "(*.zel). Das Fenster braucht eine Anzeige; ohne eine startet es mit xvfb-run -a vexplot."},
    SUsageForm{"vexplot --export AUSGABE DATEI [--size BxH[cm] [--dpi N]]",
               "Zeichnet den Graphen aus DATEI in AUSGABE, genau wie im Fenster und beim Drucken. Statt "
               "DATEI gehen auch --term und --family, ebenso --decimal-comma. Braucht keine Anzeige."},
    SUsageForm{"vexplot --discuss ANALYSE DATEI [OPTIONEN]",
               "Gibt die Zeilen einer Kurvendiskussion auf der Standardausgabe aus, wie sie das "
               "Diskussionsfenster zeigt. OPTIONEN sind --function N, --precision P, --raster, --digits D "
               "und --decimal-comma. Statt DATEI gehen auch --term TERM und --family VON:BIS:SCHRITT. "
               "Braucht keine Anzeige."},
};
constexpr std::array kTrailingForms{
    SUsageForm{"vexplot --sheet ZIEL.pdf DATEI [OPTIONEN]",
               "Schreibt das Ergebnisblatt der ganzen Kurvendiskussion (wie --discuss all) als PDF auf "
               "A4: Term und Kommentar als Überschrift, den Graphen in seiner Druckgröße und darunter die "
               "Zeilen, als Text, der sich durchsuchen lässt. OPTIONEN sind --function N, --precision P, "
               "--digits D und --decimal-comma; statt DATEI gehen --term und --family. Braucht keine "
               "Anzeige."},
    SUsageForm{"vexplot --help | --version", "Zeigt diese Hilfe oder die Version. Braucht keine Anzeige."},
};

constexpr std::array kLeadingOptions{
    SUsageEntry{"--export AUSGABE",
                "Die Zieldatei; ihre Endung wählt das Format: .png (Bild), .svg (Vektorgrafik) oder .pdf "
                "(eine A4-Seite in der Druckgröße des Graphen)."},
    SUsageEntry{"--size BxH", "Breite und Höhe von Bild oder Vektorgrafik in Pixeln, je 1 bis 16384, "
                              "etwa 1024x768. Ohne die Option: 800x600."},
    SUsageEntry{"--size BxHcm", "Breite und Höhe in Zentimetern, etwa 12x8cm oder 12,5x8.5cm: eine "
                                "Vektorgrafik trägt ihre Größe in cm, ein Bild bekommt so viele Pixel, wie "
                                "die Auflösung auf die Zentimeter legt (je Seite höchstens 16384). Linien, "
                                "Punktkreuze und Schrift haben dann auf Papier ihre Größe."},
    SUsageEntry{"--dpi N", "Die Auflösung zu einer Größe in cm, von 72 bis 2400. Ohne die Option: 300."},
};
// After "--discuss ANALYSE", which names every analysis.
constexpr std::array kTrailingOptions{
    SUsageEntry{"--function N", "Die Nummer der diskutierten Funktion, ab 1. Ohne die Option: die erste. Nach den "
                                "Funktionen zählen die gezeichneten Ableitungen und Stammfunktionen der Datei "
                                "weiter, in ihrer Reihenfolge: so lässt sich auch f', f'' oder F diskutieren."},
    SUsageEntry{"--with M", "Die zweite Funktion, ab 1: für intersections nötig, für integral wahlweise "
                            "(dann wird N minus M integriert)."},
    SUsageEntry{
        "--at X0",
        "Die Stelle der Tangente, eine Zahl wie 1.5 oder 1,5 oder ein Ausdruck wie pi/2; für tangent nötig."},
    SUsageEntry{"--from A, --to B",
                "Die Grenzen des Integrals, Zahlen oder Ausdrücke wie -sqrt(6). Ohne die Optionen: "
                "die Enden der x-Achse des Graphen."},
    SUsageEntry{"--of extrema|inflections", "Für locus: die Ortskurve der Extrema (ohne die Option) oder der "
                                            "Wendepunkte. Sie braucht eine Funktion mit Scharkonstante."},
    SUsageEntry{"--precision P", "Die Rechengenauigkeit von 1 bis 10. Ohne die Option: die in den "
                                 "Optionen des Programms eingestellte (anfangs 3)."},
    SUsageEntry{"--raster", "Die Rasterrechnung statt der genauen Werte: jeder Rechenschritt, dessen Wert nahe 0 "
                            "liegt, gibt eine eigene Zeile, nach den Buchstabenregeln der Ableitungen. Ohne die "
                            "Option zerlegt die Diskussion die x-Achse dort, wo f nicht definiert ist oder springt, "
                            "und gibt jeden Punkt einmal, auf die volle Rechengenauigkeit verfeinert: Extrema nur "
                            "bei einem Vorzeichenwechsel von f', Wendepunkte bei einem von f''."},
    SUsageEntry{"--exact", "Genaue Werte; so rechnet die Diskussion ohne --raster ohnehin."},
    SUsageEntry{"--digits D", "Zeigt jede Zahl mit höchstens D Nachkommastellen, D von 1 bis 15; Nullen am "
                              "Ende entfallen. Ohne die Option: 5."},
    SUsageEntry{"--term TERM", "Ein Term in Schulschreibweise statt einer Datei, etwa \"x²-2\" oder "
                               "\"0,5x^3-2x\"; mehrmals angegeben, mehrere Funktionen, gezählt ab 1. "
                               "Gezeichnet und diskutiert wird auf der Achseinteilung eines neuen Graphen."},
    SUsageEntry{"--family VON:BIS:SCHRITT", "Die Scharkonstante k aller Terme von --term läuft von VON bis "
                                            "BIS in Schritten von SCHRITT, etwa 0:2:0,5 oder -pi:pi:pi/4."},
    SUsageEntry{"--decimal-comma", "Schreibt jede Zahl mit dem Dezimalkomma statt dem Punkt: 1,5 statt "
                                   "1.5. Terme in Gleichungen (Tangente: y = ...) behalten den Punkt. "
                                   "Im Fenster: Ansicht, Optionen, Allgemein, Dezimalkomma."},
    SUsageEntry{"-h, --help", "Zeigt diese Hilfe."},
    SUsageEntry{"-v, --version", "Zeigt Programmname und Version."},
};

constexpr std::array kExitCodes{
    SUsageEntry{"0", "Erfolg."},
    SUsageEntry{"1", "Eine Datei ließ sich nicht lesen oder nicht schreiben, oder das Fenster ließ sich "
                     "nicht öffnen, weil keine Anzeige erreichbar ist."},
    SUsageEntry{"2", "Falscher Aufruf: eine fehlende, unbekannte oder ungültige Angabe."},
};

constexpr std::array kEnvironment{
    SUsageEntry{"DISPLAY, WAYLAND_DISPLAY", "Die Anzeige, auf der das Fenster erscheint. Ist keine von "
                                            "beiden gesetzt, startet das Fenster nicht."},
    SUsageEntry{"QT_QPA_PLATFORM", "Wählt die Anzeige-Anbindung selbst, etwa offscreen oder xcb; dann wird "
                                   "DISPLAY nicht geprüft."},
};

constexpr std::array kFiles{
    SUsageEntry{"~/.config/" VEX_COMPANY_NAME "/" VEX_PRODUCT_NAME ".conf", "Die Einstellungen."},
    SUsageEntry{"tips.txt", "Die Tipps des Tages; gesucht im aktuellen Verzeichnis, neben dem Programm und "
                            "in share/vexplot/ der Installation (etwa /usr/share/vexplot/tips.txt)."},
};

constexpr const char* kProgram = "vexplot";
constexpr const char* kPurpose = "zeichnet Funktionsgraphen und diskutiert Kurven";
constexpr const char* kIntroduction = VEX_PRODUCT_NAME
    " zeichnet die Graphen von Termen in x, auch mit einer Scharkonstante k, mit "
    "Achsen, Beschriftung und Gitter, setzt Punkte und senkrechte Linien und diskutiert eine "
    "Funktion numerisch: ";

// The description with the analyses filled in. The entries point into `texts`, which moves
// nothing it holds when it grows.
struct SBuiltUsage
{
    std::deque<std::string> texts;
    std::vector<SUsageForm> forms;
    std::vector<SUsageEntry> options;
    SUsage usage{};

    const char* Keep(std::string text)
    {
        texts.push_back(std::move(text));
        return texts.back().c_str();
    }
};

SBuiltUsage BuildUsage()
{
    SBuiltUsage built;
    std::vector<std::string> names;
    std::vector<std::string> words;
    for (const SAnalysis& analysis : Analyses()) {
        names.emplace_back(analysis.name);
        const std::string of = analysis.of != nullptr ? std::string{" --of "} + analysis.of : std::string{};
        words.push_back(std::string{analysis.word} + of + " (" + analysis.name + ")");
    }

    built.forms.assign(kLeadingForms.begin(), kLeadingForms.end());
    for (const SAnalysis& analysis : Analyses()) {
        if (analysis.usageSynopsis != nullptr) {
            built.forms.push_back(SUsageForm{built.Keep(std::string{"vexplot --discuss "} + analysis.word +
                                                        " DATEI " + analysis.usageSynopsis),
                                             analysis.usageDescription});
        }
    }
    built.forms.insert(built.forms.end(), kTrailingForms.begin(), kTrailingForms.end());

    built.options.assign(kLeadingOptions.begin(), kLeadingOptions.end());
    built.options.push_back(
        SUsageEntry{"--discuss ANALYSE", built.Keep("Die Diskussion: " + ListText(words, " oder ") + ".")});
    built.options.insert(built.options.end(), kTrailingOptions.begin(), kTrailingOptions.end());

    built.usage = SUsage{
        kProgram,    VEX_PRODUCT_NAME, kPurpose,   built.Keep(kIntroduction + ListText(names, ", ") + "."),
        built.forms, built.options,    kExitCodes, kEnvironment,
        kFiles,
    };
    return built;
}

constexpr std::size_t kHelpWidth = 79;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

std::size_t Columns(const std::string& text)
{
    std::size_t count = 0;
    for (const char c : text) {
        if (!IsContinuationByte(c)) {
            ++count;
        }
    }
    return count;
}

// An option's term and its description side by side when the term is short, else beneath it.
void AppendEntries(std::string& out, const char* heading, std::span<const SUsageEntry> entries)
{
    constexpr std::size_t kTermColumn = 2;
    constexpr std::size_t kTextColumn = 22;
    out += heading;
    out += ":\n";
    for (const SUsageEntry& entry : entries) {
        const std::string term = std::string(kTermColumn, ' ') + entry.term;
        const std::string text = WrapText(entry.description, kTextColumn, kHelpWidth);
        if (Columns(term) + 2 <= kTextColumn) {
            out += term;
            out += text.substr(Columns(term));
        } else {
            out += term + "\n" + text;
        }
    }
}

// Roff reads a backslash as an escape and a leading dot or quote as a request; a minus written
// as \- stays a minus sign (and an option stays typeable when copied from the page).
std::string Roff(const std::string& text, bool minusSigns)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-' && minusSigns) {
            out += "\\-";
        } else {
            out += c;
        }
    }
    if (!out.empty() && (out.front() == '.' || out.front() == '\'')) {
        out.insert(0, "\\&");
    }
    return out;
}

// Text in a font, then back to the upright one. Appended piece by piece: GCC 12 warns wrongly
// about a string literal added to a temporary string.
void AppendFont(std::string& out, const char* font, const std::string& text)
{
    out += "\\f";
    out += font;
    out += text;
    out += "\\fR";
}

bool IsLiteral(const std::string& word)
{
    return word == "vexplot" || (!word.empty() && word.front() == '-') ||
           (!word.empty() &&
            std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; }));
}

// Literal words bold, placeholders italic, brackets and bars upright.
std::string RoffSynopsis(const std::string& synopsis)
{
    std::string out;
    std::size_t start = 0;
    while (start < synopsis.size()) {
        std::size_t end = synopsis.find(' ', start);
        if (end == std::string::npos) {
            end = synopsis.size();
        }
        std::string word = synopsis.substr(start, end - start);
        std::string before;
        std::string after;
        while (!word.empty() && word.front() == '[') {
            before += '[';
            word.erase(0, 1);
        }
        while (!word.empty() && word.back() == ']') {
            after += ']';
            word.pop_back();
        }
        if (!out.empty()) {
            out += ' ';
        }
        out += before;
        // Choices written together ("extrema|inflections") are literal words each.
        std::size_t from = 0;
        while (from <= word.size()) {
            std::size_t bar = word.find('|', from);
            if (bar == std::string::npos) {
                bar = word.size();
            }
            const std::string part = word.substr(from, bar - from);
            if (IsLiteral(part)) {
                AppendFont(out, "B", Roff(part, true));
            } else if (!part.empty()) {
                AppendFont(out, "I", Roff(part, true));
            }
            if (bar < word.size()) {
                out += '|';
            }
            from = bar + 1;
        }
        out += after;
        start = end + 1;
    }
    return out;
}

// Options show their names bold and their values italic; other terms are bold as a whole.
void AppendRoffEntries(std::string& out, const char* heading, std::span<const SUsageEntry> entries,
                       bool options)
{
    out += std::string{".SH "} + heading + "\n";
    for (const SUsageEntry& entry : entries) {
        out += ".TP\n";
        if (options) {
            out += RoffSynopsis(entry.term);
        } else {
            AppendFont(out, "B", Roff(entry.term, true));
        }
        out += '\n';
        out += Roff(entry.description, false) + "\n";
    }
}

} // namespace

const SUsage& Usage()
{
    static const SBuiltUsage built = BuildUsage();
    return built.usage;
}

std::string ListText(std::span<const std::string> items, const char* lastSeparator)
{
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            out += i + 1 == items.size() ? lastSeparator : ", ";
        }
        out += items[i];
    }
    return out;
}

std::string VersionText()
{
    const SUsage& usage = Usage();
    return std::string{usage.program} + " (" + usage.title + ") " + VEX_VERSION + "\n";
}

std::string WrapText(const std::string& text, std::size_t indent, std::size_t width)
{
    std::string out;
    std::string line(indent, ' ');
    std::size_t lineColumns = indent;
    bool lineHasWord = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty()) {
            continue;
        }
        const std::size_t wordColumns = Columns(word);
        if (lineHasWord && lineColumns + 1 + wordColumns > width) {
            out += line + "\n";
            line.assign(indent, ' ');
            lineColumns = indent;
            lineHasWord = false;
        }
        if (lineHasWord) {
            line += ' ';
            ++lineColumns;
        }
        line += word;
        lineColumns += wordColumns;
        lineHasWord = true;
    }
    if (lineHasWord) {
        out += line + "\n";
    }
    return out;
}

std::string HelpText()
{
    const SUsage& usage = Usage();
    std::string out = "Aufruf:\n";
    for (const SUsageForm& form : usage.forms) {
        out += std::string{"  "} + form.synopsis + "\n";
    }
    out += '\n';
    out += WrapText(usage.introduction, 0, kHelpWidth);
    out += '\n';
    for (const SUsageForm& form : usage.forms) {
        out += std::string{"  "} + form.synopsis + "\n";
        out += WrapText(form.description, 6, kHelpWidth);
    }
    out += "\n";
    AppendEntries(out, "Optionen", usage.options);
    out += "\n";
    AppendEntries(out, "Rückgabewerte", usage.exitCodes);
    out += "\n";
    AppendEntries(out, "Umgebung", usage.environment);
    out += "\n";
    AppendEntries(out, "Dateien", usage.files);
    return out;
}

std::string ManPageText()
{
    const SUsage& usage = Usage();
    std::string out;
    out += std::string{".TH VEXPLOT 1 \"\" \""} + usage.program + " " + VEX_VERSION + "\" \"" + usage.title +
           "\"\n";
    // German words broken by English hyphenation rules read badly; ragged lines read better than
    // stretched ones.
    out += ".nh\n.ad l\n";
    out += ".SH BEZEICHNUNG\n";
    out += std::string{usage.program} + " \\- " + Roff(usage.purpose, false) + "\n";
    out += ".SH ÜBERSICHT\n";
    bool first = true;
    for (const SUsageForm& form : usage.forms) {
        if (!first) {
            out += ".br\n";
        }
        first = false;
        out += RoffSynopsis(form.synopsis) + "\n";
    }
    out += ".SH BESCHREIBUNG\n";
    out += Roff(usage.introduction, false) + "\n";
    for (const SUsageForm& form : usage.forms) {
        out += ".TP\n";
        out += RoffSynopsis(form.synopsis);
        out += '\n';
        out += Roff(form.description, false);
        out += '\n';
    }
    AppendRoffEntries(out, "OPTIONEN", usage.options, true);
    AppendRoffEntries(out, "RÜCKGABEWERT", usage.exitCodes, false);
    AppendRoffEntries(out, "UMGEBUNG", usage.environment, false);
    AppendRoffEntries(out, "DATEIEN", usage.files, false);
    out += ".SH SIEHE AUCH\n";
    out += ".BR xvfb\\-run (1)\n";
    return out;
}
