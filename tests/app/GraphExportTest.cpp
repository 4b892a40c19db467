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

// The dialog asks nothing itself: the question about an existing file is asked about the name that
// gets written, extension included, and "No" goes back to the dialog.
TEST(GraphExport, TheNameAskedAboutIsTheNameWritten)
{
    QTemporaryDir dir;
    for (const char* existing : {"bild.png", "g.zel"}) {
        WriteBytes(dir.filePath(QLatin1String(existing)), QByteArray{"x"});
    }
    const struct
    {
        const char* typed;
        EGraphFormat filter;
        bool replace;
        const char* asked; // nullptr: no question
        const char* written; // nullptr: cancelled
        EGraphFormat format;
    } cases[] = {
        {"bild", EGraphFormat::Png, true, "bild.png", "bild.png", EGraphFormat::Png},
        {"bild", EGraphFormat::Png, false, "bild.png", nullptr, EGraphFormat::Png},
        {"bild", EGraphFormat::Svg, true, nullptr, "bild.svg", EGraphFormat::Svg},
        {"g.zel", EGraphFormat::Png, true, nullptr, "g.zel.png", EGraphFormat::Png},
        {"bild.png", EGraphFormat::Pdf, true, "bild.png", "bild.png", EGraphFormat::Png},
        {"neu.SVG", EGraphFormat::Png, true, nullptr, "neu.SVG", EGraphFormat::Svg},
    };
    for (const auto& c : cases) {
        QStringList asked;
        int dialogs = 0;
        SExportNamePrompts prompts;
        prompts.askTypedName = [&](const QString&, EGraphFormat& chosen) {
            chosen = c.filter;
            // A second dialog after "No" is cancelled.
            return dialogs++ == 0 ? dir.filePath(QLatin1String(c.typed)) : QString{};
        };
        prompts.confirmReplace = [&](const QString& path) {
            asked << path;
            return c.replace;
        };
        EGraphFormat format = EGraphFormat::Png;
        const QString written = AskExportName(prompts, QStringLiteral("vorschlag.png"), format);
        EXPECT_EQ(asked, c.asked ? QStringList{dir.filePath(QLatin1String(c.asked))} : QStringList{}) << c.typed;
        EXPECT_EQ(written, c.written ? dir.filePath(QLatin1String(c.written)) : QString{}) << c.typed;
        if (c.written) {
            EXPECT_EQ(format, c.format) << c.typed;
        }
    }
}
