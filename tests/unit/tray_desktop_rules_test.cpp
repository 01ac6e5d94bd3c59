// What a real desktop asks of the icon and Wine does not show: a shell that
// refuses icons while it starts, a program run with more rights than the
// shell, the icon's own rectangle, and a menu owner parked out of sight.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/WinApp.h"
#include "tests/unit/tray_system_fakes.h"
#include "tests/unit/tray_test_windows.h"
#include "tray/TrayIcon.h"

namespace {

constexpr UINT kCallback = 32778;
constexpr UINT kIconId = CFakeWindowManager::kMenuId;
constexpr UINT_PTR kRetryTimer = 1;

// The entry points that only newer systems have, as GetProcAddress finds
// them: each one present or not, with what it was asked.
struct NewerSystem {
    bool perWindowFilter = true;
    bool perProcessFilter = true;
    bool iconRect = true;
    HRESULT iconRectAnswer = S_OK;
    RECT iconRectFound{1000, 740, 1016, 756};
    std::vector<std::string> filterCalls;  // "window message action" or "message flag"
    NOTIFYICONIDENTIFIER askedRect{};
};
NewerSystem* g_system = nullptr;

template <class F>
FARPROC Entry(F* function)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
}

BOOL WINAPI FilterPerWindow(HWND window, UINT message, DWORD action, void*)
{
    g_system->filterCalls.push_back(std::to_string(reinterpret_cast<UINT_PTR>(window)) + " " +
                                    std::to_string(message) + " " + std::to_string(action));
    return TRUE;
}

BOOL WINAPI FilterPerProcess(UINT message, DWORD flag)
{
    g_system->filterCalls.push_back(std::to_string(message) + " " + std::to_string(flag));
    return TRUE;
}

HRESULT WINAPI IconRect(const NOTIFYICONIDENTIFIER* icon, RECT* rect)
{
    g_system->askedRect = *icon;
    *rect = g_system->iconRectFound;
    return g_system->iconRectAnswer;
}

class CFakeNewerSystem : public NewerSystem {
public:
    CFakeNewerSystem()
    {
        s_lookUp = m_patch.Original<LookUpFn>();
        g_system = this;
    }
    ~CFakeNewerSystem() { g_system = nullptr; }

private:
    using LookUpFn = decltype(&::GetProcAddress);
    static FARPROC WINAPI LookUp(HMODULE module, LPCSTR name)
    {
        const bool byName = reinterpret_cast<UINT_PTR>(name) > 0xFFFF;
        if (g_system && byName && std::strcmp(name, "ChangeWindowMessageFilterEx") == 0)
            return g_system->perWindowFilter ? Entry(&FilterPerWindow) : nullptr;
        if (g_system && byName && std::strcmp(name, "ChangeWindowMessageFilter") == 0)
            return g_system->perProcessFilter ? Entry(&FilterPerProcess) : nullptr;
        if (g_system && byName && std::strcmp(name, "Shell_NotifyIconGetRect") == 0)
            return g_system->iconRect ? Entry(&IconRect) : nullptr;
        return s_lookUp(module, name);
    }
    static LookUpFn s_lookUp;
    CImportPatch m_patch{"kernel32.dll", "GetProcAddress", reinterpret_cast<const void*>(&LookUp)};
};
CFakeNewerSystem::LookUpFn CFakeNewerSystem::s_lookUp = nullptr;

class TrayDesktopRules : public ::testing::Test {
protected:
    void SetUp() override { app.m_pMainWnd = &owner; }
    BOOL CreateIcon()
    {
        return tray.Create(&owner, kCallback, "Velorix", icon, kIconId, FALSE, 0, 0, 0, 10);
    }
    bool Shown() const { return shell.Holds(owner.m_hWnd, kIconId); }
    void RetryTimerFires() { tray.SendMessage(WM_TIMER, kRetryTimer); }

    CFakeNewerSystem system;
    CFakeNotificationArea shell;
    CFakeWindowManager manager;
    CWinApp app;
    CTestWindow owner;
    HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);
    CTrayIcon tray;
};

std::string Allowed(HWND window, UINT message)
{
    return std::to_string(reinterpret_cast<UINT_PTR>(window)) + " " + std::to_string(message) +
           " 1";
}

}  // namespace

TEST_F(TrayDesktopRules, IconRefusedByAStartingShellIsRetriedOnTheTimerUntilTaken)
{
    shell.refuseAll = true;
    EXPECT_FALSE(CreateIcon());
    EXPECT_FALSE(tray.IsIconShown());
    RetryTimerFires();
    EXPECT_FALSE(Shown());
    EXPECT_EQ(2u, shell.Count(NIM_ADD));

    shell.refuseAll = false;
    RetryTimerFires();
    EXPECT_TRUE(Shown());
    EXPECT_TRUE(tray.IsIconShown());
    EXPECT_FALSE(::KillTimer(tray.m_hWnd, kRetryTimer)) << "the timer stops once the icon is in";
    shell.ForgetRequests();
    RetryTimerFires();
    EXPECT_TRUE(shell.Requests().empty());

    // A refused re-add after a new taskbar starts the timer again; removal stops it.
    shell.Restart();
    shell.refuseAll = true;
    tray.SendMessage(CTrayIcon::taskbarCreatedMessage);
    EXPECT_FALSE(tray.IsIconShown());
    EXPECT_TRUE(::KillTimer(tray.m_hWnd, kRetryTimer));
    ::SetTimer(tray.m_hWnd, kRetryTimer, 60000, nullptr);
    tray.RemoveIcon();
    EXPECT_FALSE(::KillTimer(tray.m_hWnd, kRetryTimer));
}

TEST_F(TrayDesktopRules, ShellMessagesAreLetThroughWhereTheSystemFiltersThem)
{
    ASSERT_TRUE(CreateIcon());
    EXPECT_EQ((std::vector<std::string>{Allowed(tray.m_hWnd, CTrayIcon::taskbarCreatedMessage),
                                        Allowed(owner.m_hWnd, kCallback)}),
              system.filterCalls);
    tray.RemoveIcon();
    tray.DestroyWindow();

    // Vista filters per process.
    system.filterCalls.clear();
    system.perWindowFilter = false;
    ASSERT_TRUE(CreateIcon());
    EXPECT_EQ((std::vector<std::string>{std::to_string(CTrayIcon::taskbarCreatedMessage) + " 1",
                                        std::to_string(kCallback) + " 1"}),
              system.filterCalls);
    tray.RemoveIcon();
    tray.DestroyWindow();

    // Older systems have no filter, and the icon is added all the same.
    system.filterCalls.clear();
    system.perProcessFilter = false;
    EXPECT_TRUE(CreateIcon());
    EXPECT_TRUE(system.filterCalls.empty());
    EXPECT_TRUE(Shown());
}

TEST_F(TrayDesktopRules, AnimationAimsAtTheIconsOwnRectangleWhereTheShellTellsIt)
{
    manager.minimizeAnimation = 1;
    ASSERT_TRUE(CreateIcon());
    RECT area{};
    CTrayIcon::GetNotificationAreaRect(&area);
    auto aimedAt = [this](const RECT& expected) {
        const RECT to = manager.CallsOf(WindowCall::Kind::Animation).back().to;
        return ::EqualRect(&expected, &to) != FALSE;
    };

    CTrayIcon::MinimizeToTray(&owner, FALSE, &tray);
    EXPECT_TRUE(aimedAt(system.iconRectFound));
    EXPECT_EQ(sizeof(NOTIFYICONIDENTIFIER), system.askedRect.cbSize);
    EXPECT_EQ(owner.m_hWnd, system.askedRect.hWnd);
    EXPECT_EQ(kIconId, system.askedRect.uID);
    CTrayIcon::RestoreFromTray(&owner, FALSE, &tray);

    system.iconRectAnswer = E_FAIL;
    CTrayIcon::MinimizeToTray(&owner, FALSE, &tray);
    EXPECT_TRUE(aimedAt(area)) << "a shell that cannot tell";
    CTrayIcon::RestoreFromTray(&owner, FALSE, &tray);

    system.iconRectAnswer = S_OK;
    system.iconRect = false;
    CTrayIcon::MinimizeToTray(&owner, FALSE, &tray);
    EXPECT_TRUE(aimedAt(area)) << "a system before Windows 7";
}

TEST_F(TrayDesktopRules, MenuAndDefaultCommandOfAParkedWindowMakeItsTopLevelWindowForeground)
{
    ASSERT_TRUE(CreateIcon());
    ASSERT_TRUE(CTrayIcon::HideTaskbarButton(&owner));
    EXPECT_EQ(1, tray.HandleNotification(kIconId, WM_RBUTTONUP));
    EXPECT_EQ(1, tray.HandleNotification(kIconId, WM_LBUTTONDBLCLK));
    const auto foreground = manager.CallsOf(WindowCall::Kind::Foreground);
    const auto track = manager.CallsOf(WindowCall::Kind::TrackMenu);
    ASSERT_EQ(2u, foreground.size());
    ASSERT_EQ(1u, track.size());
    EXPECT_EQ(CTrayIcon::parkingWindow.m_hWnd, foreground[0].window);
    EXPECT_EQ(CTrayIcon::parkingWindow.m_hWnd, foreground[1].window) << "the default command";
    EXPECT_EQ(owner.m_hWnd, track[0].window) << "the commands still go to the window itself";
    ::SetParent(owner.m_hWnd, nullptr);
    TakePosted(owner.m_hWnd);
}
