// vexplot --export run as the user runs it: a separate process without a display.
#include "document/GraphFile.h"
#include "document/ZelDoc.h"
#include "view/GraphLayout.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct ExportRun
{
    int exitCode{-1};
    QString errors;
};

ExportRun Export(const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The command must find its way without a display and without being told the platform.
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VEXPLOT_PATH), QStringList{QStringLiteral("--export")} + arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        return {};
    }
    return ExportRun{process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

class ExportCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        // The default scaling with automatic y scaling; y = x keeps the range at -5 to 5.
        CZelDoc doc;
        CGraphFunction f;
        f.SetTerm("x");
        f.SetColor(0x0000ff);
        doc.SetFunctions({f});
        const std::vector<std::uint8_t> bytes = WriteGraphFile(doc);
        QFile file{Path("graph.zel")};
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }

    QString Path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir m_dir;
};

TEST_F(ExportCommand, PngShowsTheGraphAsAWindowWould)
{
    const ExportRun run =
        Export({Path("out.png"), Path("graph.zel"), QStringLiteral("--size"), QStringLiteral("500x300")});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QImage image{Path("out.png")};
    ASSERT_EQ(image.size(), QSize(500, 300));
    // The axes cross at (249, 150) as the mapping puts them; y = x passes (X(2), Y(2)).
    const CGraphLayout map{CRect{0, 0, 500, 300}, {-5, 5, 1}, {-5, 5, 1}};
    for (int x : {20, 100, 400, 480}) {
        EXPECT_EQ(image.pixel(x, 150), qRgb(0, 0, 0)) << x;
    }
    for (int y : {10, 60, 260, 290}) {
        EXPECT_EQ(image.pixel(249, y), qRgb(0, 0, 0)) << y;
    }
    bool curve = false;
    for (int y = map.Y(2) - 1; y <= map.Y(2) + 1; ++y) {
        curve = curve || image.pixel(map.X(2), y) == qRgb(255, 0, 0);
    }
    EXPECT_TRUE(curve);
}

TEST_F(ExportCommand, PngDefaultsTo800By600)
{
    ASSERT_EQ(Export({Path("out.png"), Path("graph.zel")}).exitCode, 0);
    EXPECT_EQ(QImage{Path("out.png")}.size(), QSize(800, 600));
}

TEST_F(ExportCommand, SvgAndPdf)
{
    ASSERT_EQ(Export({Path("out.svg"), Path("graph.zel"), QStringLiteral("--size=640x480")}).exitCode, 0);
    QSvgRenderer svg{Path("out.svg")};
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 640, 480));

    ASSERT_EQ(Export({Path("out.pdf"), Path("graph.zel")}).exitCode, 0);
    QFile pdf{Path("out.pdf")};
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_GT(pdf.size(), 1000);
}

TEST_F(ExportCommand, UnreadableFileWritesNothing)
{
    QFile broken{Path("broken.zel")};
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\x00\x00\x00", 3);
    broken.close();
    for (const char* input : {"broken.zel", "missing.zel"}) {
        const ExportRun run = Export({Path("out.png"), Path(input)});
        EXPECT_EQ(run.exitCode, 1) << input;
        EXPECT_EQ(run.errors.trimmed().count(QLatin1Char('\n')), 0) << run.errors.toStdString();
        EXPECT_FALSE(run.errors.trimmed().isEmpty());
        EXPECT_FALSE(QFile::exists(Path("out.png"))) << input;
    }
}

TEST_F(ExportCommand, WrongArguments)
{
    const QString in = Path("graph.zel");
    const QString out = Path("out.png");
    const std::vector<QStringList> cases{
        {out},                 // no graph file
        {out, in, in},         // two graph files
        {Path("out.bmp"), in}, // no known format
        {Path("out"), in},     // no format at all
        {out, in, QStringLiteral("--size"), QStringLiteral("0x100")},
        {out, in, QStringLiteral("--size"), QStringLiteral("800")},
        {out, in, QStringLiteral("--size"), QStringLiteral("100000x5")},
        {out, in, QStringLiteral("--size")},   // size without its value
        {out, in, QStringLiteral("--colour")}, // unknown option
    };
    for (const QStringList& arguments : cases) {
        const ExportRun run = Export(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(run.errors.isEmpty());
        EXPECT_FALSE(QFile::exists(out));
    }
}

} // namespace
