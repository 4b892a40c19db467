#include "cli/CommandLine.h"
#include "console/Usage.h"

#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct SPickCase
{
    std::vector<const char*> args;
    ECommand expected;
};

// The help wins wherever it stands, then the version; of the headless options the first decides;
// a file name that merely contains one of the words does not count.
TEST(CommandLine, PicksTheCommand)
{
    const SPickCase cases[] = {
        {{"vexplot"}, ECommand::Window},
        {{"vexplot", "graph.zel"}, ECommand::Window},
        {{"vexplot", "--export-graph.zel"}, ECommand::Window},
        {{"vexplot", "--helpful.zel"}, ECommand::Window},
        {{"vexplot", "--export", "a.png", "g.zel"}, ECommand::Export},
        {{"vexplot", "g.zel", "--discuss", "zeros"}, ECommand::Discuss},
        {{"vexplot", "--discuss", "zeros", "--export"}, ECommand::Discuss},
        {{"vexplot", "--export", "a.png", "--discuss"}, ECommand::Export},
        {{"vexplot", "--help"}, ECommand::Help},
        {{"vexplot", "-h"}, ECommand::Help},
        {{"vexplot", "--export", "a.png", "g.zel", "--help"}, ECommand::Help},
        {{"vexplot", "--version", "-h"}, ECommand::Help},
        {{"vexplot", "--version"}, ECommand::Version},
        {{"vexplot", "--discuss", "zeros", "-v"}, ECommand::Version},
    };
    for (const SPickCase& c : cases) {
        EXPECT_EQ(PickCommand(static_cast<int>(c.args.size()), c.args.data()), c.expected)
            << c.args.back() << " among " << c.args.size() << " arguments";
    }
}

std::map<std::string, std::string> g_environment;

const char* FakeEnvironment(const char* name)
{
    const auto found = g_environment.find(name);
    return found == g_environment.end() ? nullptr : found->second.c_str();
}

struct SWindowSystemCase
{
    std::map<std::string, std::string> environment;
    std::vector<const char*> args;
    bool named;
};

TEST(CommandLine, FindsWhetherAWindowSystemIsNamed)
{
    const SWindowSystemCase cases[] = {
        {{}, {"vexplot"}, false},
        {{{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}, {"vexplot"}, false},
        {{{"HOME", "/root"}}, {"vexplot", "g.zel"}, false},
        {{{"DISPLAY", ":0"}}, {"vexplot"}, true},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, {"vexplot"}, true},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, {"vexplot"}, true},
        {{}, {"vexplot", "-platform", "offscreen"}, true},
        {{}, {"vexplot", "g.zel", "--platform", "offscreen"}, true},
        // The toolkit ignores a -platform without its value, and so must the check.
        {{}, {"vexplot", "-platform"}, false},
    };
    for (const SWindowSystemCase& c : cases) {
        g_environment = c.environment;
        EXPECT_EQ(WindowSystemNamed(static_cast<int>(c.args.size()), c.args.data(), FakeEnvironment), c.named)
            << c.environment.size() << " variables, " << c.args.size() << " arguments";
    }
    g_environment.clear();
}

struct SRun
{
    bool finished{false};
    int exitCode{-1};
    QString output;
    QString errors;
};

// The program as a user starts it on a machine without a display, plus the given variables.
SRun RunVexplot(const QStringList& arguments, const QStringList& variables = {},
                const QString& outputFile = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    for (const QString& variable : variables) {
        environment.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    }
    process.setProcessEnvironment(environment);
    if (!outputFile.isEmpty()) {
        process.setStandardOutputFile(outputFile);
    }
    process.start(QStringLiteral(VEXPLOT_PATH), arguments);
    SRun run;
    run.finished = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.output = QString::fromUtf8(process.readAllStandardOutput());
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(CommandLine, HelpAndVersionNeedNoDisplay)
{
    const SRun help = RunVexplot({QStringLiteral("--help")});
    ASSERT_TRUE(help.finished);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.output.toStdString(), HelpText());
    EXPECT_EQ(help.errors, QString{});

    const SRun version = RunVexplot({QStringLiteral("g.zel"), QStringLiteral("-v")});
    ASSERT_TRUE(version.finished);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(QRegularExpression{QStringLiteral("^vexplot \\(Vex Funktions-Plotter\\) \\d+\\.\\d+\n$")}
                    .match(version.output)
                    .hasMatch())
        << version.output.toStdString();
}

TEST(CommandLine, HelpThatCannotBeWrittenFails)
{
    const SRun run = RunVexplot({QStringLiteral("--help")}, {}, QStringLiteral("/dev/full"));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 1);
}

struct SWindowStartCase
{
    const char* what;
    QStringList variables;
    const char* message;
};

// Every way the window can fail to reach a display ends with status 1 and a German line, never
// with the toolkit's abort.
TEST(CommandLine, WindowStartWithoutDisplaySaysWhyAndExitsWithOne)
{
    const SWindowStartCase cases[] = {
        {"no display at all", {}, "Keine Anzeige gefunden"},
        {"the X11 platform forced without a display",
         {QStringLiteral("QT_QPA_PLATFORM=xcb")},
         "Keine Anzeige gefunden"},
        {"a display nobody serves", {QStringLiteral("DISPLAY=:97")}, "„:97“ ist nicht erreichbar"},
        {"a platform that does not exist",
         {QStringLiteral("QT_QPA_PLATFORM=nowhere")},
         "die Anbindung an die Anzeige ließ sich nicht laden"},
    };
    for (const SWindowStartCase& c : cases) {
        const SRun run = RunVexplot({}, c.variables);
        ASSERT_TRUE(run.finished) << c.what;
        EXPECT_EQ(run.exitCode, 1) << c.what;
        EXPECT_TRUE(run.errors.startsWith(QStringLiteral("vexplot: ")))
            << c.what << ": " << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains(QString::fromUtf8(c.message)))
            << c.what << ": " << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains(QStringLiteral("--export"))) << c.what;
    }
    const SRun noDisplay = RunVexplot({QStringLiteral("graph.zel")});
    EXPECT_EQ(noDisplay.errors.count(QLatin1Char('\n')), 1) << noDisplay.errors.toStdString();
}

} // namespace
