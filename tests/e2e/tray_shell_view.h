// The shell's notification area seen from a test program: which icons the
// taskbar shows with which tips, whether the shell holds a given icon, and
// mouse messages handed to the taskbar as if the user clicked an icon. Read
// from Wine's taskbar, which draws the icons itself and keeps one tooltip
// tool per shown icon.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <string>
#include <vector>

namespace tray_view {

struct ShownIcon {
    HWND taskbar = nullptr;
    RECT rect{};  // in the taskbar's client coordinates
    std::string tip;
};

// The taskbar window, waited for: Wine starts its desktop and taskbar for
// the first program that asks for the desktop window.
HWND WaitForTaskbar(DWORD timeoutMs = 10000);

// The icons shown now; empty when there is no taskbar to read.
std::vector<ShownIcon> ShownIcons();
std::vector<ShownIcon> ShownIconsWithTip(const std::string& tip);

// The shell holds the icon (owner, id): a change of nothing succeeds only
// for an icon it holds.
bool ShellHoldsIcon(HWND owner, UINT id);
// Takes the icon away from the shell, as a taskbar that is recreated loses
// every icon.
bool DeleteIcon(HWND owner, UINT id);

// The taskbar receives mouseMessage over the middle of the icon and passes
// it on to the icon's owner.
bool Click(const ShownIcon& icon, UINT mouseMessage);

// Moves the mouse over every shown icon: the taskbar then drops the icons
// of windows that no longer exist (a program killed while its window was
// hidden in the notification area leaves its icon behind).
void SweepIconsOfEndedPrograms();

// The taskbar shows a button for window. Wine's taskbar gives each of its
// buttons the window's handle as control identifier.
bool HasTaskbarButton(HWND window);

// Announces a new taskbar to every top-level window, as the shell does
// after it restarts.
void BroadcastTaskbarCreated();
// Tells every top-level window that the work area changed.
void BroadcastWorkAreaChange();

// Moves the cursor to point and checks that it arrived.
bool PlaceCursor(POINT point);

// Polls condition every 20 ms, pumping this thread's messages, for at most
// timeoutMs; returns its last value.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 5000)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (::GetTickCount64() >= deadline)
            return condition();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::Sleep(20);
    }
    return true;
}

}  // namespace tray_view
