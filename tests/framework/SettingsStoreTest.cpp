#include "framework/SettingsStore.h"

#include "PipeRescue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

TEST(SettingsStore, IntegersWithTheirDefaults)
{
    QTemporaryDir dir;
    CSettingsStore store{dir.filePath(QStringLiteral("s.ini"))};
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 3), 3);
    store.WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 7);
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 3), 7);
    // A value that is no integer reads as the default.
    store.WriteProfileString(QStringLiteral("Tip"), QStringLiteral("StartUp"), QStringLiteral("ja"));
    EXPECT_EQ(store.GetProfileInt(QStringLiteral("Tip"), QStringLiteral("StartUp"), 0), 0);

    CSettingsStore reopened{dir.filePath(QStringLiteral("s.ini"))};
    EXPECT_EQ(reopened.GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 3), 7);
}

TEST(SettingsStore, RecentFilesHoldFourNewestFirst)
{
    QTemporaryDir dir;
    CSettingsStore store{dir.filePath(QStringLiteral("s.ini"))};
    for (const char* name : {"a.zel", "b.zel", "c.zel", "d.zel", "e.zel"}) {
        store.AddRecentFile(dir.filePath(QString::fromLatin1(name)));
    }
    QStringList expected;
    for (const char* name : {"e.zel", "d.zel", "c.zel", "b.zel"}) {
        expected << dir.filePath(QString::fromLatin1(name));
    }
    EXPECT_EQ(store.RecentFiles(), expected);

    // Opening one again moves it to the top without a duplicate.
    store.AddRecentFile(dir.filePath(QStringLiteral("c.zel")));
    EXPECT_EQ(store.RecentFiles().first(), dir.filePath(QStringLiteral("c.zel")));
    EXPECT_EQ(store.RecentFiles().size(), 4);
    EXPECT_EQ(store.RecentFiles().count(dir.filePath(QStringLiteral("c.zel"))), 1);

    store.RemoveRecentFile(dir.filePath(QStringLiteral("e.zel")));
    EXPECT_EQ(store.RecentFiles().size(), 3);
}

} // namespace

namespace {

// Only a regular file holds the settings. A pipe would hold up the start until someone writes
// to it, and writing through a link would replace what it points at, a device included.
TEST(SettingsStore, LeavesAnythingButARegularFileAlone)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir{}.mkpath(folder));
    const struct
    {
        const char* what;
        QString settings;
        QString mustStay; // what is there before, and must be unchanged after
    } cases[] = {{"pipe", fifo, fifo},
                 {"link to a pipe", dir.filePath(QStringLiteral("to-pipe.ini")), fifo},
                 {"link to a folder", dir.filePath(QStringLiteral("to-folder.ini")), folder}};
    ASSERT_TRUE(QFile::link(fifo, cases[1].settings));
    ASSERT_TRUE(QFile::link(folder, cases[2].settings));
    for (const auto& c : cases) {
        CPipeRescue rescue{QFile::encodeName(fifo).toStdString()};
        CSettingsStore store{c.settings};
        // The values still work for the session, in memory.
        store.WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 7);
        EXPECT_EQ(store.GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 3), 7)
            << c.what;
        EXPECT_FALSE(rescue.Done()) << c.what << ": waited on the pipe";
        const QFileInfo after{c.mustStay};
        EXPECT_TRUE(c.mustStay == fifo ? !after.isFile() && after.exists() : after.isDir()) << c.what;
        EXPECT_TRUE(QFileInfo{c.settings}.isSymLink() || c.settings == fifo) << c.what;
    }
}

// A link to a regular file is followed: the settings go into the file, and the link stays.
TEST(SettingsStore, FollowsALinkToARegularFile)
{
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.ini"));
    const QString link = dir.filePath(QStringLiteral("link.ini"));
    ASSERT_TRUE(QFile::link(real, link));
    {
        CSettingsStore store{link};
        store.WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 9);
    }
    EXPECT_TRUE(QFileInfo{link}.isSymLink());
    EXPECT_EQ(CSettingsStore{real}.GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 3),
              9);
}

} // namespace
