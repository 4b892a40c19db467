#include "framework/SettingsStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

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
