// vexplot hands an export to the program of its format, and the sheet and the window to
// vexplot-window, by exec: the arguments must arrive as the same bytes, and the exit status must be
// that program's.
#ifdef VEXPLOT_PATH
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct SRun
{
    int status{-1};
    std::string err;
};

// Runs the program without a display, standard error into a file.
SRun RunProgram(const std::string& program, std::vector<std::string> arguments, const fs::path& dir)
{
    arguments.insert(arguments.begin(), "vexplot");
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> environment;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry{*e};
        if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("WAYLAND_DISPLAY=", 0) != 0 &&
            entry.rfind("QT_QPA_PLATFORM=", 0) != 0) {
            environment.push_back(entry);
        }
    }
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    const std::string errPath = (dir / "err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    SRun run;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    std::ifstream err{errPath};
    run.err.assign(std::istreambuf_iterator<char>{err}, {});
    return run;
}

class FrontEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/vexfrontXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
    const std::string m_sample = VEX_SAMPLE_FILE;
};

} // namespace

TEST_F(FrontEnd, HandsOverArgumentsAsBytesAndPassesTheExitStatusBack)
{
    // Latin-1 bytes, no UTF-8: the name must reach the system unchanged.
    const std::string latin1 = "Gr\xe4ph \xff";
    const struct
    {
        std::vector<std::string> arguments;
        int status;
        const char* written; // a file that must then exist under this name in m_dir
        const char* err;     // a piece of standard error
    } cases[] = {
        {{"--export", (m_dir / (latin1 + ".png")).string(), m_sample}, 0, "Gr\xe4ph \xff.png", ""},
        {{"--export", (m_dir / (latin1 + ".SVG")).string(), m_sample}, 0, "Gr\xe4ph \xff.SVG", ""},
        {{"--export", (m_dir / (latin1 + ".pdf")).string(), "--term", "x^2"}, 0, "Gr\xe4ph \xff.pdf", ""},
        {{"--sheet", (m_dir / (latin1 + " Blatt.pdf")).string(), m_sample}, 0, "Gr\xe4ph \xff Blatt.pdf", ""},
        {{"--export", (m_dir / "a.png").string(), (m_dir / (latin1 + ".zel")).string()}, 1, nullptr, "Gr\xe4ph \xff.zel"},
        {{"--export", (m_dir / "b.png").string(), m_sample, "--bogus"}, 2, nullptr, "--bogus"},
        {{}, 1, nullptr, "Keine Anzeige"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "the window" : c.arguments.front());
        const SRun run = RunProgram(VEXPLOT_PATH, c.arguments, m_dir);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        if (c.written != nullptr) {
            EXPECT_GT(fs::file_size(m_dir / c.written), 100U);
        }
    }
}

// The part is found from the program's file, not from the name it was called by: through a link
// in another folder it is still found, and a vexplot without it says so.
TEST_F(FrontEnd, FindsItsPartFromItsOwnFile)
{
    fs::create_directory(m_dir / "link");
    fs::create_symlink(VEXPLOT_PATH, m_dir / "link" / "vexplot");
    fs::create_directory(m_dir / "alone");
    fs::copy_file(VEXPLOT_PATH, m_dir / "alone" / "vexplot");

    const SRun linked = RunProgram((m_dir / "link" / "vexplot").string(), {"--export", (m_dir / "x.png").string(), m_sample}, m_dir);
    EXPECT_EQ(linked.status, 0) << linked.err;
    EXPECT_TRUE(fs::exists(m_dir / "x.png"));

    const SRun alone = RunProgram((m_dir / "alone" / "vexplot").string(), {"--export", (m_dir / "y.png").string(), m_sample}, m_dir);
    EXPECT_EQ(alone.status, 1);
    EXPECT_NE(alone.err.find("vexplot-png"), std::string::npos) << alone.err;
    // The headless commands need no part at all.
    EXPECT_EQ(RunProgram((m_dir / "alone" / "vexplot").string(), {"--discuss", "zeros", m_sample}, m_dir).status, 0);
}
#endif
