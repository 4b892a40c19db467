// vexplot --discuss ANALYSIS FILE [--function N] [--precision P] [--exact] [--digits D], and for the
// intersections, the tangent and the integral [--with M] [--at X0] [--from A] [--to B]: the lines of one
// curve discussion on standard output, without a display. The scans are the ones the values dialog runs, so
// the lines are the lines it lists.
#include "cli/CommandLine.h"
#include "cli/ParserError.h"

#include "analysis/AnalysisSink.h"
#include "analysis/CurveAnalysis.h"
#include "analysis/FamilyCutNote.h"
#include "document/GraphFile.h"
#include "document/SystemErrorText.h"
#include "document/TextEncoding.h"
#include "framework/FileName.h"
#include "framework/SettingsStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QLocale>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUnreadable = 1;
constexpr int kExitUsage = 2;

// The names on the command line, in the order of the analysis selector.
constexpr std::array<const char*, 8> kAnalysisNames{"table",    "zeros",         "extrema", "inflections",
                                                    "monotony", "intersections", "tangent", "integral"};

struct DiscussRequest
{
    EAnalysis kind{EAnalysis::ValueTable};
    QString file;
    int function{1};
    std::optional<int> precision;
    SDiscussOptions options;
    std::optional<int> with;
    std::optional<double> at;
    std::optional<double> from;
    std::optional<double> to;
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

std::optional<DiscussRequest> ParseArguments(int argc, char** argv)
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
        QStringLiteral("exact"), QStringLiteral("Genaue Werte: jeder Punkt einmal, auf volle Genauigkeit")};
    const QCommandLineOption digitsOption{QStringLiteral("digits"),
                                          QStringLiteral("Nachkommastellen der Zahlen, 1 bis 15"),
                                          QStringLiteral("D")};
    const QCommandLineOption withOption{
        QStringLiteral("with"), QStringLiteral("Nummer der zweiten Funktion, ab 1"), QStringLiteral("M")};
    const QCommandLineOption atOption{QStringLiteral("at"), QStringLiteral("Stelle x0 der Tangente"),
                                      QStringLiteral("X0")};
    const QCommandLineOption fromOption{QStringLiteral("from"), QStringLiteral("untere Grenze des Integrals"),
                                        QStringLiteral("A")};
    const QCommandLineOption toOption{QStringLiteral("to"), QStringLiteral("obere Grenze des Integrals"),
                                      QStringLiteral("B")};
    parser.addOption(withOption);
    parser.addOption(atOption);
    parser.addOption(fromOption);
    parser.addOption(toOption);
    parser.addOption(discussOption);
    parser.addOption(functionOption);
    parser.addOption(precisionOption);
    parser.addOption(exactOption);
    parser.addOption(digitsOption);
    parser.addPositionalArgument(
        QStringLiteral("ANALYSIS"),
        QStringLiteral("table, zeros, extrema, inflections, monotony, intersections, "
                       "tangent oder integral"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Funktions-Graph (*.zel)"));
    const QString usage = QStringLiteral(
        "Aufruf: vexplot --discuss table|zeros|extrema|inflections|monotony DATEI [--function N] "
        "[--precision P] [--exact] [--digits D], vexplot --discuss intersections DATEI --with M, "
        "vexplot --discuss tangent DATEI --at X0 oder vexplot --discuss integral DATEI [--with M] "
        "[--from A] [--to B]");
    if (!parser.parse(arguments)) {
        Complain(ParserError(parser) + QStringLiteral("; ") + usage);
        return std::nullopt;
    }
    if (!parser.isSet(discussOption) || parser.positionalArguments().size() != 2) {
        Complain(usage);
        return std::nullopt;
    }

    DiscussRequest request;
    const QString name = parser.positionalArguments().at(0);
    std::size_t index = 0;
    while (index < kAnalysisNames.size() && name != QLatin1String(kAnalysisNames[index])) {
        ++index;
    }
    if (index == kAnalysisNames.size()) {
        Complain(QStringLiteral("unbekannte Untersuchung \"%1\"; ").arg(name) + usage);
        return std::nullopt;
    }
    request.kind = static_cast<EAnalysis>(index);
    request.file = parser.positionalArguments().at(1);

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
    request.options.exact = parser.isSet(exactOption);
    if (parser.isSet(digitsOption)) {
        const std::optional<int> d = ParseCount(parser.value(digitsOption));
        if (!d || *d < 1 || *d > 15) {
            Complain(QStringLiteral("--digits %1: erwartet wird eine Stellenzahl von 1 bis 15")
                         .arg(parser.value(digitsOption)));
            return std::nullopt;
        }
        request.options.digits = *d;
    }

    // The inputs of the three analyses after the monotony: each only where it means something.
    const bool intersections = request.kind == EAnalysis::Intersections;
    const bool tangent = request.kind == EAnalysis::Tangent;
    const bool integral = request.kind == EAnalysis::Integral;
    if (parser.isSet(withOption)) {
        if (!intersections && !integral) {
            Complain(QStringLiteral("--with gilt nur für intersections und integral; ") + usage);
            return std::nullopt;
        }
        const std::optional<int> m = ParseCount(parser.value(withOption));
        if (!m || *m < 1) {
            Complain(QStringLiteral("--with %1: erwartet wird eine Funktionsnummer ab 1")
                         .arg(parser.value(withOption)));
            return std::nullopt;
        }
        request.with = *m;
    } else if (intersections) {
        Complain(QStringLiteral("intersections braucht --with M, die zweite Funktion; ") + usage);
        return std::nullopt;
    }
    const auto number = [&](const QCommandLineOption& option, bool allowed, const char* name,
                            const char* owner, std::optional<double>& into) {
        if (!parser.isSet(option)) {
            return true;
        }
        if (!allowed) {
            Complain(QStringLiteral("--%1 gilt nur für %2; ").arg(QLatin1String(name), QLatin1String(owner)) +
                     usage);
            return false;
        }
        into = ParseNumber(parser.value(option));
        if (!into) {
            Complain(
                QStringLiteral("--%1 %2: erwartet wird eine Zahl oder ein Ausdruck aus Zahlen, etwa 1.5, "
                               "1,5 oder pi/2")
                    .arg(QLatin1String(name), parser.value(option)));
            return false;
        }
        return true;
    };
    if (!number(atOption, tangent, "at", "tangent", request.at) ||
        !number(fromOption, integral, "from", "integral", request.from) ||
        !number(toOption, integral, "to", "integral", request.to)) {
        return std::nullopt;
    }
    if (tangent && !request.at) {
        Complain(QStringLiteral("tangent braucht --at X0, die Stelle der Tangente; ") + usage);
        return std::nullopt;
    }
    // Their results are always the refined points.
    if (intersections || tangent || integral) {
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
    CConsoleSink() : m_showProgress{isatty(STDERR_FILENO) == 1} {}

    void AddLine(std::string line) override
    {
        if (m_error != 0) {
            return;
        }
        line = Cp1252ToUtf8(line);
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
    bool m_showProgress;
    int m_error{0};
};

} // namespace

int RunDiscussCommand(int& argc, char** argv)
{
    QCoreApplication app{argc, argv};
    const std::optional<DiscussRequest> request = ParseArguments(argc, argv);
    if (!request) {
        return kExitUsage;
    }

    // Only what the file holds, without the undo copies of a document: a large file is held once.
    CGraphContent content;
    std::string error;
    if (!ReadGraphContentFromPath(EncodeFileName(request->file).toStdString(), content, error)) {
        Complain(DecodeFileName(QByteArray::fromStdString(error)));
        return kExitUnreadable;
    }
    const std::size_t count = content.functions.size();
    if (count == 0) {
        Complain(QStringLiteral("Die Datei \"%1\" enthält keine Funktion, die sich untersuchen ließe.")
                     .arg(request->file));
        return kExitUnreadable;
    }
    if (static_cast<std::size_t>(request->function) > count) {
        Complain(QStringLiteral("--function %1: die Datei \"%2\" enthält nur %3")
                     .arg(request->function)
                     .arg(request->file)
                     .arg(count == 1 ? QStringLiteral("eine Funktion")
                                     : QStringLiteral("%1 Funktionen").arg(count)));
        return kExitUsage;
    }

    WarnAboutFaultyTerms(content.functions);
    const int precision = request->precision.value_or(
        CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 3));
    if (request->with && static_cast<std::size_t>(*request->with) > count) {
        Complain(QStringLiteral("--with %1: die Datei \"%2\" enthält nur %3")
                     .arg(*request->with)
                     .arg(request->file)
                     .arg(count == 1 ? QStringLiteral("eine Funktion")
                                     : QStringLiteral("%1 Funktionen").arg(count)));
        return kExitUsage;
    }

    const CGraphFunction& function = content.functions[static_cast<std::size_t>(request->function) - 1];
    SAnalysisInputs inputs;
    if (request->with) {
        inputs.with = &content.functions[static_cast<std::size_t>(*request->with) - 1];
        inputs.withItself = *request->with == request->function;
    }
    inputs.at = request->at.value_or(0.0);
    inputs.from = request->from;
    inputs.to = request->to;
    CConsoleSink sink;
    RunAnalysis(request->kind, function, content.scaling, precision, request->options, inputs, sink);
    if (const std::optional<std::string> note = FamilyCutNote(function)) {
        sink.AddLine(*note);
    }
    // A full disk or a closed pipe must not pass for a complete discussion.
    if (const int code = sink.Finish(); code != 0) {
        Complain(QStringLiteral("Die Ergebnisse konnten nicht ausgegeben werden: %1.")
                     .arg(QString::fromStdString(SystemErrorText(code))));
        return kExitUnreadable;
    }
    return kExitOk;
}
