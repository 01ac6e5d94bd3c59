#include "tray/TrayIcon.h"

#include "framework/WinApp.h"

CWnd* CTrayIcon::GetCommandTarget() const
{
    return commandTarget ? commandTarget : AfxGetMainWnd();
}

LRESULT CTrayIcon::HandleNotification(WPARAM iconId, LPARAM mouseMessage)
{
    if (iconId != iconData.uID)
        return 0;
    CWnd* target = GetCommandTarget();
    if (!target || !target->GetSafeHwnd())
        return 0;
    switch (LOWORD(mouseMessage)) {
    case WM_RBUTTONUP:
        return ShowPopupMenu(*target);
    case WM_LBUTTONDBLCLK:
        return PostDefaultCommand(*target);
    default:
        // Single clicks, button-down messages and moves.
        return 1;
    }
}

void CTrayIcon::PrepareMenu(HMENU)
{
}

// Sub-menu 0 of the menu resource uID, loaded into menu; null on failure.
HMENU CTrayIcon::LoadPopupMenu(CMenu& menu) const
{
    return menu.LoadMenu(iconData.uID) ? menu.GetSubMenu(0) : nullptr;
}

LRESULT CTrayIcon::ShowPopupMenu(CWnd& target)
{
    CMenu menu;
    HMENU popup = LoadPopupMenu(menu);
    if (!popup)
        return 0;
    ::SetMenuDefaultItem(popup, defaultMenuItem, defaultItemByPosition);
    PrepareMenu(popup);

    POINT cursor{};
    ::GetCursorPos(&cursor);
    // The menu's owner must be the foreground window, or the menu does not
    // close when the user clicks outside it. Only a top-level window can be
    // foreground: a target parked in the notification area is a child, and
    // its top-level window stands for it.
    ::SetForegroundWindow(::GetAncestor(target.m_hWnd, GA_ROOT));
    // Without TPM_RETURNCMD the chosen item reaches the owner as WM_COMMAND.
    ::TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, target.m_hWnd, nullptr);
    // The shell's rule for notification-area menus: a message to the owner
    // after tracking completes the task switch, so that the next right click
    // opens the menu again instead of dismissing it.
    target.PostMessage(WM_NULL);
    return 1;
}

LRESULT CTrayIcon::PostDefaultCommand(CWnd& target)
{
    // As for the menu: a parked target's top-level window stands for it.
    ::SetForegroundWindow(::GetAncestor(target.m_hWnd, GA_ROOT));
    UINT command = defaultMenuItem;
    if (defaultItemByPosition) {
        CMenu menu;
        HMENU popup = LoadPopupMenu(menu);
        if (!popup)
            return 0;
        command = ::GetMenuItemID(popup, static_cast<int>(defaultMenuItem));
    }
    target.PostMessage(WM_COMMAND, command, 0);
    return 1;
}
