// vexplot --discuss ANALYSIS FILE [--function N] [--precision P]: the lines of one curve discussion
// on standard output, without a display. The scans are the ones the values dialog runs, so the
// lines are the lines it lists.
#include "cli/CommandLine.h"

#include "analysis/AnalysisSink.h"
#include "analysis/CurveAnalysis.h"
#include "document/GraphFile.h"
#include "document/TextEncoding.h"
#include "document/ZelDoc.h"
#include "framework/SettingsStore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUnreadable = 1;
constexpr int kExitUsage = 2;

// The names on the command line, in the order of the analysis selector.
constexpr std::array<const char*, 5> kAnalysisNames{"table", "zeros", "extrema", "inflections", "monotony"};

struct DiscussRequest
{
    EAnalysis kind{EAnalysis::ValueTable};
    QString file;
    int function{1};
    std::optional<int> precision;
};

void Complain(const QString& message)
{
    std::fprintf(stderr, "vexplot: %s\n", message.toLocal8Bit().constData());
}

// A whole number and nothing else ("3", not "3.0", "3x" or " 3").
std::optional<int> ParseCount(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && text.trimmed() == text ? std::optional<int>{value} : std::nullopt;
}

std::optional<DiscussRequest> ParseArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser parser;
    const QCommandLineOption discussOption{QStringLiteral("discuss"),
                                           QStringLiteral("Kurvendiskussion ausgeben")};
    const QCommandLineOption functionOption{QStringLiteral("function"),
                                            QStringLiteral("Nummer der Funktion, ab 1"), QStringLiteral("N")};
    const QCommandLineOption precisionOption{
        QStringLiteral("precision"), QStringLiteral("Rechengenauigkeit, 1 bis 10"), QStringLiteral("P")};
    parser.addOption(discussOption);
    parser.addOption(functionOption);
    parser.addOption(precisionOption);
    parser.addPositionalArgument(QStringLiteral("ANALYSIS"),
                                 QStringLiteral("table, zeros, extrema, inflections oder monotony"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Funktions-Graph (*.zel)"));
    const QString usage = QStringLiteral(
        "usage: vexplot --discuss table|zeros|extrema|inflections|monotony FILE [--function N] "
        "[--precision P]");
    if (!parser.parse(arguments)) {
        Complain(parser.errorText() + QStringLiteral("; ") + usage);
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
        Complain(QStringLiteral("unknown analysis \"%1\"; ").arg(name) + usage);
        return std::nullopt;
    }
    request.kind = static_cast<EAnalysis>(index);
    request.file = parser.positionalArguments().at(1);

    if (parser.isSet(functionOption)) {
        const std::optional<int> n = ParseCount(parser.value(functionOption));
        if (!n || *n < 1) {
            Complain(QStringLiteral("--function %1: expected a function number from 1")
                         .arg(parser.value(functionOption)));
            return std::nullopt;
        }
        request.function = *n;
    }
    if (parser.isSet(precisionOption)) {
        const std::optional<int> p = ParseCount(parser.value(precisionOption));
        if (!p || *p < 1 || *p > 10) {
            Complain(QStringLiteral("--precision %1: expected a precision from 1 to 10")
                         .arg(parser.value(precisionOption)));
            return std::nullopt;
        }
        request.precision = *p;
    }
    return request;
}

// Result lines to standard output; the progress, when standard error is a terminal, on one line
// there that is wiped at the end, so that standard output carries nothing but the lines.
class CConsoleSink final : public IAnalysisSink
{
public:
    CConsoleSink() : m_showProgress{isatty(STDERR_FILENO) == 1} {}

    void AddLine(std::string line) override
    {
        const std::string text = Cp1252ToUtf8(line);
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
    }

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

private:
    bool m_showProgress;
};

} // namespace

int RunDiscussCommand(int& argc, char** argv)
{
    QCoreApplication app{argc, argv};
    const std::optional<DiscussRequest> request = ParseArguments(argc, argv);
    if (!request) {
        return kExitUsage;
    }

    CZelDoc doc;
    std::string error;
    if (!ReadGraphFileFromPath(QFile::encodeName(request->file).toStdString(), doc, error)) {
        Complain(request->file + QStringLiteral(": ") + QString::fromStdString(error));
        return kExitUnreadable;
    }
    const CFunctionList functions = doc.GetFunctions();
    if (static_cast<std::size_t>(request->function) > functions.size()) {
        Complain(QStringLiteral("--function %1: %2 holds %3 function(s)")
                     .arg(request->function)
                     .arg(request->file)
                     .arg(functions.size()));
        return kExitUsage;
    }

    const int precision = request->precision.value_or(
        CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 3));
    CConsoleSink sink;
    RunAnalysis(request->kind, functions[static_cast<std::size_t>(request->function) - 1], doc.GetScaling(),
                precision, sink);
    // A full disk or a closed pipe must not pass for a complete discussion.
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        Complain(QStringLiteral("the result lines could not be written"));
        return kExitUnreadable;
    }
    return kExitOk;
}
