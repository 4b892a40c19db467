// vexplot --export OUT FILE [--size WxH[cm]] [--dpi N] [--decimal-comma]: the graph of a file (or of terms
// given with --term and --family) drawn into an image, an SVG file or a PDF page, without a display. It
// paints exactly as the window and the printer do.
#include "cli/CommandLine.h"
#include "cli/FamilyOption.h"
#include "cli/ParserError.h"
#include "console/TermArguments.h"

#include "document/GraphFile.h"
#include "document/SliderState.h"
#include "document/SystemErrorText.h"
#include "framework/FileName.h"
#include "framework/GraphOutput.h"
#include "view/DrawLimits.h"
#include "view/GraphPaint.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>

#include <cstdio>
#include <optional>

#include <sys/stat.h>

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUnreadable = 1;
constexpr int kExitUsage = 2;

// Large enough for any screen, small enough that the image fits in memory.
constexpr int kMaxSide = 16384;

struct ExportRequest
{
    QString output;
    QString input;
    EGraphFormat format{EGraphFormat::Png};
    SPictureSize size{QSize{800, 600}};
    std::vector<std::string> terms;
    std::optional<SFamilyArgument> family;
    EDecimalSeparator separator{EDecimalSeparator::Point};
};

// Names in the message keep their bytes, so the terminal shows the name the user typed.
void Complain(const QString& message)
{
    std::fprintf(stderr, "vexplot: %s\n", EncodeFileName(message).constData());
}

// Qt's remarks about the environment (no runtime directory, no session) mean nothing to someone
// exporting a picture; only real failures get through.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        Complain(message);
    }
}

// Resolutions a size in centimetres may be drawn at: screen to the finest printer.
constexpr int kMinDotsPerInch = 72;
constexpr int kMaxDotsPerInch = 2400;

// A size in centimetres, "12x8cm" or "12.5x8,5cm", drawn at a resolution. Its pixels must fit the
// bound of a size in pixels.
std::optional<SPictureSize> ParseCentimetres(const QString& text, int dotsPerInch)
{
    static const QRegularExpression pattern{
        QStringLiteral("^(\\d{1,4}(?:[.,]\\d{1,3})?)[xX\u00D7](\\d{1,4}(?:[.,]\\d{1,3})?)cm$")};
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const double width = match.captured(1).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    const double height = match.captured(2).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    const SPictureSize size{QSizeF{width, height}, dotsPerInch};
    const QSize pixels = size.pixels;
    if (pixels.width() < 1 || pixels.height() < 1 || pixels.width() > kMaxSide ||
        pixels.height() > kMaxSide) {
        return std::nullopt;
    }
    return size;
}

std::optional<QSize> ParseSize(const QString& text)
{
    static const QRegularExpression pattern{QStringLiteral("^(\\d{1,5})[xX\u00D7](\\d{1,5})$")};
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

// Whether writing the output would replace the input: the same file by name, by a symbolic link
// or by a hard link, which all come down to the same device and inode.
bool IsSameFile(const QString& input, const QString& output)
{
    struct stat in
    {
    };
    struct stat out
    {
    };
    return ::stat(EncodeFileName(input).constData(), &in) == 0 &&
           ::stat(EncodeFileName(output).constData(), &out) == 0 && in.st_dev == out.st_dev &&
           in.st_ino == out.st_ino;
}

std::optional<ExportRequest> ParseArguments(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << DecodeFileName(QByteArray{argv[i]});
    }
    QCommandLineParser parser;
    const QCommandLineOption exportOption{
        QStringLiteral("export"), QStringLiteral("Zieldatei (.png, .svg, .pdf)"), QStringLiteral("OUT")};
    const QCommandLineOption sizeOption{QStringLiteral("size"), QStringLiteral("Bildgröße in Pixeln"),
                                        QStringLiteral("WxH")};
    const QCommandLineOption dpiOption{QStringLiteral("dpi"),
                                       QStringLiteral("Auflösung einer Größe in cm (Vorgabe 300)"),
                                       QStringLiteral("N")};
    parser.addOption(exportOption);
    parser.addOption(sizeOption);
    parser.addOption(dpiOption);
    const QCommandLineOption termOption{QStringLiteral("term"),
                                        QStringLiteral("Term in Schulschreibweise statt einer Datei"),
                                        QStringLiteral("TERM")};
    const QCommandLineOption familyOption{QStringLiteral("family"),
                                          QStringLiteral("Bereich der Scharkonstante k zu --term"),
                                          QStringLiteral("VON:BIS:SCHRITT")};
    const QCommandLineOption commaOption{QStringLiteral("decimal-comma"),
                                         QStringLiteral("Achsen mit Dezimalkomma beschriften")};
    parser.addOption(termOption);
    parser.addOption(familyOption);
    parser.addOption(commaOption);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Funktions-Graph (*.zel)"));
    const QString usage =
        QStringLiteral("Aufruf: vexplot --export ZIEL DATEI [--size BxH[cm] [--dpi N]] [--decimal-comma] "
                       "oder vexplot --export ZIEL --term TERM [--term TERM ...] "
                       "[--family VON:BIS:SCHRITT] [--size BxH[cm] [--dpi N]] "
                       "[--decimal-comma]");
    if (!parser.parse(arguments)) {
        Complain(ParserError(parser) + QStringLiteral("; ") + usage);
        return std::nullopt;
    }
    const bool terms = parser.isSet(termOption);
    if (!parser.isSet(exportOption) || parser.positionalArguments().size() != (terms ? 0 : 1)) {
        Complain(terms && !parser.positionalArguments().isEmpty()
                     ? QStringLiteral("entweder DATEI oder --term, nicht beides; ") + usage
                     : usage);
        return std::nullopt;
    }

    ExportRequest request;
    request.output = parser.value(exportOption);
    for (const QString& term : parser.values(termOption)) {
        request.terms.push_back(term.toStdString());
    }
    if (const std::optional<QString> error =
            ReadFamilyOption(parser, familyOption, terms, usage, request.family)) {
        Complain(*error);
        return std::nullopt;
    }
    if (parser.isSet(commaOption)) {
        request.separator = EDecimalSeparator::Comma;
    }
    request.input = terms ? QString{} : parser.positionalArguments().front();
    if (!terms && IsSameFile(request.input, request.output)) {
        Complain(QStringLiteral("\"%1\" ist die Eingabedatei selbst: das Bild würde den Graphen \"%2\" "
                                "ersetzen. Bitte ein anderes Ziel angeben.")
                     .arg(request.output, request.input));
        return std::nullopt;
    }
    const std::optional<EGraphFormat> format = CGraphOutput::FormatOfName(request.output);
    if (!format) {
        Complain(QStringLiteral("\"%1\": das Ziel muss auf .png, .svg oder .pdf enden").arg(request.output));
        return std::nullopt;
    }
    request.format = *format;
    const QString sizeText = parser.value(sizeOption);
    const bool centimetres = sizeText.endsWith(QLatin1String("cm"));
    int dotsPerInch = SPictureSize::kDefaultDotsPerInch;
    if (parser.isSet(dpiOption)) {
        bool ok = false;
        dotsPerInch = parser.value(dpiOption).toInt(&ok);
        if (!ok || dotsPerInch < kMinDotsPerInch || dotsPerInch > kMaxDotsPerInch) {
            Complain(QStringLiteral("--dpi %1: erwartet wird eine ganze Zahl von %2 bis %3")
                         .arg(parser.value(dpiOption))
                         .arg(kMinDotsPerInch)
                         .arg(kMaxDotsPerInch));
            return std::nullopt;
        }
        // Pixels have no resolution of their own: a --dpi that changes nothing is a mistake.
        if (!centimetres) {
            Complain(QStringLiteral("--dpi gilt nur zusammen mit einer Größe in cm, etwa --size 12x8cm"));
            return std::nullopt;
        }
    }
    if (centimetres) {
        const std::optional<SPictureSize> size = ParseCentimetres(sizeText, dotsPerInch);
        if (!size) {
            Complain(QStringLiteral("--size %1: erwartet wird BreitexHöhecm, etwa 12x8cm, das bei %2 dpi "
                                    "je Seite 1 bis %3 Pixel ergibt")
                         .arg(sizeText)
                         .arg(dotsPerInch)
                         .arg(kMaxSide));
            return std::nullopt;
        }
        request.size = *size;
    } else if (parser.isSet(sizeOption)) {
        const std::optional<QSize> size = ParseSize(sizeText);
        if (!size) {
            Complain(QStringLiteral("--size %1: erwartet wird BreitexHöhe, jede von 1 bis %2")
                         .arg(sizeText)
                         .arg(kMaxSide));
            return std::nullopt;
        }
        request.size = *size;
    }
    return request;
}

} // namespace

int RunExportCommand(int& argc, char** argv, GraphFileWriter write)
{
    const std::optional<ExportRequest> request = ParseArguments(argc, argv);
    if (!request) {
        return kExitUsage;
    }

    // Read before Qt starts, so that a broken file is reported in exactly one line.
    CGraphContent content;
    std::string error;
    if (!request->terms.empty()) {
        std::optional<CGraphContent> typed = ContentOfTerms(request->terms, request->family, error);
        if (!typed) {
            Complain(QString::fromStdString(error));
            return kExitUsage;
        }
        content = std::move(*typed);
    } else if (!ReadGraphContentFromPath(EncodeFileName(request->input).toStdString(), content, error)) {
        Complain(DecodeFileName(QByteArray::fromStdString(error)));
        return kExitUnreadable;
    }

    WarnAboutFaultyTerms(content.functions);

    // Fonts and painting need an application object, but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(QuietMessages);
    QGuiApplication app{argc, argv};

    CGraphOutput graph{content.functions, content.objects, content.scaling};
    graph.SetTitle(request->terms.empty() ? QFileInfo{request->input}.fileName()
                                          : QString::fromStdString(request->terms.front()));
    graph.SetDecimalSeparator(request->separator);
    graph.SetDerivedCurves(content.derived);
    graph.SetAreas(content.areas);
    // A graph saved with its slider on is drawn at the slider's member, as the window showed it.
    if (const std::optional<SSliderState> slider = ActiveSliderOf(content.functions, content.slider)) {
        graph.SetFamilyFocus(SFamilyFocus{slider->function, slider->k, false});
    }
    int code = 0;
    if (!write(graph, request->format, request->size, request->output, code)) {
        Complain(
            code != 0
                ? QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2.")
                      .arg(request->output, QString::fromStdString(SystemErrorText(code)))
                : QStringLiteral("Das Bild für \"%1\" konnte nicht erzeugt werden.").arg(request->output));
        return kExitUnreadable;
    }
    if (graph.CurvesLeftOut()) {
        Complain(QStringLiteral("Nur die ersten %1 von %2 Funktionen wurden gezeichnet: eine Zeichnung "
                                "nimmt höchstens %3 Kurven auf.")
                     .arg(FunctionsWithinCurveBudget(content.functions))
                     .arg(content.functions.size())
                     .arg(kMaxCurvesPerDrawing));
    }
    if (graph.ObjectsLeftOut()) {
        Complain(QStringLiteral("Nur die ersten %1 von %2 Objekten wurden gezeichnet: eine Zeichnung nimmt "
                                "höchstens %1 Objekte auf.")
                     .arg(kMaxObjectsPerDrawing)
                     .arg(content.objects.size()));
    }
    return kExitOk;
}
