// vexplot --discuss ANALYSIS FILE [--function N] [--precision P] [--raster] [--digits D], for the
// intersections, the tangent and the integral [--with M] [--at X0] [--from A] [--to B], and for the
// Ortskurve [--of extrema|inflections]: the lines of one
// curve discussion on standard output, without a display. The scans are the ones the values dialog runs, so
// the lines are the lines it lists.
#include "cli/CommandLine.h"
#include "cli/ParserError.h"
#include "cli/FamilyOption.h"
#include "cli/TermArguments.h"
#include "cli/Usage.h"

#include "analysis/AnalysisSink.h"
#include "analysis/AnalysisTable.h"
#include "analysis/FamilyCutNote.h"
#include "analysis/ResultText.h"
#include "document/GraphFile.h"
#include "document/SystemErrorText.h"
#include "engine/TextEncoding.h"
#include "document/SliderState.h"
#include "framework/CurveSamplers.h"
#include "framework/FileName.h"
#include "framework/ResultSheet.h"
#include "framework/SettingsStore.h"
#include "view/GraphPaint.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUnreadable = 1;
constexpr int kExitUsage = 2;

struct DiscussRequest
{
    const SAnalysis* analysis{nullptr};
    QString file;
    // Instead of a file: the terms as typed, and the range of k.
    std::vector<std::string> terms;
    std::optional<SFamilyArgument> family;
    EDecimalSeparator separator{EDecimalSeparator::Point};
    int function{1};
    std::optional<int> precision;
    SDiscussOptions options;
    std::optional<int> with;
    std::optional<double> at;
    std::optional<double> from;
    std::optional<double> to;
    // --sheet: the PDF the whole discussion goes to, with its graph, instead of standard output.
    QString sheet;
};

void Complain(const QString& message)
{
    std::fprintf(stderr, "vexplot: %s\n", EncodeFileName(message).constData());
}

// A whole number and nothing else ("3", not "3.0", "3x" or " 3").
std::optional<int> ParseCount(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && text.trimmed() == text ? std::optional<int>{value} : std::nullopt;
}

// A finite number with the decimal point ("6.283185307179586", "-1e-3") read to the last bit, or
// else one with the comma or an expression ("1,5", "pi/2", "-sqrt(6)").
std::optional<double> ParseNumber(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (ok && std::isfinite(value) && text.trimmed() == text) {
        return value;
    }
    return ParseNumberArgument(text.toStdString());
}

// The options of the inputs an analysis may take beyond its function.
struct SInputOption
{
    const char* name;
    const char* placeholder;
    const char* description;
    EInputUse SInputUse::*use;
    // Where the value goes: a function number or a number with the decimal point.
    std::optional<int> DiscussRequest::*count;
    std::optional<double> DiscussRequest::*number;
    // What a required one that is missing stands for.
    const char* missing;
};

const std::array kInputOptions{
    SInputOption{"with", "M", "Nummer der zweiten Funktion, ab 1", &SInputUse::with, &DiscussRequest::with,
                 nullptr, "die zweite Funktion"},
    SInputOption{"at", "X0", "Stelle x0 der Tangente", &SInputUse::at, nullptr, &DiscussRequest::at,
                 "die Stelle der Tangente"},
    SInputOption{"from", "A", "untere Grenze des Integrals", &SInputUse::from, nullptr, &DiscussRequest::from,
                 "die untere Grenze"},
    SInputOption{"to", "B", "obere Grenze des Integrals", &SInputUse::to, nullptr, &DiscussRequest::to,
                 "die obere Grenze"},
};

std::string Option(const SInputOption& input)
{
    return std::string{"--"} + input.name + " " + input.placeholder;
}

// The one-line reminder of every call of --discuss: the analyses without inputs together, then each
// of the others with its inputs, an optional one in brackets.
QString UsageLine()
{
    std::vector<std::string> plain;
    std::vector<std::string> forms;
    for (const SAnalysis& analysis : Analyses()) {
        if (!analysis.TakesInputs()) {
            plain.emplace_back(analysis.word);
            continue;
        }
        // The rows of one word, told apart by --of, share one form.
        if (AnalysisOfWord(analysis.word) != &analysis) {
            continue;
        }
        std::string form = std::string{"vexplot --discuss "} + analysis.word + " DATEI";
        for (const SInputOption& input : kInputOptions) {
            const EInputUse use = analysis.inputs.*input.use;
            if (use == EInputUse::Required) {
                form += " " + Option(input);
            } else if (use == EInputUse::Optional) {
                form += " [" + Option(input) + "]";
            }
        }
        if (const std::string choices = OfChoices(analysis.word); !choices.empty()) {
            form += " [--of " + choices + "]";
        }
        forms.push_back(std::move(form));
    }
    std::string joined;
    for (const std::string& word : plain) {
        joined += (joined.empty() ? "" : "|") + word;
    }
    forms.insert(forms.begin(), "vexplot --discuss " + joined +
                                    " DATEI [--function N] [--precision P] [--raster] [--digits D]"
                                    " [--decimal-comma]");
    forms.emplace_back("statt DATEI: --term TERM [--term TERM ...] [--family VON:BIS:SCHRITT]");
    return QStringLiteral("Aufruf: ") + QString::fromStdString(ListText(forms, " oder "));
}

// The words of the analyses that take an input, as prose: "intersections und integral".
QString WordsTaking(const SInputOption& input)
{
    std::vector<std::string> words;
    for (const SAnalysis& analysis : Analyses()) {
        if (analysis.inputs.*input.use != EInputUse::Unused) {
            words.emplace_back(analysis.word);
        }
    }
    return QString::fromStdString(ListText(words, " und "));
}

std::optional<DiscussRequest> ParseArguments(int argc, char** argv, bool sheet)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << DecodeFileName(QByteArray{argv[i]});
    }
    QCommandLineParser parser;
    const QCommandLineOption discussOption{QStringLiteral("discuss"),
                                           QStringLiteral("Kurvendiskussion ausgeben")};
    const QCommandLineOption functionOption{QStringLiteral("function"),
                                            QStringLiteral("Nummer der Funktion, ab 1"), QStringLiteral("N")};
    const QCommandLineOption precisionOption{
        QStringLiteral("precision"), QStringLiteral("Rechengenauigkeit, 1 bis 10"), QStringLiteral("P")};
    const QCommandLineOption exactOption{
        QStringLiteral("exact"), QStringLiteral("Genaue Werte (so rechnet die Diskussion ohne --raster ohnehin)")};
    const QCommandLineOption rasterOption{
        QStringLiteral("raster"), QStringLiteral("Die Rasterrechnung: eine Zeile für jeden Rechenschritt nahe dem Punkt")};
    const QCommandLineOption digitsOption{QStringLiteral("digits"),
                                          QStringLiteral("Nachkommastellen der Zahlen, 1 bis 15"),
                                          QStringLiteral("D")};
    std::vector<QCommandLineOption> inputOptions;
    for (const SInputOption& input : kInputOptions) {
        inputOptions.emplace_back(QLatin1String(input.name), QString::fromUtf8(input.description),
                                  QLatin1String(input.placeholder));
        parser.addOption(inputOptions.back());
    }
    const QCommandLineOption sheetOption{QStringLiteral("sheet"),
                                         QStringLiteral("Ergebnisblatt der Kurvendiskussion als PDF"),
                                         QStringLiteral("OUT")};
    parser.addOption(sheet ? sheetOption : discussOption);
    parser.addOption(functionOption);
    parser.addOption(precisionOption);
    parser.addOption(exactOption);
    parser.addOption(rasterOption);
    parser.addOption(digitsOption);
    const QCommandLineOption termOption{QStringLiteral("term"),
                                        QStringLiteral("Term in Schulschreibweise statt einer Datei"),
                                        QStringLiteral("TERM")};
    const QCommandLineOption familyOption{QStringLiteral("family"),
                                          QStringLiteral("Bereich der Scharkonstante k zu --term"),
                                          QStringLiteral("VON:BIS:SCHRITT")};
    const QCommandLineOption commaOption{QStringLiteral("decimal-comma"),
                                         QStringLiteral("Zahlen mit Dezimalkomma ausgeben")};
    const QCommandLineOption ofOption{QStringLiteral("of"),
                                      QStringLiteral("Wovon die Ortskurve: extrema oder inflections"),
                                      QStringLiteral("WAS")};
    parser.addOption(ofOption);
    parser.addOption(termOption);
    parser.addOption(familyOption);
    parser.addOption(commaOption);
    std::vector<std::string> words;
    for (const SAnalysis& analysis : Analyses()) {
        if (AnalysisOfWord(analysis.word) == &analysis) {
            words.emplace_back(analysis.word);
        }
    }
    parser.addPositionalArgument(QStringLiteral("ANALYSIS"),
                                 QString::fromStdString(ListText(words, " oder ")));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Funktions-Graph (*.zel)"));
    const QString usage =
        sheet ? QStringLiteral("Aufruf: vexplot --sheet ZIEL.pdf DATEI [--function N] [--precision P] [--digits D] "
                               "[--decimal-comma], statt DATEI: --term TERM [--term TERM ...] "
                               "[--family VON:BIS:SCHRITT]")
              : UsageLine();
    if (!parser.parse(arguments)) {
        Complain(ParserError(parser) + QStringLiteral("; ") + usage);
        return std::nullopt;
    }
    const bool terms = parser.isSet(termOption);
    // The sheet always holds the whole discussion, so it names no analysis.
    QStringList positional = parser.positionalArguments();
    if (sheet) {
        positional.prepend(QStringLiteral("all"));
    }
    if (!parser.isSet(sheet ? sheetOption : discussOption) || positional.size() != (terms ? 1 : 2)) {
        Complain(terms && positional.size() == 2 ? QStringLiteral("entweder DATEI oder --term, nicht beides; ") + usage
                                                 : usage);
        return std::nullopt;
    }

    DiscussRequest request;
    if (sheet) {
        request.sheet = parser.value(sheetOption);
        if (!request.sheet.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
            Complain(QStringLiteral("\"%1\": das Ergebnisblatt muss auf .pdf enden").arg(request.sheet));
            return std::nullopt;
        }
    }
    const QString name = positional.at(0);
    request.analysis = AnalysisOfWord(name.toStdString());
    if (request.analysis == nullptr) {
        Complain(QStringLiteral("unbekannte Untersuchung \"%1\"; ").arg(name) + usage);
        return std::nullopt;
    }
    if (parser.isSet(ofOption)) {
        const std::string choices = OfChoices(request.analysis->word);
        const QString of = parser.value(ofOption);
        if (choices.empty()) {
            Complain(QStringLiteral("--of gilt nur für locus; ") + usage);
            return std::nullopt;
        }
        const SAnalysis* picked = of.isEmpty() ? nullptr : AnalysisOfWord(request.analysis->word, of.toStdString());
        if (picked == nullptr) {
            Complain(QStringLiteral("--of %1: erwartet wird %2")
                         .arg(of, QString::fromStdString(choices).replace(QLatin1Char('|'), QStringLiteral(" oder "))));
            return std::nullopt;
        }
        request.analysis = picked;
    }
    if (terms) {
        for (const QString& term : parser.values(termOption)) {
            request.terms.push_back(term.toStdString());
        }
    } else {
        request.file = positional.at(1);
    }
    if (const std::optional<QString> error = ReadFamilyOption(parser, familyOption, terms, usage, request.family)) {
        Complain(*error);
        return std::nullopt;
    }
    if (parser.isSet(commaOption)) {
        request.separator = EDecimalSeparator::Comma;
    }

    if (parser.isSet(functionOption)) {
        const std::optional<int> n = ParseCount(parser.value(functionOption));
        if (!n || *n < 1) {
            Complain(QStringLiteral("--function %1: erwartet wird eine Funktionsnummer ab 1")
                         .arg(parser.value(functionOption)));
            return std::nullopt;
        }
        request.function = *n;
    }
    if (parser.isSet(precisionOption)) {
        const std::optional<int> p = ParseCount(parser.value(precisionOption));
        if (!p || *p < 1 || *p > 10) {
            Complain(QStringLiteral("--precision %1: erwartet wird eine Genauigkeit von 1 bis 10")
                         .arg(parser.value(precisionOption)));
            return std::nullopt;
        }
        request.precision = *p;
    }
    if (parser.isSet(exactOption) && parser.isSet(rasterOption)) {
        Complain(QStringLiteral("--exact und --raster schließen einander aus"));
        return std::nullopt;
    }
    request.options.exact = !parser.isSet(rasterOption);
    if (parser.isSet(digitsOption)) {
        const std::optional<int> d = ParseCount(parser.value(digitsOption));
        if (!d || *d < 1 || *d > 15) {
            Complain(QStringLiteral("--digits %1: erwartet wird eine Stellenzahl von 1 bis 15")
                         .arg(parser.value(digitsOption)));
            return std::nullopt;
        }
        request.options.digits = *d;
    }

    // The inputs beyond the function: each only where the analysis takes it.
    for (std::size_t i = 0; i < kInputOptions.size(); ++i) {
        const SInputOption& input = kInputOptions[i];
        const QCommandLineOption& option = inputOptions[i];
        const EInputUse use = request.analysis->inputs.*input.use;
        if (!parser.isSet(option)) {
            if (use == EInputUse::Required) {
                Complain(QStringLiteral("%1 braucht %2, %3; ")
                             .arg(QLatin1String(request.analysis->word),
                                  QString::fromStdString(Option(input)), QString::fromUtf8(input.missing)) +
                         usage);
                return std::nullopt;
            }
            continue;
        }
        if (use == EInputUse::Unused) {
            Complain(
                QStringLiteral("--%1 gilt nur für %2; ").arg(QLatin1String(input.name), WordsTaking(input)) +
                usage);
            return std::nullopt;
        }
        const QString value = parser.value(option);
        if (input.count != nullptr) {
            const std::optional<int> n = ParseCount(value);
            if (!n || *n < 1) {
                Complain(QStringLiteral("--%1 %2: erwartet wird eine Funktionsnummer ab 1")
                             .arg(QLatin1String(input.name), value));
                return std::nullopt;
            }
            request.*input.count = *n;
        } else {
            request.*input.number = ParseNumber(value);
            if (!(request.*input.number)) {
                Complain(QStringLiteral("--%1 %2: erwartet wird eine Zahl oder ein Ausdruck aus Zahlen, "
                                        "etwa 1.5, 1,5 oder pi/2")
                             .arg(QLatin1String(input.name), value));
                return std::nullopt;
            }
        }
    }
    if (request.analysis->TakesInputs()) {
        request.options.exact = true;
    }
    return request;
}

// Result lines to standard output; the progress, when standard error is a terminal, on one line
// there that is wiped at the end, so that standard output carries nothing but the lines. The
// first line that cannot be written stops the scan: a full disk or a closed pipe ends the run
// at once instead of after all the work.
class CConsoleSink final : public IAnalysisSink
{
public:
    explicit CConsoleSink(EDecimalSeparator separator)
        : m_separator{separator}, m_showProgress{isatty(STDERR_FILENO) == 1}
    {
    }

    void Add(const SAnalysisResult& result) override
    {
        for (std::string& line : ResultLines(result, m_separator)) {
            AddLine(std::move(line));
        }
    }

    void AddLine(std::string line) override
    {
        if (m_error != 0) {
            return;
        }
        line = LineToUtf8(line);
        line += '\n';
        errno = 0;
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size()) {
            m_error = errno != 0 ? errno : EIO;
        }
    }

    bool Stopped() const override { return m_error != 0; }

    void SetProgress(int position) override
    {
        if (!m_showProgress) {
            return;
        }
        if (position == 0) {
            std::fputs("\r          \r", stderr);
        } else {
            std::fprintf(stderr, "\r%3d %%", position);
        }
        std::fflush(stderr);
    }

    // 0 when every line has reached standard output; else the errno of the first failure.
    int Finish()
    {
        errno = 0;
        if (m_error == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)) {
            m_error = errno != 0 ? errno : EIO;
        }
        return m_error;
    }

private:
    EDecimalSeparator m_separator;
    bool m_showProgress;
    int m_error{0};
};

} // namespace

// Keeps the lines of a run, for the sheet.
class CLineSink final : public IAnalysisSink
{
public:
    explicit CLineSink(EDecimalSeparator separator) : m_separator{separator} {}

    void Add(const SAnalysisResult& result) override
    {
        for (std::string& line : ResultLines(result, m_separator)) {
            AddLine(std::move(line));
        }
    }
    void AddLine(std::string line) override { m_lines << QString::fromStdString(LineToUtf8(line)); }

    const QStringList& Lines() const { return m_lines; }

private:
    EDecimalSeparator m_separator;
    QStringList m_lines;
};

// Qt's remarks about the environment (no runtime directory, no session) mean nothing to someone
// writing a sheet; only real failures get through.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        Complain(message);
    }
}

// The sheet of the whole discussion of one function of the content: its head and comment, the
// graph, the lines.
int WriteSheet(const DiscussRequest& request, const CGraphContent& content, const CGraphFunction& function,
               std::size_t index, const QStringList& lines)
{
    SResultSheet sheet;
    sheet.heading = QString::fromStdString(Cp1252ToUtf8(FunctionHead(content.functions, index) + "(x) = " +
                                                        function.GetTerm()));
    sheet.comment = QString::fromStdString(Cp1252ToUtf8(function.GetComment()));
    sheet.lines = lines;
    sheet.title = request.file.isEmpty() ? sheet.heading : QFileInfo{request.file}.fileName();
    std::optional<SFamilyFocus> focus;
    if (const std::optional<SSliderState> slider = ActiveSliderOf(content.functions, content.slider)) {
        focus = SFamilyFocus{slider->function, slider->k, false};
    }
    const auto paint = [&](CDrawContext& dc, const CRect& rect) {
        PaintGraph(dc, rect, content.functions, content.objects, content.scaling, nullptr, nullptr, request.separator,
                   focus, content.derived, CurveSamplers(), content.areas);
    };
    int code = 0;
    if (!WriteResultSheetPdf(request.sheet, sheet, content.scaling, paint, code)) {
        Complain(code != 0 ? QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2.")
                                 .arg(request.sheet, QString::fromStdString(SystemErrorText(code)))
                           : QStringLiteral("Das Ergebnisblatt \"%1\" konnte nicht erzeugt werden.").arg(request.sheet));
        return kExitUnreadable;
    }
    return kExitOk;
}

int RunDiscussion(int& argc, char** argv, bool sheet)
{
    // The sheet draws text and a graph: fonts need a graphical application, but no display.
    std::unique_ptr<QCoreApplication> app;
    if (sheet) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        qInstallMessageHandler(QuietMessages);
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const std::optional<DiscussRequest> request = ParseArguments(argc, argv, sheet);
    if (!request) {
        return kExitUsage;
    }

    // Only what the file holds, without the undo copies of a document: a large file is held once.
    CGraphContent content;
    std::string error;
    if (!request->terms.empty()) {
        std::optional<CGraphContent> typed = ContentOfTerms(request->terms, request->family, error);
        if (!typed) {
            Complain(QString::fromStdString(error));
            return kExitUsage;
        }
        content = std::move(*typed);
    } else if (!ReadGraphContentFromPath(EncodeFileName(request->file).toStdString(), content, error)) {
        Complain(DecodeFileName(QByteArray::fromStdString(error)));
        return kExitUnreadable;
    }
    const std::size_t count = content.functions.size();
    // Where the functions come from, for the messages about their number.
    const QString source = request->terms.empty()
                               ? QStringLiteral("die Datei \"%1\" enthält").arg(request->file)
                               : QStringLiteral("--term gibt");
    if (count == 0) {
        Complain(QStringLiteral("Die Datei \"%1\" enthält keine Funktion, die sich untersuchen ließe.")
                     .arg(request->file));
        return kExitUnreadable;
    }
    if (static_cast<std::size_t>(request->function) > count) {
        Complain(QStringLiteral("--function %1: %2 nur %3")
                     .arg(request->function)
                     .arg(source)
                     .arg(count == 1 ? QStringLiteral("eine Funktion")
                                     : QStringLiteral("%1 Funktionen").arg(count)));
        return kExitUsage;
    }

    WarnAboutFaultyTerms(content.functions);
    const int precision = request->precision.value_or(
        CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 3));
    if (request->with && static_cast<std::size_t>(*request->with) > count) {
        Complain(QStringLiteral("--with %1: %2 nur %3")
                     .arg(*request->with)
                     .arg(source)
                     .arg(count == 1 ? QStringLiteral("eine Funktion")
                                     : QStringLiteral("%1 Funktionen").arg(count)));
        return kExitUsage;
    }

    // With the slider on, the file shows one member of its family, and that member is discussed, as
    // the values dialog does; an Ortskurve follows the points as k moves, so it takes the whole family.
    const bool locus = request->analysis->id == EAnalysis::LocusExtrema ||
                       request->analysis->id == EAnalysis::LocusInflections;
    const CFunctionList discussed = locus ? content.functions : SliderMembers(content.functions, content.slider);
    // Named as in the window's list, so that the lines read as the values dialog shows them.
    CGraphFunction function = discussed[static_cast<std::size_t>(request->function) - 1];
    function.SetName(FunctionName(content.functions, static_cast<std::size_t>(request->function) - 1));
    SAnalysisInputs inputs;
    if (request->with) {
        inputs.with = &discussed[static_cast<std::size_t>(*request->with) - 1];
        inputs.withItself = *request->with == request->function;
    }
    inputs.at = request->at.value_or(0.0);
    inputs.from = request->from;
    inputs.to = request->to;
    if (sheet) {
        CLineSink lines{request->separator};
        RunAnalysis(request->analysis->id, function, content.scaling, precision, request->options, inputs, lines);
        if (const std::optional<SAnalysisResult> note = FamilyCutResult(function)) {
            lines.Add(*note);
        }
        return WriteSheet(*request, content, function, static_cast<std::size_t>(request->function) - 1,
                          lines.Lines());
    }
    CConsoleSink sink{request->separator};
    RunAnalysis(request->analysis->id, function, content.scaling, precision, request->options, inputs, sink);
    if (const std::optional<SAnalysisResult> note = FamilyCutResult(function)) {
        sink.Add(*note);
    }
    // A full disk or a closed pipe must not pass for a complete discussion.
    if (const int code = sink.Finish(); code != 0) {
        Complain(QStringLiteral("Die Ergebnisse konnten nicht ausgegeben werden: %1.")
                     .arg(QString::fromStdString(SystemErrorText(code))));
        return kExitUnreadable;
    }
    return kExitOk;
}

int RunDiscussCommand(int& argc, char** argv)
{
    return RunDiscussion(argc, argv, false);
}

int RunSheetCommand(int& argc, char** argv)
{
    return RunDiscussion(argc, argv, true);
}
