// vexplot --export OUT FILE [--size WxH]: the graph of a file drawn into an image, an SVG file or
// a PDF page, without a display. It paints exactly as the window and the printer do.
#include "cli/CommandLine.h"

#include "document/GraphFile.h"
#include "document/ZelDoc.h"
#include "framework/PainterContext.h"
#include "view/GraphPaint.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSvgGenerator>

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
    const QString usage = QStringLiteral("usage: vexplot --export OUT FILE [--size WxH]");
    if (!parser.parse(arguments)) {
        Complain(parser.errorText() + QStringLiteral("; ") + usage);
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
        Complain(QStringLiteral("%1: the output must end in .png, .svg or .pdf").arg(request.output));
        return std::nullopt;
    }
    if (parser.isSet(sizeOption)) {
        const std::optional<QSize> size = ParseSize(parser.value(sizeOption));
        if (!size) {
            Complain(QStringLiteral("--size %1: expected WxH, each from 1 to %2")
                         .arg(parser.value(sizeOption))
                         .arg(kMaxSide));
            return std::nullopt;
        }
        request.size = *size;
    }
    return request;
}

// The graph as a window client area of this size shows it.
bool ExportRaster(const CZelDoc& doc, const ExportRequest& request)
{
    QImage image{request.size, QImage::Format_RGB32};
    if (image.isNull()) {
        return false;
    }
    image.fill(Qt::white);
    {
        QPainter painter{&image};
        CPainterContext dc{painter};
        PaintGraph(dc, CRect{0, 0, request.size.width(), request.size.height()}, doc.GetFunctions(),
                   doc.GetObjects(), doc.GetScaling());
    }
    return image.save(request.output, "PNG");
}

bool ExportSvg(const CZelDoc& doc, const ExportRequest& request)
{
    QSvgGenerator generator;
    generator.setFileName(request.output);
    generator.setSize(request.size);
    generator.setViewBox(QRect{QPoint{0, 0}, request.size});
    generator.setTitle(QFileInfo{request.input}.fileName());
    generator.setDescription(QStringLiteral("Vex Funktions-Plotter"));
    QPainter painter;
    if (!painter.begin(&generator)) {
        return false;
    }
    {
        CPainterContext dc{painter};
        PaintGraph(dc, CRect{0, 0, request.size.width(), request.size.height()}, doc.GetFunctions(),
                   doc.GetObjects(), doc.GetScaling());
    }
    return painter.end();
}

// One A4 page laid out as printing lays it out: each step measures the print size in centimetres.
bool ExportPdf(const CZelDoc& doc, const ExportRequest& request)
{
    QPrinter printer{QPrinter::HighResolution};
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(request.output);
    printer.setPageSize(QPageSize{QPageSize::A4});
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setCreator(QStringLiteral("Vex Funktions-Plotter"));
    printer.setDocName(QFileInfo{request.input}.fileName());
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    {
        CPainterContext dc{painter};
        PaintGraph(dc, PrintRectangleOn(printer, doc.GetScaling()), doc.GetFunctions(), doc.GetObjects(),
                   doc.GetScaling());
    }
    return painter.end();
}

} // namespace

int RunExportCommand(int& argc, char** argv)
{
    const std::optional<ExportRequest> request = ParseArguments(argc, argv);
    if (!request) {
        return kExitUsage;
    }

    // Read before Qt starts, so that a broken file is reported in exactly one line.
    CZelDoc doc;
    std::string error;
    if (!ReadGraphFileFromPath(QFile::encodeName(request->input).toStdString(), doc, error)) {
        Complain(QString::fromStdString(error));
        return kExitUnreadable;
    }

    // Fonts and painting need an application object, but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietMessages);
    QGuiApplication app{argc, argv};

    bool written = false;
    switch (request->format) {
    case Format::Png:
        written = ExportRaster(doc, *request);
        break;
    case Format::Svg:
        written = ExportSvg(doc, *request);
        break;
    case Format::Pdf:
        written = ExportPdf(doc, *request);
        break;
    }
    if (!written) {
        Complain(QStringLiteral("%1 cannot be written").arg(request->output));
        return kExitUnreadable;
    }
    return kExitOk;
}
