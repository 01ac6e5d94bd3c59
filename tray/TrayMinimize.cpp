// Hiding a top-level window into the notification area and bringing it back.
#include "framework/Dpi.h"
#include "framework/SystemEntryPoint.h"
#include "tray/NotificationArea.h"
#include "tray/TrayIcon.h"

namespace {

constexpr UINT kRedrawAll =
    RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;
static_assert(kRedrawAll == 0x585, "the restored window is redrawn with flags 0x585");

BOOL CALLBACK VisitTaskbarDescendant(HWND window, LPARAM area)
{
    char className[255] = "";
    ::GetClassNameA(window, className, sizeof className);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return ApplyTaskbarDescendant(*reinterpret_cast<RECT*>(area), className, rect) ? TRUE : FALSE;
}

// Hiding a window by clearing its style moves no activation, as ShowWindow
// would: the invisible window would keep the keyboard. The taskbar takes it,
// as when the shell hides a window; the caller holds the foreground, so it
// may hand it on. Without a taskbar the thread keeps no focus at all.
void GiveAwayActivation(HWND hidden)
{
    const HWND focus = ::GetFocus();
    if (::GetActiveWindow() != hidden && focus != hidden && !::IsChild(hidden, focus))
        return;
    const HWND taskbar = ::FindWindowA("Shell_TrayWnd", nullptr);
    if (!taskbar || !::SetForegroundWindow(taskbar))
        ::SetFocus(nullptr);
}

using ShellNotifyIconGetRectFn = HRESULT(WINAPI*)(const NOTIFYICONIDENTIFIER* icon, RECT* rect);

}  // namespace

BOOL CTrayIcon::GetIconRect(RECT* rect) const
{
    const auto getRect =
        SystemEntryPoint<ShellNotifyIconGetRectFn>("shell32.dll", "Shell_NotifyIconGetRect");
    if (!getRect || !IsIconShown())
        return FALSE;
    NOTIFYICONIDENTIFIER icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = iconData.hWnd;
    icon.uID = iconData.uID;
    RECT found{};
    if (FAILED(getRect(&icon, &found)) || ::IsRectEmpty(&found))
        return FALSE;
    *rect = found;
    return TRUE;
}

void CTrayIcon::GetAnimationEnd(const CTrayIcon* icon, RECT* rect)
{
    if (!icon || !icon->GetIconRect(rect))
        GetNotificationAreaRect(rect);
}

void CTrayIcon::MinimizeToTray(CWnd* window, BOOL forceAnimation, const CTrayIcon* icon)
{
    if (!window || !window->GetSafeHwnd())
        return;
    if (forceAnimation || IsMinimizeAnimationOn()) {
        RECT from{};
        RECT to{};
        window->GetWindowRect(&from);
        GetAnimationEnd(icon, &to);
        ::DrawAnimatedRects(window->m_hWnd, IDANI_CAPTION, &from, &to);
    }
    HideTaskbarButton(window);
    window->ModifyStyle(WS_VISIBLE, 0);
    GiveAwayActivation(window->m_hWnd);
}

void CTrayIcon::RestoreFromTray(CWnd* window, BOOL forceAnimation, const CTrayIcon* icon)
{
    if (!window || !window->GetSafeHwnd())
        return;
    const HWND hwnd = window->m_hWnd;
    if (forceAnimation || IsMinimizeAnimationOn()) {
        RECT from{};
        RECT to{};
        window->GetWindowRect(&to);
        GetAnimationEnd(icon, &from);
        ::SetParent(hwnd, nullptr);
        ::DrawAnimatedRects(hwnd, IDANI_CAPTION, &from, &to);
    } else {
        ::SetParent(hwnd, nullptr);
    }
    window->ModifyStyle(0, WS_VISIBLE);
    ::RedrawWindow(hwnd, nullptr, nullptr, kRedrawAll);
    if (parkingWindow.IsWindow())
        ::SetActiveWindow(parkingWindow.m_hWnd);
    ::SetActiveWindow(hwnd);
    ::SetForegroundWindow(hwnd);
}

void CTrayIcon::ReturnParkedWindowsToTaskbar()
{
    if (!parkingWindow.IsWindow())
        return;
    HWND window = ::GetWindow(parkingWindow.m_hWnd, GW_CHILD);
    while (window) {
        const HWND next = ::GetWindow(window, GW_HWNDNEXT);
        ::SetParent(window, nullptr);
        ::ShowWindow(window, SW_MINIMIZE);
        window = next;
    }
}

BOOL CTrayIcon::IsMinimizeAnimationOn()
{
    ANIMATIONINFO animation{};
    animation.cbSize = sizeof animation;
    ::SystemParametersInfoA(SPI_GETANIMATION, sizeof animation, &animation, 0);
    return animation.iMinAnimate != 0;
}

// A window whose parent is a window that is never shown has no taskbar
// button.
BOOL CTrayIcon::HideTaskbarButton(CWnd* window)
{
    if (!parkingWindow.IsWindow() &&
        !parkingWindow.CreateEx(0, nullptr, "", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr))
        return FALSE;
    ::SetParent(window->m_hWnd, parkingWindow.m_hWnd);
    return TRUE;
}

void CTrayIcon::GetNotificationAreaRect(RECT* rect)
{
    if (HWND taskbar = ::FindWindowA("Shell_TrayWnd", nullptr)) {
        ::GetWindowRect(taskbar, rect);
        ::EnumChildWindows(taskbar, &VisitTaskbarDescendant, reinterpret_cast<LPARAM>(rect));
        return;
    }
    APPBARDATA appBar{};
    appBar.cbSize = sizeof appBar;
    if (::SHAppBarMessage(ABM_GETTASKBARPOS, &appBar) &&
        NotificationAreaFromAppBar(appBar.uEdge, appBar.rc, SystemDpi(), rect))
        return;
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    *rect = NotificationAreaFromWorkArea(workArea, SystemDpi());
}
