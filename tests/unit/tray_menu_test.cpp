// What the icon's mouse messages do: the pop-up menu on a right-button
// release, the default command on a double click, nothing otherwise.
#include <gtest/gtest.h>

#include "framework/WinApp.h"
#include "tests/unit/tray_system_fakes.h"
#include "tests/unit/tray_test_windows.h"
#include "tray/TrayIcon.h"

namespace {

constexpr UINT kCallback = 32778;
constexpr UINT kIconId = CFakeWindowManager::kMenuId;

// Records the menu it is handed and how far the window manager had got.
class CRecordingTrayIcon : public CTrayIcon {
public:
    explicit CRecordingTrayIcon(const CFakeWindowManager& manager) : m_manager(manager) {}
    void PrepareMenu(HMENU menu) override
    {
        preparedMenu = menu;
        callsBeforePrepare = m_manager.calls.size();
    }
    HMENU preparedMenu = nullptr;
    size_t callsBeforePrepare = 0;

private:
    const CFakeWindowManager& m_manager;
};

class TrayIconNotification : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mainWindow.IsWindow());
        app.m_pMainWnd = &mainWindow;
        ASSERT_TRUE(
            tray.Create(&mainWindow, kCallback, "Velorix", icon, kIconId, FALSE, 0, 0, 0, 10));
        TakePosted(mainWindow.m_hWnd);
    }

    CFakeNotificationArea shell;
    CFakeWindowManager manager;
    CWinApp app;
    CTestWindow mainWindow;
    HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);
    CRecordingTrayIcon tray{manager};
};

}  // namespace

TEST_F(TrayIconNotification, RightButtonReleaseShowsSubMenuZeroAtTheCursorThenPostsNull)
{
    POINT cursor{};
    ASSERT_TRUE(::GetCursorPos(&cursor));
    EXPECT_EQ(1, tray.HandleNotification(kIconId, WM_RBUTTONUP));

    EXPECT_EQ(std::vector<UINT>{kIconId}, manager.menusLoaded);
    ASSERT_EQ(2u, manager.calls.size());
    const WindowCall& foreground = manager.calls[0];
    const WindowCall& track = manager.calls[1];
    EXPECT_EQ(WindowCall::Kind::Foreground, foreground.kind)
        << "the owner is made foreground first";
    EXPECT_EQ(mainWindow.m_hWnd, foreground.window);
    ASSERT_EQ(WindowCall::Kind::TrackMenu, track.kind);
    EXPECT_EQ(mainWindow.m_hWnd, track.window);
    EXPECT_EQ(0u, track.flags);
    EXPECT_EQ(cursor.x, track.at.x);
    EXPECT_EQ(cursor.y, track.at.y);
    EXPECT_EQ(CFakeWindowManager::kSubMenuItems, track.items);
    ASSERT_EQ(1u, manager.menusGiven.size());
    EXPECT_EQ(manager.popupsGiven[0], track.menu);

    // The hook saw the same sub-menu before anything was shown.
    EXPECT_EQ(track.menu, tray.preparedMenu);
    EXPECT_EQ(0u, tray.callsBeforePrepare);

    const std::vector<MSG> posted = TakePosted(mainWindow.m_hWnd);
    ASSERT_EQ(1u, posted.size());
    EXPECT_EQ(static_cast<UINT>(WM_NULL), posted[0].message);
    EXPECT_FALSE(::IsMenu(manager.menusGiven[0])) << "the loaded menu is destroyed after use";

    // Only the low word names the mouse message.
    EXPECT_EQ(1, tray.HandleNotification(kIconId, MAKELPARAM(WM_RBUTTONUP, 1)));
    EXPECT_EQ(2u, manager.CallsOf(WindowCall::Kind::TrackMenu).size());
}

TEST_F(TrayIconNotification, MissingMenuOrSubMenuShowsNothingAndReturnsZero)
{
    for (UINT id : {CFakeWindowManager::kMenuWithoutPopupId, 131u}) {
        SCOPED_TRACE(id);
        CTrayIcon other;
        ASSERT_TRUE(other.Create(&mainWindow, kCallback, "Velorix", icon, id, FALSE, 0, 0, 0, 0));
        EXPECT_EQ(0, other.HandleNotification(id, WM_RBUTTONUP));
    }
    EXPECT_TRUE(manager.CallsOf(WindowCall::Kind::TrackMenu).empty());
    EXPECT_TRUE(TakePosted(mainWindow.m_hWnd).empty());
    for (HMENU menu : manager.menusGiven)
        EXPECT_FALSE(::IsMenu(menu));
}

TEST_F(TrayIconNotification, DoubleClickPostsCommandZeroToTheTarget)
{
    EXPECT_EQ(1, tray.HandleNotification(kIconId, WM_LBUTTONDBLCLK));
    ASSERT_EQ(1u, manager.calls.size());
    EXPECT_EQ(WindowCall::Kind::Foreground, manager.calls[0].kind);
    EXPECT_EQ(mainWindow.m_hWnd, manager.calls[0].window);
    EXPECT_TRUE(manager.menusLoaded.empty());

    const std::vector<MSG> posted = TakePosted(mainWindow.m_hWnd);
    ASSERT_EQ(1u, posted.size());
    EXPECT_EQ(static_cast<UINT>(WM_COMMAND), posted[0].message);
    EXPECT_EQ(0u, posted[0].wParam);
    EXPECT_EQ(0, posted[0].lParam);
}

TEST_F(TrayIconNotification, OtherMouseMessagesDoNothing)
{
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_MBUTTONUP,
                         WM_RBUTTONDBLCLK, WM_CONTEXTMENU}) {
        SCOPED_TRACE(message);
        EXPECT_EQ(1, tray.HandleNotification(kIconId, message));
    }
    EXPECT_TRUE(manager.calls.empty());
    EXPECT_TRUE(manager.menusLoaded.empty());
    EXPECT_TRUE(TakePosted(mainWindow.m_hWnd).empty());
}

TEST_F(TrayIconNotification, AnotherIconOrNoMainWindowIsNotHandled)
{
    EXPECT_EQ(0, tray.HandleNotification(kIconId + 1, WM_RBUTTONUP));
    EXPECT_EQ(0, tray.HandleNotification(kIconId + 1, WM_LBUTTONDBLCLK));
    app.m_pMainWnd = nullptr;
    EXPECT_EQ(0, tray.HandleNotification(kIconId, WM_LBUTTONDBLCLK));
    EXPECT_EQ(0, tray.HandleNotification(kIconId, WM_RBUTTONUP));
    EXPECT_TRUE(manager.calls.empty());
    EXPECT_TRUE(TakePosted(mainWindow.m_hWnd).empty());
}

TEST_F(TrayIconNotification, CallbacksToTheIconsOwnWindowAreHandledToo)
{
    CTrayIcon own;
    ASSERT_TRUE(own.Create(nullptr, kCallback, "Velorix", icon, kIconId, FALSE, 0, 0, 0, 0));
    EXPECT_EQ(1, own.SendMessage(kCallback, kIconId, WM_LBUTTONDBLCLK));
    const std::vector<MSG> posted = TakePosted(mainWindow.m_hWnd);
    ASSERT_EQ(1u, posted.size());
    EXPECT_EQ(static_cast<UINT>(WM_COMMAND), posted[0].message);
    EXPECT_EQ(0, own.SendMessage(kCallback, kIconId + 1, WM_LBUTTONDBLCLK));
    // The window answers other messages as any window does.
    EXPECT_EQ(0, own.SendMessage(WM_USER + 1, kIconId, WM_LBUTTONDBLCLK));
    EXPECT_TRUE(TakePosted(mainWindow.m_hWnd).empty());
}
