// Saving and opening a graph document: a failed save keeps the previous file byte for byte, and
// only regular files are opened, whatever name they have.
#include "app/GraphDocument.h"
#include "document/SystemErrorText.h"
#include "framework/AtomicFile.h"
#include "framework/FileName.h"

#include "PipeRescue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file{path};
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray{};
}

// A document whose file is `bytes` long or more: one function with a comment of that length.
void MakeLarge(CGraphDocument& document, std::size_t bytes)
{
    CGraphFunction f;
    f.SetTerm("x^2");
    f.SetComment(std::string(bytes, 'c'));
    document.Model().SetFunctions({f});
}

enum class EDisk
{
    Full,       // nothing left at all
    NearlyFull, // room for part of the new file
    Normal
};

struct SSaveFailure
{
    const char* name;
    EDisk disk;
    // What makes the save fail when the case cannot be made real here (no tmpfs, or running as
    // the superuser, whom a read-only folder does not stop).
    CAtomicFile::EStep step;
    int code;
    std::size_t newBytes;
};

void PrintTo(const SSaveFailure& failure, std::ostream* out)
{
    *out << failure.name;
}

class SaveFailureTest : public ::testing::TestWithParam<SSaveFailure>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.filePath(QStringLiteral("disk"));
        ASSERT_TRUE(QDir{}.mkpath(m_folder));
        if (GetParam().disk != EDisk::Normal) {
            // A small file system of its own, filled up, as the user's full disk is.
            m_mounted =
                ::mount("tmpfs", QFile::encodeName(m_folder).constData(), "tmpfs", 0, "size=64k") == 0;
        }
    }

    void TearDown() override
    {
        if (m_mounted) {
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
        }
    }

    // Fills the disk with a file of its own, leaving `room` bytes or nothing.
    void Fill(std::size_t room)
    {
        const QByteArray filler = QFile::encodeName(m_folder + QStringLiteral("/filler"));
        const int fd = ::open(filler.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const std::vector<char> block(4096, 'f');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        const off_t filled = ::lseek(fd, 0, SEEK_END);
        EXPECT_EQ(::ftruncate(fd, filled - static_cast<off_t>(room)), 0);
        ::close(fd);
    }

    QTemporaryDir m_dir;
    QString m_folder;
    bool m_mounted{false};
};

TEST_P(SaveFailureTest, KeepsThePreviousFileAndTellsWhyInGerman)
{
    const SSaveFailure failure = GetParam();
    const QString path = m_folder + QStringLiteral("/graph.zel");

    CGraphDocument document;
    QString error;
    ASSERT_TRUE(document.SaveTo(path, error));
    const QByteArray previous = ReadAll(path);
    ASSERT_FALSE(previous.isEmpty());
    MakeLarge(document, failure.newBytes);
    ASSERT_TRUE(document.IsModified());

    bool real = false;
    const int expected = failure.code;
    if (m_mounted && failure.disk == EDisk::Full) {
        Fill(0);
        real = true;
    } else if (m_mounted && failure.disk == EDisk::NearlyFull) {
        Fill(8192);
        real = true;
    } else if (std::string_view{failure.name} == "ReadOnlyFile") {
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
        real = true;
    } else if (std::string_view{failure.name} == "ReadOnlyFolder" && ::geteuid() != 0) {
        ASSERT_EQ(::chmod(QFile::encodeName(m_folder).constData(), 0555), 0);
        real = true;
    }
    if (!real) {
        CAtomicFile::FailNextAt(failure.step, failure.code);
    }

    EXPECT_FALSE(document.SaveTo(path, error));
    ::chmod(QFile::encodeName(m_folder).constData(), 0755);
    ::chmod(QFile::encodeName(path).constData(), 0644);

    EXPECT_EQ(ReadAll(path), previous) << (real ? "on a real disk" : "with an injected failure");
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromStdString(SystemErrorText(expected)))) << error.toStdString();
    // No temporary file is left behind to fill the disk further.
    QStringList left = QDir{m_folder}.entryList(QDir::Files | QDir::Hidden);
    left.removeAll(QStringLiteral("filler"));
    EXPECT_EQ(left, QStringList{QStringLiteral("graph.zel")});
}

INSTANTIATE_TEST_SUITE_P(
    GraphDocument, SaveFailureTest,
    ::testing::Values(SSaveFailure{"FullDisk", EDisk::Full, CAtomicFile::EStep::Write, ENOSPC, 600},
                      SSaveFailure{"NearlyFullDisk", EDisk::NearlyFull, CAtomicFile::EStep::Write, ENOSPC,
                                   40000},
                      SSaveFailure{"FailedRename", EDisk::Normal, CAtomicFile::EStep::Rename, EIO, 600},
                      SSaveFailure{"FailedSync", EDisk::Normal, CAtomicFile::EStep::Sync, EIO, 600},
                      SSaveFailure{"ReadOnlyFolder", EDisk::Normal, CAtomicFile::EStep::Create, EACCES, 600},
                      SSaveFailure{"ReadOnlyFile", EDisk::Normal, CAtomicFile::EStep::Create, EACCES, 600}),
    [](const ::testing::TestParamInfo<SSaveFailure>& info) { return std::string{info.param.name}; });

struct SNotAFile
{
    const char* name;
    const char* expected;
};

class NotAFileTest : public ::testing::TestWithParam<SNotAFile>
{
};

// Opening must not wait: a pipe without a writer would hold the window until someone writes.
TEST_P(NotAFileTest, IsRefusedAtOnce)
{
    QTemporaryDir dir;
    const std::string kind = GetParam().name;
    QString path;
    if (kind == "Fifo") {
        path = dir.filePath(QStringLiteral("pipe.zel"));
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    } else if (kind == "Device") {
        path = QStringLiteral("/dev/zero");
    } else {
        path = dir.filePath(QStringLiteral("folder.zel"));
        ASSERT_TRUE(QDir{}.mkpath(path));
    }
    CGraphDocument document;
    QString error;
    CPipeRescue rescue{QFile::encodeName(path).toStdString()};
    EXPECT_FALSE(document.Load(path, error));
    EXPECT_FALSE(rescue.Done()) << "the open waited for a writer";
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().expected))) << error.toStdString();
    EXPECT_TRUE(document.GetPathName().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(GraphDocument, NotAFileTest,
                         ::testing::Values(SNotAFile{"Fifo", "keine gewöhnliche Datei"},
                                           SNotAFile{"Device", "keine gewöhnliche Datei"},
                                           SNotAFile{"Folder", "ist ein Ordner"}),
                         [](const ::testing::TestParamInfo<SNotAFile>& info) {
                             return std::string{info.param.name};
                         });

// A name that is not UTF-8 opens and saves under exactly its bytes; the title shows it readably.
TEST(GraphDocument, NameThatIsNotUtf8KeepsItsBytes)
{
    QTemporaryDir dir;
    const QByteArray bytes = QFile::encodeName(dir.path()) + "/\xff\xfe-\xe4.zel";
    {
        CGraphDocument first;
        QString error;
        ASSERT_TRUE(first.SaveTo(DecodeFileName(bytes), error)) << error.toStdString();
    }
    struct stat info
    {
    };
    ASSERT_EQ(::stat(bytes.constData(), &info), 0) << "the file was saved under another name";

    CGraphDocument document;
    QString error;
    ASSERT_TRUE(document.Load(DecodeFileName(bytes), error)) << error.toStdString();
    EXPECT_EQ(document.GetTitle(), QStringLiteral("\uFFFD\uFFFD-\uFFFD.zel"));
    MakeLarge(document, 10);
    ASSERT_TRUE(document.SaveTo(document.GetPathName(), error)) << error.toStdString();
    ASSERT_EQ(::stat(bytes.constData(), &info), 0);
    EXPECT_GT(info.st_size, 88);
    // Qt cannot name this file, so it could not remove it with the folder either.
    EXPECT_EQ(::unlink(bytes.constData()), 0);
    EXPECT_TRUE(QDir{dir.path()}.isEmpty(QDir::Files | QDir::Hidden | QDir::System));
}

} // namespace
