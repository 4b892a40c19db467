#include "app/DocumentManager.h"
#include "app/MainFrame.h"
#include "app/ZelView.h"
#include "framework/CommandIds.h"
#include "framework/HelpWindow.h"
#include "framework/Resources.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWhatsThis>

#include <gtest/gtest.h>

// Help from the main frame, its menus and its graph windows.

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

class HelpInFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallHelpKeys();
        m_frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
    }
    void TearDown() override
    {
        CloseHelp();
        m_frame.DocumentManager()->CloseAllDocuments();
    }
    CMainFrame m_frame;
};

TEST_F(HelpInFrameTest, F1NamesTheFrameOrTheGraphWindow)
{
    ASSERT_TRUE(m_frame.Action(ID_HELP)->isEnabled());
    m_frame.Action(ID_HELP)->trigger();
    EXPECT_EQ(CurrentHelpPage(), QStringLiteral("qrc:/help/index.html"));

    m_frame.DocumentManager()->NewDocument();
    m_frame.Action(ID_HELP)->trigger();
    EXPECT_EQ(CurrentHelpPage(), QStringLiteral("qrc:/help/grafik.html"));

    m_frame.Action(ID_HELP_FINDER)->trigger();
    EXPECT_EQ(CurrentHelpPage(), QStringLiteral("qrc:/help/index.html"));
}

TEST_F(HelpInFrameTest, F1InAnOpenMenuExplainsTheHighlightedCommand)
{
    m_frame.show();
    m_frame.DocumentManager()->NewDocument();
    QMenu menu{&m_frame};
    menu.addAction(m_frame.Action(ID_FILE_PRINT_PREVIEW));
    menu.addAction(m_frame.Action(ID_FILE_SEND_MAIL));
    menu.popup(QPoint{20, 20});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    menu.setActiveAction(m_frame.Action(ID_FILE_PRINT_PREVIEW));
    QTest::keyClick(&menu, Qt::Key_F1);
    EXPECT_EQ(CurrentHelpPage(), QStringLiteral("qrc:/help/dateien.html#seitenansicht"));
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(HelpInFrameTest, WhatsThisTextsAreTheStatusPrompts)
{
    for (int id : {ID_FILE_PRINT, ID_APP_ABOUT, ID_ZEROS}) {
        QAction* action = m_frame.Action(id);
        EXPECT_EQ(action->whatsThis(), StatusPrompt(id)) << id;
        QToolBar* bar = id == ID_ZEROS ? m_frame.FunctionBar() : m_frame.StandardBar();
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(button->whatsThis(), StatusPrompt(id)) << id;
    }
    m_frame.Action(ID_CONTEXT_HELP)->trigger();
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
}

TEST_F(HelpInFrameTest, WhatsThisOnTheGraphOpensItsPage)
{
    m_frame.DocumentManager()->NewDocument();
    CZelView* view = m_frame.ActiveView();
    ASSERT_NE(view, nullptr);
    QHelpEvent query{QEvent::QueryWhatsThis, QPoint{5, 5}, view->mapToGlobal(QPoint{5, 5})};
    QApplication::sendEvent(view, &query);
    EXPECT_TRUE(query.isAccepted());
    QHelpEvent click{QEvent::WhatsThis, QPoint{5, 5}, view->mapToGlobal(QPoint{5, 5})};
    QApplication::sendEvent(view, &click);
    EXPECT_EQ(CurrentHelpPage(), QStringLiteral("qrc:/help/grafik.html"));
}

} // namespace
