#include "cli/Usage.h"

#include "ProductInfo.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array kForms{
    SUsageForm{"vexplot [DATEI]",
               "Öffnet das Programmfenster mit einem neuen Graphen oder mit DATEI, einem Funktions-Graphen "
               "(*.zel). Das Fenster braucht eine Anzeige; ohne eine startet es mit xvfb-run -a vexplot."},
    SUsageForm{"vexplot --export AUSGABE DATEI [--size BxH]",
               "Zeichnet den Graphen aus DATEI in AUSGABE, genau wie im Fenster und beim Drucken. "
               "Braucht keine Anzeige."},
    SUsageForm{"vexplot --discuss ANALYSE DATEI [OPTIONEN]",
               "Gibt die Zeilen einer Kurvendiskussion auf der Standardausgabe aus, wie sie das "
               "Diskussionsfenster zeigt. OPTIONEN sind --function N, --precision P, --exact und --digits D. "
               "Braucht keine Anzeige."},
    SUsageForm{"vexplot --discuss intersections DATEI --with M [OPTIONEN]",
               "Gibt die Schnittpunkte der Graphen der Funktion N (--function N, sonst die erste) und der "
               "Funktion M aus, auf volle Genauigkeit verfeinert."},
    SUsageForm{"vexplot --discuss tangent DATEI --at X0 [OPTIONEN]",
               "Gibt Punkt, Steigung, Tangente und Normale der Funktion N an der Stelle X0 aus; die "
               "Gleichungen sind Terme, die das Programm wieder einlesen kann."},
    SUsageForm{"vexplot --discuss integral DATEI [--with M] [--from A] [--to B]",
               "Gibt das Integral der Funktion N (oder von N minus M) von A bis B aus, die Fläche zwischen "
               "den Graphen und die Teilstücke zwischen ihren Schnittstellen. Diese drei nehmen auch "
               "--function N und --digits D; ihre Werte sind immer genau."},
    SUsageForm{"vexplot --help | --version", "Zeigt diese Hilfe oder die Version. Braucht keine Anzeige."},
};

constexpr std::array kOptions{
    SUsageEntry{"--export AUSGABE",
                "Die Zieldatei; ihre Endung wählt das Format: .png (Bild), .svg (Vektorgrafik) oder .pdf "
                "(eine A4-Seite in der Druckgröße des Graphen)."},
    SUsageEntry{"--size BxH", "Breite und Höhe von Bild oder Vektorgrafik in Pixeln, je 1 bis 16384, "
                              "etwa 1024x768. Ohne die Option: 800x600."},
    SUsageEntry{"--discuss ANALYSE",
                "Die Diskussion: table (Wertetabelle), zeros (Nullstellen), extrema (Extremwerte), "
                "inflections (Wendestellen), monotony (Monotonie), intersections (Schnittpunkte), tangent "
                "(Tangente und Normale) oder integral (Integral und Fläche)."},
    SUsageEntry{"--function N", "Die Nummer der diskutierten Funktion, ab 1. Ohne die Option: die erste."},
    SUsageEntry{"--with M", "Die zweite Funktion, ab 1: für intersections nötig, für integral wahlweise "
                            "(dann wird N minus M integriert)."},
    SUsageEntry{
        "--at X0",
        "Die Stelle der Tangente, eine Zahl wie 1.5 oder 1,5 oder ein Ausdruck wie pi/2; für tangent nötig."},
    SUsageEntry{"--from A, --to B",
                "Die Grenzen des Integrals, Zahlen oder Ausdrücke wie -sqrt(6). Ohne die Optionen: "
                "die Enden der x-Achse des Graphen."},
    SUsageEntry{"--precision P", "Die Rechengenauigkeit von 1 bis 10. Ohne die Option: die in den "
                                 "Optionen des Programms eingestellte (anfangs 3)."},
    SUsageEntry{"--exact", "Genaue Werte: Nullstellen, Extremwerte, Wendestellen und die Grenzen der "
                           "Monotonie-Intervalle erscheinen je Punkt einmal, auf die volle Rechengenauigkeit "
                           "verfeinert, statt einer Zeile für jeden Rechenschritt nahe dem Punkt."},
    SUsageEntry{"--digits D", "Zeigt jede Zahl mit höchstens D Nachkommastellen, D von 1 bis 15; Nullen am "
                              "Ende entfallen. Ohne die Option: 5."},
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

constexpr SUsage kUsage{
    "vexplot",
    VEX_PRODUCT_NAME,
    "zeichnet Funktionsgraphen und diskutiert Kurven",
    VEX_PRODUCT_NAME
    " zeichnet die Graphen von Termen in x, auch mit einer Scharkonstante k, mit "
    "Achsen, Beschriftung und Gitter, setzt Punkte und senkrechte Linien und diskutiert eine Funktion "
    "numerisch: Wertetabelle, Nullstellen, Extremwerte, Wendestellen, Monotonie, Schnittpunkte, "
    "Tangente und Normale, Integral und Fläche.",
    kForms,
    kOptions,
    kExitCodes,
    kEnvironment,
    kFiles,
};

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
        if (word == "|") {
            out += '|';
        } else if (IsLiteral(word)) {
            AppendFont(out, "B", Roff(word, true));
        } else {
            AppendFont(out, "I", Roff(word, true));
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
    return kUsage;
}

std::string VersionText()
{
    return std::string{kUsage.program} + " (" + kUsage.title + ") " + VEX_VERSION + "\n";
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
    std::string out = "Aufruf:\n";
    for (const SUsageForm& form : kUsage.forms) {
        out += std::string{"  "} + form.synopsis + "\n";
    }
    out += '\n';
    out += WrapText(kUsage.introduction, 0, kHelpWidth);
    out += '\n';
    for (const SUsageForm& form : kUsage.forms) {
        out += std::string{"  "} + form.synopsis + "\n";
        out += WrapText(form.description, 6, kHelpWidth);
    }
    out += "\n";
    AppendEntries(out, "Optionen", kUsage.options);
    out += "\n";
    AppendEntries(out, "Rückgabewerte", kUsage.exitCodes);
    out += "\n";
    AppendEntries(out, "Umgebung", kUsage.environment);
    out += "\n";
    AppendEntries(out, "Dateien", kUsage.files);
    return out;
}

std::string ManPageText()
{
    std::string out;
    out += std::string{".TH VEXPLOT 1 \"\" \""} + kUsage.program + " " + VEX_VERSION + "\" \"" +
           kUsage.title + "\"\n";
    // German words broken by English hyphenation rules read badly; ragged lines read better than
    // stretched ones.
    out += ".nh\n.ad l\n";
    out += ".SH BEZEICHNUNG\n";
    out += std::string{kUsage.program} + " \\- " + Roff(kUsage.purpose, false) + "\n";
    out += ".SH ÜBERSICHT\n";
    bool first = true;
    for (const SUsageForm& form : kUsage.forms) {
        if (!first) {
            out += ".br\n";
        }
        first = false;
        out += RoffSynopsis(form.synopsis) + "\n";
    }
    out += ".SH BESCHREIBUNG\n";
    out += Roff(kUsage.introduction, false) + "\n";
    for (const SUsageForm& form : kUsage.forms) {
        out += ".TP\n";
        out += RoffSynopsis(form.synopsis);
        out += '\n';
        out += Roff(form.description, false);
        out += '\n';
    }
    AppendRoffEntries(out, "OPTIONEN", kUsage.options, true);
    AppendRoffEntries(out, "RÜCKGABEWERT", kUsage.exitCodes, false);
    AppendRoffEntries(out, "UMGEBUNG", kUsage.environment, false);
    AppendRoffEntries(out, "DATEIEN", kUsage.files, false);
    out += ".SH SIEHE AUCH\n";
    out += ".BR xvfb\\-run (1)\n";
    return out;
}
