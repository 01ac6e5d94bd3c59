#include "framework/CmdUI.h"

#include "framework/CmdTarget.h"

void CCmdUI::Enable(BOOL on)
{
    m_bEnableChanged = true;
    // A pop-up item is never disabled: its sub-menu's items decide.
    if (!m_hMenu || m_hSubMenu)
        return;
    EnableMenuItem(m_hMenu, m_nIndex,
                   MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
}

void CCmdUI::SetCheck(int check)
{
    if (!m_hMenu || m_hSubMenu)
        return;
    CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::DoUpdate(CCmdTarget* target, bool disableIfNoHandler)
{
    m_bEnableChanged = false;
    const bool updated = target->OnCmdUpdate(this);
    if (!updated && disableIfNoHandler && !m_bEnableChanged)
        Enable(target->HasCommandHandler(m_nID));
}

void UpdateMenuItems(HMENU popup, HMENU trackedMenu, CCmdTarget* target)
{
    CCmdUI state;
    state.m_hMenu = popup;
    state.m_hParentMenu = trackedMenu;
    int count = GetMenuItemCount(popup);
    for (int index = 0; index >= 0 && index < count; ++index) {
        state.m_nIndex = static_cast<UINT>(index);
        state.m_nIndexMax = static_cast<UINT>(count);
        state.m_nID = GetMenuItemID(popup, index);
        if (state.m_nID == 0)
            continue;  // separator
        if (state.m_nID == static_cast<UINT>(-1)) {
            HMENU sub = GetSubMenu(popup, index);
            if (!sub)
                continue;
            state.m_nID = GetMenuItemID(sub, 0);
            if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
                continue;
            state.m_hSubMenu = sub;
            state.DoUpdate(target, true);
        } else {
            state.m_hSubMenu = nullptr;
            state.DoUpdate(target, false);
        }
        // A handler that added or removed items moves the walk by the
        // difference and past further items with the same identifier.
        const int now = GetMenuItemCount(popup);
        if (now != count) {
            index += now - count;
            while (index + 1 < now && GetMenuItemID(popup, index + 1) == state.m_nID)
                ++index;
            count = now;
        }
    }
}
