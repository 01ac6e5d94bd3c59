// Hiding the main window into the notification area and bringing it back
// with a double click on the icon.
#include <string>
#include <vector>

#include "tests/e2e/tray_fixture.h"

using namespace tray_view;

namespace {

class TrayRestore : public CTrayTest {
protected:
    void SetUp() override
    {
        CTrayTest::SetUp();
        if (HasFatalFailure())
            return;
        GetWindowRect(main, &placed);
        ASSERT_TRUE(WaitUntil([&] { return HasTaskbarButton(main); }));
    }

    RECT placed{};
};

}  // namespace

TEST_F(TrayRestore, MinimizeParksTheWindowAndTakesItsTaskbarButton)
{
    app->Command(IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(app->Running());

    const HWND parking = GetAncestor(main, GA_PARENT);
    ASSERT_NE(GetDesktopWindow(), parking);
    DWORD owner = 0;
    GetWindowThreadProcessId(parking, &owner);
    EXPECT_EQ(app->Pid(), owner);
    EXPECT_FALSE(IsWindowVisible(parking));
    EXPECT_EQ(static_cast<LONG>(WS_POPUP),
              GetWindowLongA(parking, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_CHILD));
    EXPECT_TRUE(WaitUntil([&] { return !HasTaskbarButton(main); }));
}

TEST_F(TrayRestore, DoubleClickOnTheIconBringsTheWindowBackAndChangesNothingElse)
{
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        app->Command(IDCANCEL);
        ASSERT_FALSE(IsWindowVisible(main));
        const std::vector<std::string> stored =
            e2e::ValueNames(HKEY_CURRENT_USER, e2e::kSettingsKey);

        ASSERT_TRUE(Icon().has_value());
        ASSERT_TRUE(Click(*Icon(), WM_LBUTTONDBLCLK));
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));

        EXPECT_EQ(GetDesktopWindow(), GetAncestor(main, GA_PARENT));
        RECT now{};
        GetWindowRect(main, &now);
        EXPECT_TRUE(EqualRect(&placed, &now));
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
        EXPECT_TRUE(WaitUntil([&] { return HasTaskbarButton(main); }));

        // The command 0 that the double click posts is ignored.
        e2e::Pump(200);
        EXPECT_TRUE(app->Running());
        EXPECT_TRUE(IsWindowVisible(main));
        EXPECT_EQ(nullptr, app->WaitForWindow(nullptr, nullptr, 200));
        EXPECT_EQ(stored, e2e::ValueNames(HKEY_CURRENT_USER, e2e::kSettingsKey));
    }
}

TEST_F(TrayRestore, KeysTypedAfterHidingReachNothing)
{
    SetForegroundWindow(main);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
    e2e::PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
    EXPECT_NE(main, GetForegroundWindow());

    // Space would switch accelerated mode off, R start the client, Q and
    // Enter end the program.
    const LRESULT accelerated = SendMessageA(app->Control(IDC_ACCELERATE), BM_GETCHECK, 0, 0);
    for (WORD key : {WORD(VK_SPACE), WORD('R'), WORD('Q'), WORD(VK_RETURN)})
        e2e::PressKey(key);
    e2e::Pump(300);
    ASSERT_TRUE(app->Running());
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(accelerated, SendMessageA(app->Control(IDC_ACCELERATE), BM_GETCHECK, 0, 0));
    EXPECT_EQ(nullptr, app->WaitForWindow(nullptr, nullptr, 200));
}

TEST_F(TrayRestore, SingleClickAndAnotherIconLeaveTheWindowHidden)
{
    app->Command(IDCANCEL);
    ASSERT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(1, app->Send(WM_TRAY_NOTIFY, kIconId, WM_LBUTTONUP));
    EXPECT_EQ(1, app->Send(WM_TRAY_NOTIFY, kIconId, WM_LBUTTONDOWN));
    EXPECT_EQ(0, app->Send(WM_TRAY_NOTIFY, kIconId + 1, WM_LBUTTONUP));
    e2e::Pump(200);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_NE(GetDesktopWindow(), GetAncestor(main, GA_PARENT));

    // A message from the callback straight to the window restores it too.
    EXPECT_EQ(1, app->Send(WM_TRAY_NOTIFY, kIconId, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(IsWindowVisible(main));
}
