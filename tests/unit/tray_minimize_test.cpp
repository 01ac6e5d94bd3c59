// Hiding a window into the notification area and bringing it back: the
// parking window that takes its taskbar button, the style change, and the
// caption animation when the user has it on.
#include <gtest/gtest.h>

#include "tests/unit/tray_system_fakes.h"
#include "tests/unit/tray_test_windows.h"
#include "tray/TrayIcon.h"

namespace {

class TrayMinimize : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.IsWindow());
        ASSERT_TRUE(window.IsWindowVisible());
        window.GetWindowRect(&placed);
    }

    std::vector<WindowCall> Animations() const
    {
        return manager.CallsOf(WindowCall::Kind::Animation);
    }

    CFakeWindowManager manager;
    CTestWindow window{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, {150, 100, 450, 300}};
    RECT placed{};
};

bool SameRect(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

RECT NotificationArea()
{
    RECT area{};
    CTrayIcon::GetNotificationAreaRect(&area);
    return area;
}

}  // namespace

TEST_F(TrayMinimize, MinimizeParksTheWindowUnderAHiddenWindowAndHidesIt)
{
    CTrayIcon::MinimizeToTray(&window, FALSE);
    EXPECT_TRUE(Animations().empty()) << "animation is off";

    const HWND parking = CTrayIcon::parkingWindow.m_hWnd;
    ASSERT_TRUE(::IsWindow(parking));
    EXPECT_EQ(parking, ::GetAncestor(window.m_hWnd, GA_PARENT));
    EXPECT_FALSE(::IsWindowVisible(parking));
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP),
              static_cast<DWORD>(::GetWindowLongA(parking, GWL_STYLE)) &
                  (WS_POPUP | WS_CHILD | WS_VISIBLE | WS_CAPTION));
    EXPECT_EQ(0u, window.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(window.IsWindowVisible());

    // Every window parked shares the one parking window.
    CTestWindow second(WS_POPUP | WS_VISIBLE);
    CTrayIcon::MinimizeToTray(&second, FALSE);
    EXPECT_EQ(parking, ::GetAncestor(second.m_hWnd, GA_PARENT));
    EXPECT_EQ(parking, CTrayIcon::parkingWindow.m_hWnd);
    EXPECT_TRUE(CTrayIcon::HideTaskbarButton(&second));
}

TEST_F(TrayMinimize, RestoreBringsTheWindowBackInPlaceVisibleAndActive)
{
    CTrayIcon::MinimizeToTray(&window, FALSE);
    manager.calls.clear();
    CTrayIcon::RestoreFromTray(&window, FALSE);

    EXPECT_TRUE(Animations().empty());
    EXPECT_EQ(::GetDesktopWindow(), ::GetAncestor(window.m_hWnd, GA_PARENT));
    EXPECT_TRUE(window.IsWindowVisible());
    RECT now{};
    window.GetWindowRect(&now);
    EXPECT_TRUE(SameRect(placed, now));
    EXPECT_EQ(window.m_hWnd, ::GetActiveWindow());
    ASSERT_FALSE(manager.calls.empty());
    EXPECT_EQ(WindowCall::Kind::Foreground, manager.calls.back().kind);
    EXPECT_EQ(window.m_hWnd, manager.calls.back().window);
}

TEST_F(TrayMinimize, WithAnimationOnTheCaptionFliesToTheNotificationAreaAndBack)
{
    manager.minimizeAnimation = 1;
    const RECT area = NotificationArea();

    CTrayIcon::MinimizeToTray(&window, FALSE);
    ASSERT_EQ(1u, Animations().size());
    const WindowCall hide = Animations()[0];
    EXPECT_EQ(window.m_hWnd, hide.window);
    EXPECT_EQ(IDANI_CAPTION, hide.animation);
    EXPECT_TRUE(SameRect(placed, hide.from));
    EXPECT_TRUE(SameRect(area, hide.to));
    EXPECT_TRUE(hide.visible) << "the animation runs before the window is hidden";
    EXPECT_EQ(::GetDesktopWindow(), hide.parent);

    CTrayIcon::RestoreFromTray(&window, FALSE);
    ASSERT_EQ(2u, Animations().size());
    const WindowCall show = Animations()[1];
    EXPECT_EQ(IDANI_CAPTION, show.animation);
    EXPECT_TRUE(SameRect(area, show.from));
    EXPECT_TRUE(SameRect(placed, show.to));
    EXPECT_FALSE(show.visible) << "the window shows after the animation";
    EXPECT_EQ(::GetDesktopWindow(), show.parent) << "and after leaving the parking window";
    EXPECT_TRUE(window.IsWindowVisible());
}

TEST_F(TrayMinimize, ForcedAnimationRunsWithTheSettingOff)
{
    CTrayIcon::MinimizeToTray(&window, TRUE);
    CTrayIcon::RestoreFromTray(&window, TRUE);
    EXPECT_EQ(2u, Animations().size());
    EXPECT_TRUE(window.IsWindowVisible());
}

TEST_F(TrayMinimize, AnimationSettingIsTheMinimizeAnimationOfTheSystem)
{
    manager.minimizeAnimation = 1;
    EXPECT_TRUE(CTrayIcon::IsMinimizeAnimationOn());
    EXPECT_EQ(8u, manager.queriedSize);
    EXPECT_EQ(8u, manager.queriedRecordSize);
    manager.minimizeAnimation = 0;
    EXPECT_FALSE(CTrayIcon::IsMinimizeAnimationOn());
}
