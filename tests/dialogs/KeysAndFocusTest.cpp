// Where the focus starts and what F1 opens, in the sheets a user types into.
#include "dialogs/object/FPObjectPage.h"
#include "dialogs/object/ObjectPropertiesSheet.h"
#include "dialogs/options/OptionsSheet.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

TEST(KeysAndFocus, TheObjectSheetOpensOnTheFirstFieldOfItsKind)
{
    CGraphObject point;
    point.SetCoordinates(1.0, 2.0);
    point.SetLabel("P");
    CGraphObject line;
    line.SetKind(CGraphObject::VerticalLine);
    line.SetPosition(3.0);
    const std::pair<CGraphObject, int> cases[] = {{point, IDC_LABEL}, {line, IDC_LINE_POSITION}};
    for (const auto& [object, field] : cases) {
        CObjectPropertiesSheet sheet{object};
        sheet.show();
        QApplication::setActiveWindow(&sheet);
        QWidget* focus = sheet.focusWidget();
        ASSERT_NE(focus, nullptr) << field;
        EXPECT_EQ(focus->objectName(), ControlName(field));
        EXPECT_FALSE(qobject_cast<QPushButton*>(focus)) << "not on OK";
    }
}

// F1 opens the page of the sheet's page in front, from a field and from OK alike.
TEST(KeysAndFocus, F1InTheOptionsSheetOpensTheOptionsPage)
{
    InstallHelpKeys();
    const std::pair<int, const char*> cases[] = {{0, "qrc:/help/optionen.html#allgemein"},
                                                 {1, "qrc:/help/optionen.html#benutzerfuehrung"}};
    for (const auto& [page, url] : cases) {
        for (const bool fromOk : {false, true}) {
            COptionsSheet sheet;
            sheet.show();
            QApplication::setActiveWindow(&sheet);
            sheet.SetActivePage(page);
            QWidget* target = fromOk ? static_cast<QWidget*>(sheet.OkButton()) : sheet.focusWidget();
            ASSERT_NE(target, nullptr) << page;
            target->setFocus();
            QTest::keyClick(target, Qt::Key_F1);
            CHelpWindow* help = CHelpWindow::Instance();
            ASSERT_NE(help, nullptr) << page << ' ' << fromOk;
            EXPECT_EQ(help->CurrentPage(), QString::fromLatin1(url)) << page << ' ' << fromOk;
            delete help;
        }
    }
}
