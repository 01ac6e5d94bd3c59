// The hyperlink for users of the keyboard and of screen readers: Enter and
// Space, the dialog manager's question about the keys it wants, the focus
// rectangle, and the object a screen reader asks for.
#include "controls/HyperLink.h"

namespace {

constexpr LPARAM kKeyWasDown = 1 << 30;  // WM_KEYDOWN: an auto-repeat

}  // namespace

const UINT CHyperLink::jumpMessage = ::RegisterWindowMessageA("Velorix.LinkJump");

LRESULT CHyperLink::OnKeyDown(WPARAM key, LPARAM flags)
{
    if ((key != VK_RETURN && key != VK_SPACE) || (flags & kKeyWasDown) || m_bDisabled)
        return Default();
    Activate();
    return 0;
}

// Without asking for Enter the dialog manager would press the dialog's
// default button with it; the other keys keep their dialog meaning.
LRESULT CHyperLink::OnGetDlgCode(WPARAM, LPARAM message)
{
    LRESULT code = Default();
    const MSG* msg = reinterpret_cast<const MSG*>(message);
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        code |= DLGC_WANTALLKEYS;
    return code;
}

void CHyperLink::OnFocusChange()
{
    Default();
    Invalidate(TRUE);
}

void CHyperLink::OnUpdateUIState()
{
    Default();
    if (::GetFocus() == m_hWnd)
        Invalidate(TRUE);
}

bool CHyperLink::ShowsFocus() const
{
    if (::GetFocus() != m_hWnd)
        return false;
    const LRESULT hidden = ::SendMessageA(m_hWnd, WM_QUERYUISTATE, 0, 0);
    return !(hidden & UISF_HIDEFOCUS);
}

LRESULT CHyperLink::OnGetObject(WPARAM flags, LPARAM objectId)
{
    // The identifier is a 32-bit value, whatever the width of lParam.
    if (static_cast<DWORD>(objectId) != static_cast<DWORD>(OBJID_CLIENT))
        return Default();
    if (!m_pAccessible)
        m_pAccessible.reset(CLinkAccessible::Create(m_hWnd, jumpMessage));
    if (!m_pAccessible)
        return Default();
    return ::LresultFromObject(__uuidof(IAccessible), flags,
                               static_cast<IAccessible*>(m_pAccessible.get()));
}

LRESULT CHyperLink::OnJump(WPARAM, LPARAM)
{
    Activate();
    return 0;
}
