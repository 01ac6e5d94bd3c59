// Dialog data exchange: a dialog's DoDataExchange lists its bindings, one
// call per control. Push copies members into controls, setting a control's
// text only when it differs from what the control shows; pull copies the
// controls' texts back.
#pragma once
#include "framework/AnsiString.h"
#include "framework/ShownTexts.h"
#include "framework/Win32.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate, CShownTexts& shown)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate), m_shown(shown)
    {
    }

    // The dialog's control id; throws CDataExchangeException when missing.
    HWND PrepareCtrl(int id) const;
    // What the exchange knows of the text control id shows; throws as
    // PrepareCtrl.
    CShownTexts::Entry& ShownText(int id) const;

    CWnd* const m_pDlgWnd;
    const bool m_bSaveAndValidate;  // true: pull (controls to members)

private:
    CShownTexts& m_shown;
};

// Attaches control to the dialog's control id the first time.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// Copies text into the control id (push) or the control's text back (pull).
void DDX_Text(CDataExchange* dx, int id, CString& text);
