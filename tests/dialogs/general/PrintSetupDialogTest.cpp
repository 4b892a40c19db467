#include "dialogs/general/PrintSetupDialog.h"
#include "framework/HelpWindow.h"

#include <QComboBox>
#include <QPrinter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString CurrentHelpPage()
{
    CHelpWindow* help = CHelpWindow::Instance();
    return help ? help->CurrentPage() : QString{};
}

void CloseHelp()
{
    delete CHelpWindow::Instance();
}

TEST(HelpWindow, F1InThePrinterSetupOpensItsPage)
{
    InstallHelpKeys();
    QPrinter printer;
    CPrintSetupDialog setup{printer};
    setup.show();
    auto* paper = setup.findChild<QComboBox*>(QStringLiteral("PaperSize"));
    ASSERT_NE(paper, nullptr);
    QTest::keyClick(paper, Qt::Key_F1);
    EXPECT_EQ(CurrentHelpPage(), QStringLiteral("qrc:/help/dateien.html#druckereinrichtung"));
    CloseHelp();
}

} // namespace
