// CCmdUI: one menu item while the command-update walk asks the handlers
// whether it is checked or enabled.
#pragma once
#include "framework/Win32.h"

class CCmdTarget;

class CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;
    HMENU m_hMenu = nullptr;        // the pop-up that holds the item
    HMENU m_hSubMenu = nullptr;     // the sub-menu the item opens, if any
    HMENU m_hParentMenu = nullptr;  // the menu being tracked, if known
    UINT m_nIndexMax = 0;

    void Enable(BOOL on = TRUE);
    void SetCheck(int check = 1);

    // Routes the update through target. With disableIfNoHandler, an item
    // that no handler updates and no command handler serves is disabled.
    void DoUpdate(CCmdTarget* target, bool disableIfNoHandler);

private:
    bool m_bEnableChanged = false;
};

// The walk over a pop-up's items that runs before the pop-up is shown.
void UpdateMenuItems(HMENU popup, HMENU trackedMenu, CCmdTarget* target);
