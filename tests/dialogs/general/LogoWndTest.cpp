#include "dialogs/general/LogoWnd.h"

#include <QApplication>
#include <QEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A main window that counts the keys and clicks it receives.
class COwner final : public QWidget
{
public:
    COwner()
    {
        setFocusPolicy(Qt::StrongFocus);
        resize(800, 600);
    }
    int keys{0};
    int clicks{0};

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
    void mousePressEvent(QMouseEvent*) override { ++clicks; }
};

void WaitUntilGone()
{
    EXPECT_TRUE(QTest::qWaitFor([] { return CLogoWnd::Current() == nullptr; }, 5000));
    // The window itself goes at the next turn of the event loop.
    QApplication::processEvents();
}

TEST(LogoWnd, InputThatClosesTheSplashAndInputThatDoesNot)
{
    const struct
    {
        const char* name;
        std::function<void(COwner&)> input;
        bool closes;
        int keys;
        int clicks;
    } cases[] = {
        {"key press", [](COwner& o) { QTest::keyClick(&o, Qt::Key_A); }, true, 1, 0},
        {"mouse click",
         [](COwner& o) {
             QTest::mouseClick(&o, Qt::LeftButton, {}, QPoint{40, 40});
         },
         true, 0, 1},
        {"right button",
         [](COwner& o) {
             QTest::mouseClick(&o, Qt::RightButton, {}, QPoint{40, 40});
         },
         true, 0, 1},
        {"mouse movement",
         [](COwner& o) {
             QTest::mouseMove(&o, QPoint{200, 200});
         },
         false, 0, 0},
        {"click on the splash itself",
         [](COwner&) {
             QTest::mouseClick(CLogoWnd::Current(), Qt::LeftButton, {}, QPoint{10, 10});
         },
         true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        COwner owner;
        owner.show();
        CLogoWnd::EnableLogo(true);
        CLogoWnd::ShowLogo(&owner);
        CLogoWnd* logo = CLogoWnd::Current();
        ASSERT_NE(logo, nullptr);
        EXPECT_TRUE(logo->isVisible());
        EXPECT_EQ(logo->size(), QSize(500, 300));
        EXPECT_EQ(logo->geometry().center(), owner.frameGeometry().center());

        c.input(owner);
        EXPECT_EQ(CLogoWnd::Current() == nullptr, c.closes);
        EXPECT_EQ(owner.keys, c.keys);
        EXPECT_EQ(owner.clicks, c.clicks);
        WaitUntilGone();
    }
}

TEST(LogoWnd, GoesByItselfAfterAMoment)
{
    COwner owner;
    owner.show();
    CLogoWnd::EnableLogo(true);
    CLogoWnd::ShowLogo(&owner);
    QPointer<CLogoWnd> logo = CLogoWnd::Current();
    ASSERT_FALSE(logo.isNull());
    EXPECT_TRUE(QTest::qWaitFor([&logo] { return logo.isNull(); }, 5000));
    EXPECT_EQ(CLogoWnd::Current(), nullptr);
}

TEST(LogoWnd, ShownOnlyWhenEnabledAndOnlyOnce)
{
    COwner owner;
    CLogoWnd::EnableLogo(false);
    CLogoWnd::ShowLogo(&owner);
    EXPECT_EQ(CLogoWnd::Current(), nullptr);

    CLogoWnd::EnableLogo(true);
    CLogoWnd::ShowLogo(&owner);
    CLogoWnd* first = CLogoWnd::Current();
    ASSERT_NE(first, nullptr);
    CLogoWnd::ShowLogo(&owner);
    EXPECT_EQ(CLogoWnd::Current(), first);
    CLogoWnd::HideLogo();
    EXPECT_EQ(CLogoWnd::Current(), nullptr);
    CLogoWnd::ShowLogo(&owner);
    EXPECT_EQ(CLogoWnd::Current(), nullptr);
    WaitUntilGone();
}

TEST(LogoWnd, FollowsTheMainWindowShownAfterIt)
{
    COwner owner;
    CLogoWnd::EnableLogo(true);
    CLogoWnd::ShowLogo(&owner);
    ASSERT_NE(CLogoWnd::Current(), nullptr);
    owner.move(100, 80);
    owner.show();
    EXPECT_EQ(CLogoWnd::Current()->geometry().center(), owner.frameGeometry().center());
    CLogoWnd::HideLogo();
    WaitUntilGone();
}

} // namespace

// What the splash covered is painted before hiding returns, not at some later turn of a busy
// event loop: until then the display keeps the splash's picture there.
TEST(LogoWnd, WhatItCoveredIsPaintedAtOnce)
{
    class CCountingView final : public QWidget
    {
    public:
        using QWidget::QWidget;
        int paints{0};

    protected:
        void paintEvent(QPaintEvent*) override { ++paints; }
    };
    COwner owner;
    auto* view = new CCountingView{&owner};
    view->setGeometry(0, 0, 800, 600);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    CLogoWnd::EnableLogo(true);
    CLogoWnd::ShowLogo(&owner);
    QApplication::processEvents();
    const int before = view->paints;
    CLogoWnd::HideLogo();
    EXPECT_GT(view->paints, before);
    WaitUntilGone();
}
