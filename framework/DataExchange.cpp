#include "framework/DataExchange.h"

#include "framework/Exception.h"
#include "framework/Wnd.h"

HWND CDataExchange::PrepareCtrl(int id) const
{
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!control)
        throw CDataExchangeException();
    return control;
}

CShownTexts::Entry& CDataExchange::ShownText(int id) const
{
    return m_shown.Of(m_pDlgWnd->m_hWnd, id);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    if (!control.SubclassWindow(dx->PrepareCtrl(id)))
        throw CDataExchangeException();
}

namespace {

// One call for a text that fits the buffer, as labels' texts do; a longer
// one is read whole.
void ReadControlText(HWND control, CString& text)
{
    char shown[256];
    shown[0] = '\0';
    const int length = ::GetWindowTextA(control, shown, sizeof shown);
    if (length >= 0 && length < static_cast<int>(sizeof shown) - 1) {
        shown[length] = '\0';
        text = shown;
        return;
    }
    const int whole = ::GetWindowTextLengthA(control);
    char* buffer = text.GetBuffer(whole);
    ::GetWindowTextA(control, buffer, whole + 1);
    text.ReleaseBuffer();
}

// Labels here draw transparently over their parent's background, so a label
// whose text changes has the parent repaint what lies behind it first;
// otherwise the old text would stay visible under the new.
bool SetControlText(HWND control, const char* text)
{
    if (!::SetWindowTextA(control, text))
        return false;
    HWND parent = ::GetParent(control);
    RECT area;
    if (parent && ::GetWindowRect(control, &area)) {
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
        ::RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    return true;
}

}  // namespace

void DDX_Text(CDataExchange* dx, int id, CString& text)
{
    CShownTexts::Entry& shown = dx->ShownText(id);
    if (dx->m_bSaveAndValidate || !shown.known || shown.typed) {
        shown.known = false;
        ReadControlText(shown.control, shown.text);
        shown.known = true;
    }
    if (dx->m_bSaveAndValidate) {
        text = shown.text;
    } else if (shown.text != text) {
        shown.known = false;
        if (SetControlText(shown.control, text)) {
            shown.text = text;
            shown.known = true;
        }
    }
}
