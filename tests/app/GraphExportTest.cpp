// "Datei → Exportieren..." writes the bytes `vexplot --export` writes from the same file at the
// same size, and reports failures in the command line's words.
#include "AppTestSupport.h"

#include "app/GraphDocument.h"
#include "app/GraphExport.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray CommandLineExport(const QString& input, const QString& output, QSize size)
{
    QProcess process;
    process.start(QStringLiteral(VEXPLOT_PATH),
                  {QStringLiteral("--export"), output, input, QStringLiteral("--size"),
                   QStringLiteral("%1x%2").arg(size.width()).arg(size.height())});
    process.waitForFinished(60000);
    return ReadBytes(output);
}

SExportPrompts Answering(const QString& path, EGraphFormat format, std::optional<QSize> size, QString* error)
{
    SExportPrompts prompts;
    prompts.askFileName = [path, format](const QString&, EGraphFormat& chosen) {
        chosen = format;
        return path;
    };
    prompts.askSize = [size](QSize) { return size; };
    prompts.showError = [error](const QString& message) { *error = message; };
    return prompts;
}

} // namespace

TEST(GraphExport, WritesTheBytesOfTheCommandLine)
{
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("welle.zel"));
    WriteBytes(input, SampleGraphBytes("sin(x)*x"));
    CGraphDocument document;
    QString error;
    ASSERT_TRUE(document.Load(input, error)) << error.toStdString();
    const struct
    {
        EGraphFormat format;
        const char* name;
        QSize size;
    } cases[] = {{EGraphFormat::Png, "a.png", {640, 480}},
                 {EGraphFormat::Svg, "a.svg", {500, 300}},
                 {EGraphFormat::Pdf, "a.pdf", {800, 600}}};
    for (const auto& c : cases) {
        const QString menu = dir.filePath(QStringLiteral("menu-") + QLatin1String(c.name));
        const QString cli = dir.filePath(QStringLiteral("cli-") + QLatin1String(c.name));
        ASSERT_TRUE(ExportGraph(document, c.size, Answering(menu, c.format, c.size, &error))) << c.name;
        const QByteArray written = ReadBytes(menu);
        ASSERT_FALSE(written.isEmpty()) << c.name;
        const QByteArray expected = CommandLineExport(input, cli, c.size);
        if (c.format == EGraphFormat::Pdf) {
            // A PDF carries its creation time; the pages must agree in size.
            EXPECT_EQ(written.size(), expected.size()) << c.name;
        } else {
            EXPECT_EQ(written, expected) << c.name;
        }
    }
}

TEST(GraphExport, CancellingWritesNothingAndFailuresSpeakGerman)
{
    QTemporaryDir dir;
    CGraphDocument document;
    QString error;
    const QString target = dir.filePath(QStringLiteral("b.png"));
    EXPECT_FALSE(
        ExportGraph(document, {300, 200}, Answering(target, EGraphFormat::Png, std::nullopt, &error)));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_FALSE(
        ExportGraph(document, {300, 200}, Answering(QString{}, EGraphFormat::Png, QSize{3, 3}, &error)));

    const QString missing = dir.filePath(QStringLiteral("fehlt/b.png"));
    EXPECT_FALSE(
        ExportGraph(document, {300, 200}, Answering(missing, EGraphFormat::Png, QSize{30, 20}, &error)));
    EXPECT_TRUE(
        error.startsWith(QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: ").arg(missing)))
        << error.toStdString();
}
