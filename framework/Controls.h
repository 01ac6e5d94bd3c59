// Thin wrappers of the standard controls.
#pragma once
#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
};

class CStatic : public CWnd {
public:
    HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
};

// A combobox object may exist without a control: it then has no entries and
// its selection reads 0, as the system answers a message sent to no window.
class CComboBox : public CWnd {
public:
    int AddString(const char* text) { return m_hWnd ? static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))) : CB_ERR; }
    int GetCount() const { return m_hWnd ? static_cast<int>(SendMessage(CB_GETCOUNT)) : 0; }
    int GetCurSel() const { return m_hWnd ? static_cast<int>(SendMessage(CB_GETCURSEL)) : 0; }
    int SetCurSel(int index) { return m_hWnd ? static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))) : 0; }
};

// A menu loaded from the resources, destroyed with the object.
class CMenu {
public:
    CMenu() = default;
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL LoadMenu(UINT id);
    void DestroyMenu();
    // A sub-menu belongs to its menu: the handle is borrowed.
    HMENU GetSubMenu(int position) const { return m_hMenu ? ::GetSubMenu(m_hMenu, position) : nullptr; }

    HMENU m_hMenu = nullptr;
};
