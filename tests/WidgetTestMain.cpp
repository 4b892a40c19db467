// main() of the widget tests: an offscreen QApplication and settings in a temporary file.
#include "framework/SettingsStore.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app{argc, argv};
    // Never the user's own settings.
    QTemporaryDir settingsDir;
    CSettingsStore::UseFile(settingsDir.filePath(QStringLiteral("settings.ini")));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
