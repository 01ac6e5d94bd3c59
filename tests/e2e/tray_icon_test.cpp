// The program's icon as the shell's taskbar shows it: present with its tip
// while the program runs, gone after it ends, and back after the taskbar
// has been recreated.
#include "tests/e2e/Probe.h"
#include "tests/e2e/tray_fixture.h"

using namespace tray_view;

namespace {

class TrayInShell : public CTrayTest {
protected:
    // The icon shows with its tip, and a double click on it in the taskbar
    // brings back the window hidden into the notification area.
    void ExpectWorkingIcon()
    {
        ASSERT_TRUE(WaitUntil([&] { return ShellHoldsIcon(main, kIconId); }));
        ASSERT_TRUE(WaitUntil([&] { return Icon().has_value(); }));
        app->Command(IDCANCEL);
        ASSERT_FALSE(IsWindowVisible(main));
        ASSERT_TRUE(Click(*Icon(), WM_LBUTTONDBLCLK));
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    }

    void ExpectMinimisedToTheTaskbar()
    {
        EXPECT_TRUE(IsIconic(main));
        EXPECT_TRUE(IsWindowVisible(main));
        EXPECT_EQ(GetDesktopWindow(), GetAncestor(main, GA_PARENT))
            << "not parked: its taskbar button stays";
    }
};

// The icon's own hidden window: the program's top-level window with no
// title and no size.
HWND IconWindow(const e2e::Velorix& app)
{
    for (HWND window : app.Windows()) {
        RECT rect{};
        GetWindowRect(window, &rect);
        if (GetWindowTextLengthA(window) == 0 && IsRectEmpty(&rect) && !IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

}  // namespace

TEST_F(TrayInShell, WhileTheShellRefusesTheIconTheWindowMinimisesToTheTaskbar)
{
    CProbe probe(app->UiThread());
    ASSERT_TRUE(probe.Attached()) << probe.LastError();
    const HWND iconWindow = IconWindow(*app);
    ASSERT_NE(nullptr, iconWindow);

    // A new taskbar that refuses the icon, as one still starting at logon.
    ASSERT_TRUE(probe.RefuseIcons(main, true));
    ASSERT_TRUE(DeleteIcon(main, kIconId));
    BroadcastTaskbarCreated();
    app->Command(IDCANCEL);
    ExpectMinimisedToTheTaskbar();

    // The retry timer brings the icon once the shell takes it; a double
    // click on it restores the window, which from then on hides into the
    // notification area again.
    ASSERT_TRUE(probe.RefuseIcons(main, false));
    SendMessageA(iconWindow, WM_TIMER, 1, 0);
    ASSERT_TRUE(WaitUntil([&] { return Icon().has_value(); }));
    ASSERT_TRUE(Click(*Icon(), WM_LBUTTONDBLCLK));
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(main); }));
    ExpectWorkingIcon();

    // Hidden into the notification area when the next taskbar refuses the
    // icon: the window comes back to the taskbar rather than stay out of reach.
    app->Command(IDCANCEL);
    ASSERT_TRUE(probe.RefuseIcons(main, true));
    ASSERT_TRUE(DeleteIcon(main, kIconId));
    BroadcastTaskbarCreated();
    ExpectMinimisedToTheTaskbar();
}

TEST_F(TrayInShell, IconShowsItsTipWhileTheProgramRunsAndGoesAtExit)
{
    ExpectWorkingIcon();
    // Hidden again, so that only the program itself can take the icon away.
    app->Command(IDCANCEL);
    app->Post(WM_COMMAND, ID_APP_EXIT_TRAY);
    DWORD code = 1234;
    ASSERT_TRUE(app->WaitExit(5000, &code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(ShellHoldsIcon(main, kIconId));
    EXPECT_TRUE(ShownIconsWithTip(kTip).empty());
}

TEST_F(TrayInShell, NewTaskbarGetsTheLostIconBack)
{
    ASSERT_TRUE(DeleteIcon(main, kIconId));
    ASSERT_FALSE(ShellHoldsIcon(main, kIconId));
    BroadcastTaskbarCreated();
    ExpectWorkingIcon();
}

TEST_F(TrayInShell, IconStillHeldSurvivesAnnouncementsAndComesBackWithTheWorkArea)
{
    // This shell still holds the icon and refuses to add it a second time.
    BroadcastTaskbarCreated();
    BroadcastWorkAreaChange();
    ASSERT_TRUE(ShellHoldsIcon(main, kIconId));
    EXPECT_TRUE(Icon().has_value());

    // The program still counts it as shown: a work-area change adds it
    // again once the shell has lost it.
    ASSERT_TRUE(DeleteIcon(main, kIconId));
    BroadcastWorkAreaChange();
    ExpectWorkingIcon();
}
