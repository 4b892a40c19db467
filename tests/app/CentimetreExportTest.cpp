// Exports on paper: a PDF page carries the graph in its centre, and a picture asked for in
// centimetres from the menu is the one the command line writes.
#include "AppTestSupport.h"
#include "PdfSupport.h"

#include "app/GraphDocument.h"
#include "app/GraphExport.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(CentimetreExport, PdfPageCentresTheGraph)
{
    const struct
    {
        double printX, printY;
    } cases[] = {{1.0, 1.0}, {1.5, 0.5}, {0.5, 2.0}, {0.8, 1.2}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("seite.pdf"));
    for (const auto& c : cases) {
        CFunctionList functions(1);
        functions[0].SetTerm("x^2");
        CScaling scaling;
        scaling.SetPrintSize(c.printX, c.printY);
        const CObjectList objects;
        CGraphOutput graph{functions, objects, scaling};
        int error = 0;
        ASSERT_TRUE(graph.WriteFile(EGraphFormat::Pdf, QSize{}, path, error));
        const SPdfPage page = ReadPdfPage(path);
        // The device matrix (dots to points) and the frame, the first closed rectangle drawn.
        const QString content = QString::fromLatin1(page.content);
        const auto cm =
            QRegularExpression{QStringLiteral(R"(([-\d.]+) 0 0 (-?[\d.]+) (-?[\d.]+) (-?[\d.]+) cm)")}.match(
                content);
        const auto frame =
            QRegularExpression{QStringLiteral(R"((\d+) (\d+) m\n\d+ \d+ l\n(\d+) (\d+) l\n)")}.match(content);
        ASSERT_TRUE(cm.hasMatch() && frame.hasMatch());
        const auto at = [&](int matrix, int offset, int dot) {
            return cm.captured(offset).toDouble() +
                   frame.captured(dot).toDouble() * cm.captured(matrix).toDouble();
        };
        const double left = at(1, 3, 1), right = page.mediaBox.width() - at(1, 3, 3);
        EXPECT_NEAR(left, right, 0.5) << c.printX << " x " << c.printY;
        EXPECT_NEAR(page.mediaBox.height() - at(2, 4, 2), at(2, 4, 4), 0.5) << c.printX << " x " << c.printY;
        // Twelve steps with the margins, each of the print size.
        EXPECT_NEAR(page.mediaBox.width() - left - right, 12 * c.printX / 2.54 * 72, 1.0) << c.printX;
    }
}

TEST(CentimetreExport, MenuAndCommandLineWriteTheSameSvg)
{
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("kurve.zel"));
    const QString menu = dir.filePath(QStringLiteral("menu.svg"));
    const QString cli = dir.filePath(QStringLiteral("cli.svg"));
    WriteBytes(input, SampleGraphBytes("1/x"));
    CGraphDocument document;
    QString error;
    ASSERT_TRUE(document.Load(input, error)) << error.toStdString();
    SExportPrompts prompts;
    prompts.askFileName = [&](const QString&, EGraphFormat& format) {
        format = EGraphFormat::Svg;
        return menu;
    };
    prompts.askSize = [](QSize) { return std::optional<SPictureSize>{SPictureSize{QSizeF{9.5, 6}, 150}}; };
    prompts.showError = [&](const QString& message) { error = message; };
    ASSERT_TRUE(ExportGraph(document, QSize{640, 480}, prompts)) << error.toStdString();
    QProcess process;
    process.start(QStringLiteral(VEXPLOT_PATH),
                  {QStringLiteral("--export"), cli, input, QStringLiteral("--size"),
                   QStringLiteral("9.5x6cm"), QStringLiteral("--dpi=150")});
    process.waitForFinished(60000);
    const QByteArray written = ReadBytes(menu);
    EXPECT_EQ(written, ReadBytes(cli));
    EXPECT_TRUE(written.contains("<svg width=\"9.5cm\" height=\"6cm\"\n viewBox=\"0 0 561 354\""));
}
