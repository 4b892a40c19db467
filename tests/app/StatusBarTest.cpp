// The status bar: prompts of every entry pointed at, and the key-state panes.
#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MainFrame.h"
#include "app/ZelView.h"
#include "framework/CommandIds.h"
#include "framework/Resources.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QMenu* MenuTitled(CMainFrame& frame, const QString& title)
{
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

// Moves the pointer over an entry of an open menu, as a user does.
void PointAt(QMenu* menu, QAction* entry)
{
    const QPoint pos = menu->actionGeometry(entry).center();
    QMouseEvent move{QEvent::MouseMove, pos,          menu->mapToGlobal(pos),
                     Qt::NoButton,      Qt::NoButton, Qt::NoModifier};
    QApplication::sendEvent(menu, &move);
}

TEST(StatusBar, EveryMenuEntryPointedAtShowsItsPrompt)
{
    CMainFrame frame;
    frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
    frame.show();
    frame.DocumentManager()->NewDocument();
    frame.DocumentManager()->NewDocument();
    QApplication::processEvents();

    const struct
    {
        const char* menu;
        int id;
        bool enabled;
    } cases[] = {
        // In an empty document nothing can be undone or discussed yet; that is when users wonder.
        {"&Bearbeiten", ID_EDIT_UNDO, false},
        {"Dis&kussion", ID_ZEROS, false},
        {"Dis&kussion", ID_MONOTONY, false},
        {"&Ansicht", ID_REDRAW, true},
    };
    for (const auto& c : cases) {
        QMenu* menu = MenuTitled(frame, QString::fromUtf8(c.menu));
        ASSERT_NE(menu, nullptr) << c.menu;
        menu->popup(frame.mapToGlobal(QPoint(40, 40)));
        QApplication::processEvents();
        QAction* entry = frame.Action(c.id);
        EXPECT_EQ(entry->isEnabled(), c.enabled) << c.id;
        PointAt(menu, entry);
        EXPECT_EQ(frame.statusBar()->currentMessage(), StatusPrompt(c.id)) << c.id;
        menu->hide();
        QApplication::processEvents();
        EXPECT_EQ(frame.statusBar()->currentMessage(), LoadString(IDS_IDLE_MESSAGE)) << c.id;
    }

    // The windows listed at the end of the window menu.
    QMenu* windows = MenuTitled(frame, QStringLiteral("&Fenster"));
    windows->popup(frame.mapToGlobal(QPoint(40, 40)));
    QApplication::processEvents();
    QAction* listed = windows->actions().last();
    ASSERT_TRUE(listed->text().contains(QStringLiteral("Graph"))) << listed->text().toStdString();
    PointAt(windows, listed);
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Aktiviert dieses Fenster.");
    windows->hide();
    frame.DocumentManager()->CloseAllDocuments();
}

TEST(StatusBar, ContextMenuEntriesShowTheirPrompts)
{
    CMainFrame frame;
    frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
    frame.show();
    frame.DocumentManager()->NewDocument();
    QApplication::processEvents();
    CZelView* view = frame.ActiveView();
    ASSERT_NE(view, nullptr);

    // The context menu runs its own loop; it is looked at from inside and closed again.
    QStringList prompts;
    QTimer::singleShot(0, [&frame, &prompts] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            return;
        }
        for (QAction* entry : menu->actions()) {
            if (!entry->isSeparator()) {
                PointAt(menu, entry);
                prompts << frame.statusBar()->currentMessage();
            }
        }
        menu->close();
    });
    QContextMenuEvent request{QContextMenuEvent::Mouse, QPoint(20, 20), view->mapToGlobal(QPoint(20, 20))};
    QApplication::sendEvent(view, &request);

    EXPECT_EQ(
        prompts,
        (QStringList{StatusPrompt(ID_VALUE_TABLE), StatusPrompt(ID_ZEROS), StatusPrompt(ID_EXTREMA),
                     StatusPrompt(ID_INFLECTIONS), StatusPrompt(ID_MONOTONY), StatusPrompt(ID_INTERSECTIONS),
                     StatusPrompt(ID_TANGENT), StatusPrompt(ID_INTEGRAL), StatusPrompt(ID_FULL_DISCUSSION),
                     StatusPrompt(ID_REDRAW), StatusPrompt(ID_PROPERTIES), CZelView::kDerivePrompt,
                     CZelView::kAntiderivativePrompt}));
    frame.DocumentManager()->CloseAllDocuments();
}

TEST(StatusBar, KeyPanesFollowTheLockStates)
{
    CMainFrame frame;
    const struct
    {
        std::optional<SKeyLockStates> states;
        bool caps;
        bool num;
        bool scroll;
    } cases[] = {
        {SKeyLockStates{true, false, false}, true, false, false},
        {SKeyLockStates{false, true, true}, false, true, true},
        {SKeyLockStates{true, true, true}, true, true, true},
        {SKeyLockStates{}, false, false, false},
        // Where the window system cannot tell, the panes are grey.
        {std::nullopt, false, false, false},
    };
    for (const auto& c : cases) {
        frame.readKeyLocks = [&c] { return c.states; };
        frame.UpdateKeyIndicators();
        QList<bool> lit;
        for (const char* name : {"ID_59137", "ID_59138", "ID_59139"}) {
            auto* pane = frame.statusBar()->findChild<QLabel*>(QString::fromLatin1(name));
            ASSERT_NE(pane, nullptr) << name;
            lit << pane->isEnabled();
        }
        EXPECT_EQ(lit, (QList<bool>{c.caps, c.num, c.scroll}));
    }
}

} // namespace
