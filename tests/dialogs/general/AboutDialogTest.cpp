#include "dialogs/general/AboutDialog.h"
#include "framework/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(AboutDialog, ShowsNameVersionAndReleaseWithABoldTitle)
{
    CAboutDialog about;
    about.show();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Info über..."));

    auto* title = about.findChild<QLabel*>(QStringLiteral("IDC_1020"));
    auto* release = about.findChild<QLabel*>(QStringLiteral("IDC_1017"));
    ASSERT_TRUE(title && release);
    EXPECT_EQ(title->text(), QStringLiteral("Vex Funktions-Plotter Version 3.1"));
    EXPECT_EQ(title->font().weight(), QFont::Bold);
    EXPECT_EQ(release->text(), QStringLiteral("Dec  7 2026"));

    // Only the title is bold: the rest keeps the dialog's font.
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        if (label != title && !label->text().isEmpty()) {
            EXPECT_NE(label->font().weight(), QFont::Bold) << label->text().toStdString();
            texts << label->text();
        }
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("Release:")));

    auto* icon = about.findChild<QLabel*>(QStringLiteral("IDR_MAINFRAME"));
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());

    auto* ok = about.findChild<QPushButton*>(QStringLiteral("IDOK"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("&Ok"));
    ok->click();
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}

} // namespace
