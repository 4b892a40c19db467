// Exports on paper: a PDF page carries the graph in its centre, and a picture asked for in
// centimetres is the same from the menu and from the command line.
#include "AppTestSupport.h"
#include "PdfSupport.h"

#include "app/GraphDocument.h"
#include "app/GraphExport.h"
#include "framework/GraphOutput.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The margins of the graph's frame (the first closed rectangle drawn) on the page, in points.
struct SMargins
{
    double left{-1}, right{-1}, top{-1}, bottom{-1};
};

SMargins FrameMargins(const SPdfPage& page)
{
    SMargins margins;
    const QString content = QString::fromLatin1(page.content);
    const QRegularExpression matrix{QStringLiteral(R"(([-\d.]+) 0 0 (-?[\d.]+) (-?[\d.]+) (-?[\d.]+) cm)")};
    const QRegularExpression frame{
        QStringLiteral(R"((\d+) (\d+) m\n(\d+) (\d+) l\n(\d+) (\d+) l\n(\d+) (\d+) l\n\d+ \d+ l\nh\n)")};
    const QRegularExpressionMatch cm = matrix.match(content);
    const QRegularExpressionMatch box = frame.match(content);
    if (!cm.hasMatch() || !box.hasMatch()) {
        return margins;
    }
    const double a = cm.captured(1).toDouble();
    const double d = cm.captured(2).toDouble();
    const double e = cm.captured(3).toDouble();
    const double f = cm.captured(4).toDouble();
    const double left = box.captured(1).toDouble();
    const double top = box.captured(2).toDouble();
    const double right = box.captured(5).toDouble();
    const double bottom = box.captured(6).toDouble();
    margins.left = e + left * a;
    margins.right = page.mediaBox.width() - (e + right * a);
    margins.top = page.mediaBox.height() - (f + top * d);
    margins.bottom = f + bottom * d;
    return margins;
}

TEST(CentimetreExport, PdfPageCentresTheGraph)
{
    const struct
    {
        double printX;
        double printY;
    } cases[] = {{1.0, 1.0}, {1.5, 0.5}, {0.5, 2.0}, {0.8, 1.2}};
    QTemporaryDir dir;
    for (const auto& c : cases) {
        CFunctionList functions(1);
        functions[0].SetTerm("x^2");
        const CObjectList objects;
        CScaling scaling;
        scaling.SetAutoScaleY(0);
        scaling.SetPrintSize(c.printX, c.printY);
        CGraphOutput graph{functions, objects, scaling};
        const QString path = dir.filePath(QStringLiteral("seite.pdf"));
        int error = 0;
        ASSERT_TRUE(graph.WriteFile(EGraphFormat::Pdf, QSize{}, path, error));
        const SMargins m = FrameMargins(ReadPdfPage(path));
        ASSERT_GT(m.left, 0) << c.printX << " x " << c.printY;
        // One device dot of rounding at most, a small fraction of a point.
        EXPECT_NEAR(m.left, m.right, 0.5) << c.printX << " x " << c.printY;
        EXPECT_NEAR(m.top, m.bottom, 0.5) << c.printX << " x " << c.printY;
        // Each step measures the print size: 12 steps with the margins, in points.
        EXPECT_NEAR(595.0 - m.left - m.right, 12 * c.printX / 2.54 * 72, 1.0) << c.printX;
    }
}

TEST(CentimetreExport, MenuAndCommandLineWriteTheSameCentimetres)
{
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("kurve.zel"));
    WriteBytes(input, SampleGraphBytes("1/x"));
    CGraphDocument document;
    QString error;
    ASSERT_TRUE(document.Load(input, error)) << error.toStdString();
    for (const char* name : {"a.svg", "a.png"}) {
        const QString menu = dir.filePath(QStringLiteral("menu-") + QLatin1String(name));
        const QString cli = dir.filePath(QStringLiteral("cli-") + QLatin1String(name));
        SExportPrompts prompts;
        prompts.askFileName = [&](const QString&, EGraphFormat& format) {
            format = *CGraphOutput::FormatOfName(menu);
            return menu;
        };
        prompts.askSize = [](QSize) {
            return std::optional<SPictureSize>{SPictureSize{QSizeF{9.5, 6}, 150}};
        };
        prompts.showError = [&](const QString& message) { error = message; };
        ASSERT_TRUE(ExportGraph(document, QSize{640, 480}, prompts)) << error.toStdString();
        QProcess process;
        process.start(QStringLiteral(VEXPLOT_PATH),
                      {QStringLiteral("--export"), cli, input, QStringLiteral("--size"),
                       QStringLiteral("9.5x6cm"), QStringLiteral("--dpi"), QStringLiteral("150")});
        process.waitForFinished(60000);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        const QByteArray written = ReadBytes(menu);
        EXPECT_EQ(written, ReadBytes(cli)) << name;
        if (QByteArray{name}.endsWith("svg")) {
            EXPECT_TRUE(written.contains("<svg width=\"9.5cm\" height=\"6cm\"\n viewBox=\"0 0 561 354\""))
                << name;
        }
    }
}

} // namespace
