// Thin wrappers of the standard controls.
#pragma once
#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
};

class CStatic : public CWnd {
public:
    HICON SetIcon(HICON icon)
    {
        return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
    }
};

// A combobox object may exist without a control: its messages then go to no
// window, which the system answers with 0, so it has no entries and its
// selection reads 0. Adding answers CB_ERR there, as a control that cannot
// take the entry does, since 0 would say the entry is the first.
class CComboBox : public CWnd {
public:
    int AddString(const char* text)
    {
        if (!IsWindow())
            return CB_ERR;
        return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index)
    {
        return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
    }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    BOOL GetDroppedState() const { return SendMessage(CB_GETDROPPEDSTATE) != 0; }
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
    HMENU GetSubMenu(int position) const
    {
        return m_hMenu ? ::GetSubMenu(m_hMenu, position) : nullptr;
    }

    HMENU m_hMenu = nullptr;
};
