// What only a real X display can show: the lock states of its keyboard and the keys of its
// keyboard scheme. Run under Xvfb; without a display every test is skipped.
#include "app/DocumentManager.h"
#include "app/MainFrame.h"
#include "framework/KeyIndicators.h"
#include "framework/SettingsStore.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

// The C header names a structure member "explicit", a keyword of C++.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wkeyword-macro"
#endif
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#if defined(__clang__)
#pragma clang diagnostic pop
#endif

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

xcb_connection_t* Connection()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Locks or unlocks modifiers on the display's core keyboard, as pressing the lock keys does, and
// waits until the server has done it.
void LockModifiers(xcb_connection_t* connection, std::uint8_t mask, bool locked)
{
    xcb_xkb_latch_lock_state(connection, XCB_XKB_ID_USE_CORE_KBD, mask, locked ? mask : 0, 0, 0, 0, 0, 0);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

TEST(UnderX11, TheKeyPanesShowTheLockStatesOfTheDisplay)
{
    xcb_connection_t* connection = Connection();
    if (!connection) {
        GTEST_SKIP() << "no X display";
    }
    CMainFrame frame;
    auto* caps = frame.statusBar()->findChild<QLabel*>(QStringLiteral("ID_59137"));
    auto* num = frame.statusBar()->findChild<QLabel*>(QStringLiteral("ID_59138"));
    ASSERT_TRUE(caps && num);
    const struct
    {
        bool caps;
        bool num;
    } cases[] = {{true, false}, {false, true}, {true, true}, {false, false}};
    for (const auto& c : cases) {
        LockModifiers(connection, XCB_MOD_MASK_LOCK, c.caps);
        LockModifiers(connection, XCB_MOD_MASK_2, c.num); // Num Lock sits on the second modifier
        const std::optional<SKeyLockStates> states = ReadKeyLockStates();
        ASSERT_TRUE(states.has_value());
        EXPECT_EQ(states->capsLock, c.caps);
        EXPECT_EQ(states->numLock, c.num);
        // The frame follows by itself, without being told; the bound only ends a wait in vain.
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return caps->isEnabled() == c.caps && num->isEnabled() == c.num; }, 30000))
            << "caps " << caps->isEnabled() << ", num " << num->isEnabled();
    }
}

TEST(UnderX11, CtrlF4ClosesTheActiveGraphWindow)
{
    if (!Connection()) {
        GTEST_SKIP() << "no X display";
    }
    CMainFrame frame;
    frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    for (int i = 0; i < 3; ++i) {
        frame.DocumentManager()->NewDocument();
    }
    QApplication::processEvents();
    QMdiSubWindow* active = frame.MdiArea()->activeSubWindow();
    ASSERT_NE(active, nullptr);
    active->widget()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 2);
    EXPECT_FALSE(frame.MdiArea()->subWindowList().contains(active));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    QApplication app{argc, argv};
    QTemporaryDir settingsDir;
    CSettingsStore::UseFile(settingsDir.filePath(QStringLiteral("settings.ini")));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
