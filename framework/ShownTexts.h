// What each control that the data exchange binds to a text shows, as far
// as the exchange knows: the text it last wrote there or read from there.
// A push compares a member with that instead of reading the control back,
// and each control's window is looked up once per dialog window.
#pragma once
#include <vector>

#include "framework/AnsiString.h"
#include "framework/Win32.h"

class CShownTexts {
public:
    struct Entry {
        int id = 0;
        HWND control = nullptr;
        CString text;        // what the control shows, when known
        bool known = false;  // false: read the control before trusting text
        bool typed = false;  // the user can change the text: read it every time
    };

    // The entry of control id of dialog, made the first time; throws
    // CDataExchangeException when the dialog has no such control.
    Entry& Of(HWND dialog, int id);
    // The dialog's window is gone; its controls with it.
    void Forget();

private:
    HWND m_hDialog = nullptr;
    std::vector<Entry> m_entries;
};
