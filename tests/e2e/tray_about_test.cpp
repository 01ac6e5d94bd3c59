// The About box opened from the tray menu while the window is hidden in the
// tray: it belongs to the main window, which it disables, comes back in
// front of it, and the setup's Exit closes it and ends the program in order.
#include "tests/e2e/tray_fixture.h"

using namespace tray_view;

namespace {

class TrayAbout : public CTrayTest {
protected:
    // The box carries the main window's caption.
    HWND OpenAboutWhileHidden()
    {
        app->Command(IDCANCEL);
        app->Post(WM_COMMAND, ID_APP_ABOUT_TRAY);
        return app->WaitForWindow("#32770", "Velorix");
    }
};

}  // namespace

TEST_F(TrayAbout, OpenedWhileHiddenItDisablesTheWindowAndClosingItLeavesTheWindowInactive)
{
    const HWND about = OpenAboutWhileHidden();
    ASSERT_NE(nullptr, about);
    EXPECT_EQ(main, GetWindow(about, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(main));

    PostMessageA(about, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_FALSE(IsWindowVisible(main));
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(app->UiThread(), &thread));
    EXPECT_NE(main, thread.hwndActive);
    EXPECT_NE(GetAncestor(main, GA_PARENT), thread.hwndActive);
}

TEST_F(TrayAbout, TheWindowComesBackWithTheBoxInFrontAndTheSetupsExitEndsBoth)
{
    const HWND about = OpenAboutWhileHidden();
    ASSERT_NE(nullptr, about);
    for (const bool secondStart : {false, true}) {
        SCOPED_TRACE(secondStart ? "a second start" : "a double click on the icon");
        if (secondStart) {
            app->Command(IDCANCEL);
            e2e::Velorix second;
            EXPECT_TRUE(second.WaitExit(10000));
        } else {
            ASSERT_TRUE(Icon().has_value() && Click(*Icon(), WM_LBUTTONDBLCLK));
        }
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
        EXPECT_FALSE(IsWindowEnabled(main));
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == about; }));
    }
    // How the setup asks Velorix to end; it waits 5 s.
    app->Post(WM_COMMAND, ID_APP_EXIT_TRAY);
    DWORD code = 99;
    ASSERT_TRUE(app->WaitExit(5000, &code));
    EXPECT_EQ(0u, code);
}
