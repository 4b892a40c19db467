// The signal handling and the rights of an atomic file: the program's own signal actions are
// back after every way a file ends, an ignored signal is never caught, and a new file gets the
// rights the user's umask gives while the umask itself is never touched.
#include "framework/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <functional>

#include <sys/stat.h>

namespace {

extern "C" void ProgramsOwnHandler(int) {}

using Handler = void (*)(int);

Handler ActionOf(int signal)
{
    struct sigaction action
    {
    };
    ::sigaction(signal, nullptr, &action);
    return action.sa_handler;
}

// Sets the actions of the three signals for one test and puts the defaults back afterwards.
class CActions final
{
public:
    CActions(Handler interrupt, Handler terminate, Handler hangUp)
    {
        std::signal(SIGINT, interrupt);
        std::signal(SIGTERM, terminate);
        std::signal(SIGHUP, hangUp);
    }
    ~CActions()
    {
        for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
            std::signal(signal, SIG_DFL);
        }
    }
    CActions(const CActions&) = delete;
    CActions& operator=(const CActions&) = delete;
};

class CUmask final
{
public:
    explicit CUmask(mode_t mask) : m_before{::umask(mask)} {}
    ~CUmask() { ::umask(m_before); }
    CUmask(const CUmask&) = delete;
    CUmask& operator=(const CUmask&) = delete;

private:
    mode_t m_before;
};

mode_t ModeOf(const QString& path)
{
    struct stat info
    {
    };
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

TEST(AtomicFile, PreviousSignalActionsAreBackHoweverTheFileEnds)
{
    QTemporaryDir dir;
    const CActions actions{SIG_DFL, ProgramsOwnHandler, SIG_IGN};
    const struct
    {
        const char* name;
        std::function<void(const QString&)> write;
    } endings[] = {
        {"committed",
         [](const QString& path) {
             CAtomicFile file{path};
             ASSERT_TRUE(file.Open());
             // While open, the file's handler catches what would end the program, and only that.
             EXPECT_NE(ActionOf(SIGINT), SIG_DFL);
             EXPECT_NE(ActionOf(SIGTERM), ProgramsOwnHandler);
             EXPECT_EQ(ActionOf(SIGHUP), SIG_IGN);
             file.Device().write("abc");
             EXPECT_TRUE(file.Commit());
         }},
        {"discarded",
         [](const QString& path) {
             CAtomicFile file{path};
             ASSERT_TRUE(file.Open());
             EXPECT_NE(ActionOf(SIGINT), SIG_DFL);
         }},
        {"failed to open",
         [](const QString& path) {
             CAtomicFile::FailNextAt(CAtomicFile::EStep::Create, ENOSPC);
             CAtomicFile file{path};
             EXPECT_FALSE(file.Open());
         }},
        {"failed to rename",
         [](const QString& path) {
             CAtomicFile file{path};
             ASSERT_TRUE(file.Open());
             CAtomicFile::FailNextAt(CAtomicFile::EStep::Rename, EIO);
             EXPECT_FALSE(file.Commit());
         }},
        {"two at once",
         [](const QString& path) {
             CAtomicFile first{path};
             CAtomicFile second{path + QStringLiteral(".2")};
             ASSERT_TRUE(first.Open());
             ASSERT_TRUE(second.Open());
             EXPECT_TRUE(first.Commit());
             // The second file is still open: its handler must still be there.
             EXPECT_NE(ActionOf(SIGTERM), ProgramsOwnHandler);
             EXPECT_TRUE(second.Commit());
         }},
    };
    for (const auto& ending : endings) {
        ending.write(dir.filePath(QStringLiteral("out.svg")));
        EXPECT_EQ(ActionOf(SIGINT), SIG_DFL) << ending.name;
        EXPECT_EQ(ActionOf(SIGTERM), ProgramsOwnHandler) << ending.name;
        EXPECT_EQ(ActionOf(SIGHUP), SIG_IGN) << ending.name;
        // Nothing temporary is left beside the target.
        for (const QString& name : QDir{dir.path()}.entryList(QDir::Files | QDir::Hidden)) {
            EXPECT_FALSE(name.startsWith(QLatin1Char('.'))) << ending.name << ' ' << name.toStdString();
        }
    }
}

// A new file is 0666 less the umask; one that replaces another keeps that one's rights.
TEST(AtomicFile, RightsFollowTheUmaskOrThePreviousFile)
{
    QTemporaryDir dir;
    const struct
    {
        mode_t umask;
        int previous; // -1: no previous file
        mode_t mode;
    } cases[] = {{077, -1, 0600}, {022, -1, 0644}, {002, -1, 0664}, {077, 0644, 0644}, {022, 0640, 0640}};
    int n = 0;
    for (const auto& c : cases) {
        const QString path = dir.filePath(QStringLiteral("file%1.png").arg(n++));
        if (c.previous >= 0) {
            QFile previous{path};
            ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
            previous.close();
            ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(c.previous)), 0);
        }
        const CUmask mask{c.umask};
        CAtomicFile file{path};
        ASSERT_TRUE(file.Open());
        file.Device().write("png");
        ASSERT_TRUE(file.Commit());
        EXPECT_EQ(ModeOf(path), c.mode) << std::oct << c.umask << ' ' << c.previous;
        // The umask is as it was.
        EXPECT_EQ(::umask(c.umask), c.umask);
    }
}

} // namespace
