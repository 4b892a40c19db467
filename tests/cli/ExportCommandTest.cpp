// vexplot --export run as the user runs it: a separate process without a display.
#include "document/GraphFile.h"
#include "document/SystemErrorText.h"
#include "document/ZelDoc.h"
#include "view/GraphLayout.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ExportRun
{
    int exitCode{-1};
    QString errors;
};

// Limits the files the export may write to `bytes`, as a full disk would: a write beyond it fails.
void LimitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

ExportRun Export(const QStringList& arguments, rlim_t fileSizeLimit = RLIM_INFINITY)
{
    QProcess process;
    if (fileSizeLimit != RLIM_INFINITY) {
        process.setChildProcessModifier([fileSizeLimit] { LimitFileSize(fileSizeLimit); });
    }
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

    void WriteBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file{path};
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray ReadBytes(const QString& path) const
    {
        QFile file{path};
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray{};
    }

    // A graph that takes seconds to draw: five functions with a family of a thousand each
    // (`lastK` + 1 values).
    void WriteHeavyGraph(const QString& path, double lastK = 999)
    {
        CZelDoc doc;
        CGraphFunction f;
        f.SetTerm("sin(x*k)+k/100");
        f.SetUseFamilyConstant(1);
        f.SetRange(0, lastK, 1);
        doc.SetFunctions(CFunctionList(5, f));
        const std::vector<std::uint8_t> bytes = WriteGraphFile(doc);
        WriteBytes(path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                    static_cast<qsizetype>(bytes.size())));
    }

    // Everything in the folder but the graph files: what an export has left behind.
    QStringList Outputs() const
    {
        QStringList names = QDir{m_dir.path()}.entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.removeIf([](const QString& name) { return name.endsWith(QLatin1String(".zel")); });
        return names;
    }

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

// The multiplication sign reads as the x, as a size is written in print.
TEST_F(ExportCommand, SizeTakesTheMultiplicationSign)
{
    ASSERT_EQ(Export({Path("out.png"), Path("graph.zel"), QStringLiteral("--size=320\u00D7200")}).exitCode,
              0);
    EXPECT_EQ(QImage{Path("out.png")}.size(), QSize(320, 200));
}

// A size in centimetres gives the pixels its resolution puts on them and records the resolution;
// what cannot be meant is refused before anything is written.
TEST_F(ExportCommand, SizeInCentimetresAtAResolution)
{
    const struct
    {
        QStringList options;
        QSize pixels; // empty: refused
        int dotsPerMetre;
    } cases[] = {
        {{QStringLiteral("--size=12x8cm")}, {1417, 945}, 11811},
        {{QStringLiteral("--size=12,5x8.5cm"), QStringLiteral("--dpi=96")}, {472, 321}, 3780},
        {{QStringLiteral("--size=500x300"), QStringLiteral("--dpi=300")}, {0, 0}, 0},
        {{QStringLiteral("--size=200x100cm"), QStringLiteral("--dpi=300")}, {0, 0}, 0},
        {{QStringLiteral("--size=12x8cm"), QStringLiteral("--dpi=10")}, {0, 0}, 0},
    };
    for (const auto& c : cases) {
        QFile::remove(Path("out.png"));
        const ExportRun run = Export(QStringList{Path("out.png"), Path("graph.zel")} + c.options);
        EXPECT_EQ(run.exitCode, c.pixels.isEmpty() ? 2 : 0) << c.options.join(' ').toStdString();
        const QImage image{Path("out.png")};
        EXPECT_EQ(image.size(), c.pixels) << c.options.join(' ').toStdString();
        EXPECT_EQ(image.isNull() ? 0 : image.dotsPerMeterX(), c.dotsPerMetre);
    }
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

// A write that fails part-way (the disk full) fails the export with the system's reason, and
// the file that was there before is left exactly as it was, with nothing beside it.
TEST_F(ExportCommand, AFailedWriteKeepsThePreviousFile)
{
    const QByteArray previous = QByteArrayLiteral("the previous picture, which must survive");
    for (const char* name : {"out.svg", "out.pdf", "out.png"}) {
        const QString out = Path(name);
        WriteBytes(out, previous);
        const ExportRun run = Export({out, Path("graph.zel"), QStringLiteral("--size=3000x3000")}, 4096);
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_TRUE(run.errors.contains(out)) << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains(QString::fromStdString(SystemErrorText(EFBIG))))
            << run.errors.toStdString();
        EXPECT_EQ(ReadBytes(out), previous) << name;
        EXPECT_EQ(Outputs(), QStringList{QString::fromLatin1(name)}) << name;
        QFile::remove(out);
    }
}

TEST_F(ExportCommand, ADeviceThatTakesNothingFailsTheExport)
{
    for (const char* name : {"full.svg", "full.pdf", "full.png"}) {
        ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), Path(name)));
        const ExportRun run = Export({Path(name), Path("graph.zel")});
        EXPECT_EQ(run.exitCode, 1) << name;
        EXPECT_TRUE(run.errors.contains(QString::fromStdString(SystemErrorText(ENOSPC))))
            << run.errors.toStdString();
    }
}

// Stopped while it draws, an export leaves the previous file and no temporary file.
TEST_F(ExportCommand, AnInterruptedExportKeepsThePreviousFile)
{
    WriteHeavyGraph(Path("heavy.zel"));
    const QByteArray previous = QByteArrayLiteral("the previous picture");
    const struct
    {
        const char* name;
        int signal;
    } cases[] = {{"out.svg", SIGTERM}, {"out.pdf", SIGINT}};
    for (const auto& c : cases) {
        const QString out = Path(c.name);
        WriteBytes(out, previous);
        QProcess process;
        process.start(QStringLiteral(VEXPLOT_PATH), {QStringLiteral("--export"), out, Path("heavy.zel"),
                                                     QStringLiteral("--size=2000x2000")});
        ASSERT_TRUE(process.waitForStarted());
        // The temporary file appears once the output is opened, before the drawing starts.
        QElapsedTimer waited;
        waited.start();
        while (Outputs().size() < 2 && waited.elapsed() < 30000 && process.state() == QProcess::Running) {
            QThread::msleep(5);
        }
        ASSERT_EQ(Outputs().size(), 2) << c.name;
        ::kill(static_cast<pid_t>(process.processId()), c.signal);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::CrashExit) << c.name; // ended by the signal
        EXPECT_EQ(ReadBytes(out), previous) << c.name;
        EXPECT_EQ(Outputs(), QStringList{QString::fromLatin1(c.name)}) << c.name;
        QFile::remove(out);
    }
}

// Started with SIGHUP ignored, as nohup starts it, an export lives through a hang-up and finishes
// its file; a signal the caller ignores is none of the export's business.
TEST_F(ExportCommand, AnExportUnderNohupSurvivesAHangUp)
{
    // A tenth of the heavy graph: long enough to be hung up on, short enough to finish.
    WriteHeavyGraph(Path("heavy.zel"), 99);
    const QString out = Path("out.svg");
    QProcess process;
    process.setChildProcessModifier([] { std::signal(SIGHUP, SIG_IGN); });
    process.start(QStringLiteral(VEXPLOT_PATH),
                  {QStringLiteral("--export"), out, Path("heavy.zel"), QStringLiteral("--size=2000x2000")});
    ASSERT_TRUE(process.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    // The temporary file is there: the export has opened its output and draws.
    while (Outputs().isEmpty() && waited.elapsed() < 30000 && process.state() == QProcess::Running) {
        QThread::msleep(5);
    }
    ASSERT_EQ(Outputs().size(), 1);
    ASSERT_TRUE(Outputs().front().startsWith(QLatin1Char('.')));
    ::kill(static_cast<pid_t>(process.processId()), SIGHUP);
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    EXPECT_EQ(Outputs(), QStringList{QStringLiteral("out.svg")});
    EXPECT_TRUE(QSvgRenderer{out}.isValid());
}

// A new picture gets the rights the caller's umask gives, as any new file of the user would.
TEST_F(ExportCommand, ANewFileFollowsTheCallersUmask)
{
    const struct
    {
        const char* name;
        mode_t umask;
        mode_t mode;
    } cases[] = {{"private.png", 077, 0600}, {"shared.svg", 022, 0644}, {"group.pdf", 007, 0660}};
    for (const auto& c : cases) {
        QProcess process;
        const mode_t mask = c.umask;
        process.setChildProcessModifier([mask] { ::umask(mask); });
        process.start(QStringLiteral(VEXPLOT_PATH),
                      {QStringLiteral("--export"), Path(c.name), Path("graph.zel")});
        ASSERT_TRUE(process.waitForFinished(60000));
        ASSERT_EQ(process.exitCode(), 0) << c.name;
        struct stat info
        {
        };
        ASSERT_EQ(::stat(QFile::encodeName(Path(c.name)).constData(), &info), 0) << c.name;
        EXPECT_EQ(info.st_mode & 07777, c.mode) << c.name;
    }
}

// The output is opened before the drawing: a folder that is missing or is the target itself fails
// at once, with the reason.
TEST_F(ExportCommand, AnOutputThatCannotBeCreatedFailsWithItsReason)
{
    const QString missing = Path("no-such-folder/out.svg");
    const ExportRun run = Export({missing, Path("graph.zel")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(missing)) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QString::fromStdString(SystemErrorText(ENOENT))))
        << run.errors.toStdString();

    ASSERT_TRUE(QDir{m_dir.path()}.mkdir(QStringLiteral("folder.png")));
    const ExportRun folder = Export({Path("folder.png"), Path("graph.zel")});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_TRUE(folder.errors.contains(QStringLiteral("Ordner"))) << folder.errors.toStdString();
}

TEST_F(ExportCommand, ReadErrorsNameTheFile)
{
    const struct
    {
        QString input;
        const char* cause;
    } cases[] = {
        {Path("missing.zel"), "gibt es nicht"},
        {m_dir.path(), "Ordner"},
        {QStringLiteral("/dev/zero"), "keine gewöhnliche Datei"},
    };
    for (const auto& c : cases) {
        const ExportRun run = Export({Path("out.png"), c.input});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.errors.contains(c.input)) << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.cause))) << run.errors.toStdString();
    }
}

TEST_F(ExportCommand, TooManyCurvesAreToldOnStandardError)
{
    WriteHeavyGraph(Path("heavy.zel"));
    CZelDoc doc;
    CGraphFunction f;
    f.SetTerm("x+k");
    f.SetUseFamilyConstant(1);
    f.SetRange(0, 999, 1);
    doc.SetFunctions(CFunctionList(7, f));
    const std::vector<std::uint8_t> bytes = WriteGraphFile(doc);
    WriteBytes(Path("seven.zel"),
               QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    const ExportRun many = Export({Path("out.png"), Path("seven.zel"), QStringLiteral("--size=200x150")});
    EXPECT_EQ(many.exitCode, 0);
    EXPECT_TRUE(many.errors.contains(QStringLiteral("Nur die ersten 5 von 7 Funktionen")))
        << many.errors.toStdString();
    const ExportRun five = Export({Path("out.png"), Path("heavy.zel"), QStringLiteral("--size=200x150")});
    EXPECT_EQ(five.exitCode, 0);
    EXPECT_TRUE(five.errors.isEmpty()) << five.errors.toStdString();
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
        for (const char* english : {"usage", "expected", "Unknown", "Missing", "must end"}) {
            EXPECT_FALSE(run.errors.contains(QLatin1String(english))) << run.errors.toStdString();
        }
        EXPECT_FALSE(QFile::exists(out));
    }
}

} // namespace

namespace {

// Runs vexplot with arguments given as bytes: QProcess would pass names that are not UTF-8 as
// other names. Returns the exit code, or -1 when it did not end normally.
int RunWithBytes(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    std::string program = VEXPLOT_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

// The graph must never be replaced by its own picture, whichever way the output names it.
TEST_F(ExportCommand, TheInputIsNeverTheOutput)
{
    const QByteArray graph = ReadBytes(Path("graph.zel"));
    ASSERT_TRUE(QFile::link(Path("graph.zel"), Path("link.png")));
    ASSERT_EQ(::link(QFile::encodeName(Path("graph.zel")).constData(),
                     QFile::encodeName(Path("hard.svg")).constData()),
              0);
    const struct
    {
        const char* how;
        QString output;
    } cases[] = {{"same path", Path("graph.zel")},
                 {"same path, other spelling", m_dir.path() + QStringLiteral("/./graph.zel")},
                 {"symbolic link", Path("link.png")},
                 {"hard link", Path("hard.svg")}};
    for (const auto& c : cases) {
        const ExportRun run = Export({c.output, Path("graph.zel")});
        EXPECT_EQ(run.exitCode, 2) << c.how;
        EXPECT_TRUE(run.errors.contains(QStringLiteral("Eingabedatei"))) << c.how << run.errors.toStdString();
        EXPECT_EQ(ReadBytes(Path("graph.zel")), graph) << c.how;
    }
}

// A file without write permission is the user's word that it stays, also for the superuser.
TEST_F(ExportCommand, AReadOnlyTargetIsLeftAlone)
{
    const QByteArray previous = QByteArrayLiteral("a protected picture");
    WriteBytes(Path("kept.png"), previous);
    ASSERT_EQ(::chmod(QFile::encodeName(Path("kept.png")).constData(), 0444), 0);
    const ExportRun run = Export({Path("kept.png"), Path("graph.zel")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Keine Berechtigung"))) << run.errors.toStdString();
    EXPECT_EQ(ReadBytes(Path("kept.png")), previous);
    ::chmod(QFile::encodeName(Path("kept.png")).constData(), 0644);
}

// Names are bytes: one that is not UTF-8 is read and written under exactly its bytes, and a name
// of the longest legal length still leaves room for the temporary file beside it.
TEST_F(ExportCommand, NamesAreBytes)
{
    const std::string folder = QFile::encodeName(m_dir.path()).toStdString();
    const std::string input = folder + "/\xff\xfe.zel";
    ASSERT_EQ(::link((folder + "/graph.zel").c_str(), input.c_str()), 0);
    const struct
    {
        const char* what;
        std::string output;
    } cases[] = {{"not UTF-8", folder + "/out\xe4.png"},
                 {"255 bytes", folder + "/" + std::string(251, 'n') + ".svg"}};
    for (const auto& c : cases) {
        EXPECT_EQ(RunWithBytes({"--export", c.output, input}), 0) << c.what;
        struct stat info
        {
        };
        EXPECT_EQ(::stat(c.output.c_str(), &info), 0) << c.what << ": not written under its own name";
        EXPECT_GT(info.st_size, 0) << c.what;
    }
    EXPECT_EQ(RunWithBytes({"--discuss", "zeros", input}), 0);
}
