// vexplot --export OUT FILE [--size WxH]: the graph of a file drawn into an image, an SVG file or
// a PDF page, without a display. It paints exactly as the window and the printer do.
#include "cli/CommandLine.h"
#include "cli/GraphExport.h"
#include "cli/OutputFile.h"
#include "cli/ParserError.h"

#include "document/GraphFile.h"
#include "view/DrawLimits.h"
#include "view/GraphPaint.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>

#include <cstdio>
#include <optional>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUnreadable = 1;
constexpr int kExitUsage = 2;

// Large enough for any screen, small enough that the image fits in memory.
constexpr int kMaxSide = 16384;

enum class Format
{
    Png,
    Svg,
    Pdf
};

struct ExportRequest
{
    QString output;
    QString input;
    Format format{Format::Png};
    QSize size{800, 600};
};

void Complain(const QString& message)
{
    std::fprintf(stderr, "vexplot: %s\n", message.toLocal8Bit().constData());
}

// Qt's remarks about the environment (no runtime directory, no session) mean nothing to someone
// exporting a picture; only real failures get through.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        Complain(message);
    }
}

std::optional<QSize> ParseSize(const QString& text)
{
    static const QRegularExpression pattern{QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$")};
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        return std::nullopt;
    }
    return QSize{width, height};
}

std::optional<ExportRequest> ParseArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser parser;
    const QCommandLineOption exportOption{
        QStringLiteral("export"), QStringLiteral("Zieldatei (.png, .svg, .pdf)"), QStringLiteral("OUT")};
    const QCommandLineOption sizeOption{QStringLiteral("size"), QStringLiteral("Bildgröße in Pixeln"),
                                        QStringLiteral("WxH")};
    parser.addOption(exportOption);
    parser.addOption(sizeOption);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Funktions-Graph (*.zel)"));
    const QString usage = QStringLiteral("Aufruf: vexplot --export ZIEL DATEI [--size BxH]");
    if (!parser.parse(arguments)) {
        Complain(ParserError(parser) + QStringLiteral("; ") + usage);
        return std::nullopt;
    }
    if (!parser.isSet(exportOption) || parser.positionalArguments().size() != 1) {
        Complain(usage);
        return std::nullopt;
    }

    ExportRequest request;
    request.output = parser.value(exportOption);
    request.input = parser.positionalArguments().front();
    const QString suffix = QFileInfo{request.output}.suffix().toLower();
    if (suffix == QLatin1String("png")) {
        request.format = Format::Png;
    } else if (suffix == QLatin1String("svg")) {
        request.format = Format::Svg;
    } else if (suffix == QLatin1String("pdf")) {
        request.format = Format::Pdf;
    } else {
        Complain(QStringLiteral("\"%1\": das Ziel muss auf .png, .svg oder .pdf enden").arg(request.output));
        return std::nullopt;
    }
    if (parser.isSet(sizeOption)) {
        const std::optional<QSize> size = ParseSize(parser.value(sizeOption));
        if (!size) {
            Complain(QStringLiteral("--size %1: erwartet wird BreitexHöhe, jede von 1 bis %2")
                         .arg(parser.value(sizeOption))
                         .arg(kMaxSide));
            return std::nullopt;
        }
        request.size = *size;
    }
    return request;
}

} // namespace

int RunExportCommand(int& argc, char** argv)
{
    const std::optional<ExportRequest> request = ParseArguments(argc, argv);
    if (!request) {
        return kExitUsage;
    }

    // Read before Qt starts, so that a broken file is reported in exactly one line.
    CGraphContent content;
    std::string error;
    if (!ReadGraphContentFromPath(QFile::encodeName(request->input).toStdString(), content, error)) {
        Complain(QString::fromStdString(error));
        return kExitUnreadable;
    }

    // Opened before anything is drawn: a missing or read-only folder is told at once, not after
    // the rendering. The previous file stays until the new one is complete.
    COutputFile output{request->output};
    QString outputError;
    if (!output.Open(outputError)) {
        Complain(outputError);
        return kExitUnreadable;
    }

    // Fonts and painting need an application object, but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietMessages);
    QGuiApplication app{argc, argv};

    CGraphExport graph{content, QFileInfo{request->input}.fileName()};
    bool drawn = false;
    switch (request->format) {
    case Format::Png:
        drawn = graph.WritePng(request->size, output.Device());
        break;
    case Format::Svg:
        drawn = graph.WriteSvg(request->size, output.Device());
        break;
    case Format::Pdf:
        drawn = graph.WritePdf(output.Device());
        break;
    }
    if (!drawn) {
        const QString writeFailure = output.WriteFailure();
        Complain(writeFailure.isEmpty()
                     ? QStringLiteral("Das Bild für \"%1\" konnte nicht erzeugt werden.").arg(request->output)
                     : writeFailure);
        return kExitUnreadable;
    }
    if (!output.Commit(outputError)) {
        Complain(outputError);
        return kExitUnreadable;
    }
    if (graph.CurvesLeftOut()) {
        Complain(QStringLiteral("Nur die ersten %1 von %2 Funktionen wurden gezeichnet: eine Zeichnung "
                                "nimmt höchstens %3 Kurven auf.")
                     .arg(FunctionsWithinCurveBudget(content.functions))
                     .arg(content.functions.size())
                     .arg(kMaxCurvesPerDrawing));
    }
    return kExitOk;
}
