// vexplot --discuss ANALYSIS FILE [--function N] [--precision P] [--exact] [--digits D]: the lines of one
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

#include <array>
#include <cerrno>
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
constexpr std::array<const char*, 5> kAnalysisNames{"table", "zeros", "extrema", "inflections", "monotony"};

struct DiscussRequest
{
    EAnalysis kind{EAnalysis::ValueTable};
    QString file;
    int function{1};
    std::optional<int> precision;
    SDiscussOptions options;
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
    parser.addOption(discussOption);
    parser.addOption(functionOption);
    parser.addOption(precisionOption);
    parser.addOption(exactOption);
    parser.addOption(digitsOption);
    parser.addPositionalArgument(QStringLiteral("ANALYSIS"),
                                 QStringLiteral("table, zeros, extrema, inflections oder monotony"));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Funktions-Graph (*.zel)"));
    const QString usage = QStringLiteral(
        "Aufruf: vexplot --discuss table|zeros|extrema|inflections|monotony DATEI [--function N] "
        "[--precision P] [--exact] [--digits D]");
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

    const int precision = request->precision.value_or(
        CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 3));
    const CGraphFunction& function = content.functions[static_cast<std::size_t>(request->function) - 1];
    CConsoleSink sink;
    RunAnalysis(request->kind, function, content.scaling, precision, request->options, sink);
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
