#include "framework/DataExchange.h"

#include <cstring>

#include "framework/Exception.h"
#include "framework/Wnd.h"

HWND CDataExchange::PrepareCtrl(int id) const
{
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!control)
        throw CDataExchangeException();
    return control;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    if (!control.SubclassWindow(dx->PrepareCtrl(id)))
        throw CDataExchangeException();
}

namespace {

// Labels here draw transparently over their parent's background, so a label
// whose text changes has the parent repaint what lies behind it first;
// otherwise the old text would stay visible under the new.
void SetControlText(HWND control, const char* text)
{
    char current[256];
    const int length = ::GetWindowTextLengthA(control);
    if (length < static_cast<int>(sizeof current)) {
        ::GetWindowTextA(control, current, sizeof current);
        if (std::strcmp(current, text) == 0)
            return;
    }
    ::SetWindowTextA(control, text);
    HWND parent = ::GetParent(control);
    RECT area;
    if (parent && ::GetWindowRect(control, &area)) {
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
        ::RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

}  // namespace

void DDX_Text(CDataExchange* dx, int id, CString& text)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        const int length = ::GetWindowTextLengthA(control);
        char* buffer = text.GetBuffer(length);
        ::GetWindowTextA(control, buffer, length + 1);
        text.ReleaseBuffer();
    } else {
        SetControlText(control, text);
    }
}
