#include "controls/HyperLink.h"

#include <cstring>

#include "framework/Dpi.h"

namespace {

constexpr DWORD kStaticTypeMask = 0x0F;  // SS_TYPEMASK
constexpr DWORD kLinkStyle = SS_NOTIFY | SS_OWNERDRAW | WS_TABSTOP;
constexpr int kTipInitialDelay = 1200;  // ms
constexpr int kTipAutoPopDelay = 1600;  // ms
constexpr int kFontHeight = 14;         // pixels at 96 dpi

// Edges belong to the rectangle on all four sides.
bool InsideOrOnEdge(const RECT& rect, POINT point)
{
    return point.x >= rect.left && point.x <= rect.right && point.y >= rect.top &&
           point.y <= rect.bottom;
}

}  // namespace

CHyperLink::CHyperLink()
    : m_crBackground(::GetSysColor(COLOR_BTNFACE)), m_hHandCursor(::LoadCursorA(nullptr, IDC_HAND))
{
    CreateCaptionFont(SystemDpi());
}

CHyperLink::~CHyperLink()
{
    m_pszLinkUrl.reset();
    m_font.DeleteObject();
    m_toolTip.DestroyWindow();
    DestroyWindow();
}

const MessageMap* CHyperLink::GetMessageMap() const
{
    static const MessageEntry entries[] = {
        Message<&CHyperLink::OnPaint>(WM_PAINT),
        Message<&CHyperLink::OnMouseMove>(WM_MOUSEMOVE),
        Message<&CHyperLink::OnTimer>(WM_TIMER),
        Message<&CHyperLink::OnMouseLeave>(WM_MOUSELEAVE),
        Message<&CHyperLink::OnLButtonUp>(WM_LBUTTONUP),
        Message<&CHyperLink::OnLButtonDown>(WM_LBUTTONDOWN),
        Message<&CHyperLink::OnLButtonDblClk>(WM_LBUTTONDBLCLK),
        Message<&CHyperLink::OnCaptureChanged>(WM_CAPTURECHANGED),
        Message<&CHyperLink::OnKeyDown>(WM_KEYDOWN),
        Message<&CHyperLink::OnGetDlgCode>(WM_GETDLGCODE),
        Message<&CHyperLink::OnFocusChange>(WM_SETFOCUS),
        Message<&CHyperLink::OnFocusChange>(WM_KILLFOCUS),
        Message<&CHyperLink::OnUpdateUIState>(WM_UPDATEUISTATE),
        Message<&CHyperLink::OnGetObject>(WM_GETOBJECT),
        RegisteredMessage<&CHyperLink::OnJump>(&jumpMessage),
    };
    static const MessageMap map(CStatic::GetMessageMap(), entries);
    return &map;
}

void CHyperLink::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    // From here on the control gets mouse input, the keyboard reaches it by
    // Tab and the system never paints its text.
    ModifyStyle(kStaticTypeMask, kLinkStyle);
    if (GetStyle() & WS_DISABLED)
        m_bDisabled = TRUE;
    // A dialog on a monitor of another scale than the system's.
    SetDpi(DpiOfWindow(m_hWnd));

    if (!m_toolTip.Create(this, 0))
        return;
    m_toolTip.AddWindowTool(GetParent(), m_hWnd,
                            m_pszLinkUrl ? m_pszLinkUrl.get() : LPSTR_TEXTCALLBACKA);
    m_toolTip.SetDelayTime(TTDT_INITIAL, kTipInitialDelay);
    m_toolTip.SetDelayTime(TTDT_AUTOPOP, kTipAutoPopDelay);
}

void CHyperLink::SetLinkUrl(const char* url)
{
    m_pszLinkUrl.reset();
    if (url) {
        const size_t size = std::strlen(url) + 1;
        m_pszLinkUrl.reset(new char[size]);
        std::memcpy(m_pszLinkUrl.get(), url, size);
    }
    if (m_toolTip.m_hWnd)
        m_toolTip.UpdateTipText(m_pszLinkUrl.get(), GetParent(), reinterpret_cast<UINT_PTR>(m_hWnd),
                                TTF_IDISHWND);
}

void CHyperLink::CreateCaptionFont(int dpi)
{
    CFont font;
    if (!font.CreateFont(ScaleForDpi(kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                         ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, "Arial"))
        return;
    m_font.Attach(font.m_hObject);
    font.m_hObject = nullptr;
    m_nDpi = dpi;
}

void CHyperLink::SetDpi(int dpi)
{
    if (dpi == m_nDpi && m_font)
        return;
    CreateCaptionFont(dpi);
    if (m_hWnd)
        Invalidate(TRUE);
}

int CHyperLink::OpenLink()
{
    if (!m_pszLinkUrl || !m_bOpenOnClick)
        return -1;
    ::ShellExecuteA(nullptr, "open", m_pszLinkUrl.get(), nullptr, nullptr, SW_SHOWDEFAULT);
    return 0;
}

BOOL CHyperLink::PreTranslateMessage(MSG* msg)
{
    switch (msg->message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSELEAVE:
        if (m_toolTip.m_hWnd)
            m_toolTip.RelayEvent(msg);
        break;
    default:
        break;
    }
    return CStatic::PreTranslateMessage(msg);
}

LRESULT CHyperLink::WindowProc(UINT msg, WPARAM w, LPARAM l)
{
    // Only the flag follows; the look changes at the next paint.
    if (msg == WM_ENABLE) {
        m_bDisabled = !::IsWindowEnabled(m_hWnd);
        return 1;
    }
    // A screen reader may hold the object longer than the window lives.
    if (msg == WM_DESTROY)
        m_pAccessible.reset();
    return CStatic::WindowProc(msg, w, l);
}

// Hiding the cursor around the change keeps the old shape from flashing.
void CHyperLink::ShowHandCursor()
{
    if (m_bDisabled)
        return;
    ::ShowCursor(FALSE);
    HCURSOR previous = ::SetCursor(m_hHandCursor);
    if (previous != m_hHandCursor)
        m_hSavedCursor = previous;
    ::ShowCursor(TRUE);
}

void CHyperLink::RestoreCursor()
{
    // A null cursor would leave the mouse without a shape.
    if (m_bDisabled || !m_hSavedCursor)
        return;
    ::ShowCursor(FALSE);
    ::SetCursor(m_hSavedCursor);
    ::ShowCursor(TRUE);
}

bool CHyperLink::CursorOnLinkOrTip() const
{
    RECT client;
    GetClientRect(&client);
    ClientToScreen(&client);
    POINT cursor;
    if (!::GetCursorPos(&cursor) || !::PtInRect(&client, cursor))
        return false;
    HWND under = ::WindowFromPoint(cursor);
    return under == m_hWnd || (under && under == m_toolTip.m_hWnd);
}

LRESULT CHyperLink::OnMouseMove(WPARAM flags, LPARAM)
{
    ShowHandCursor();
    if (m_bHover)
        return 0;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&track);
    m_bHover = TRUE;
    m_bPressed = (flags & MK_LBUTTON) ? TRUE : FALSE;
    Invalidate(TRUE);
    return 0;
}

void CHyperLink::OnMouseLeave()
{
    if (m_toolTip.m_hWnd)
        m_toolTip.Pop();
    TRACKMOUSEEVENT cancel{sizeof cancel, TME_CANCEL | TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&cancel);
    m_bHover = FALSE;
    bool repaint = true;
    // Moving onto the tooltip over the link is not leaving it; the timer
    // looks again once the mouse has settled.
    if (CursorOnLinkOrTip()) {
        repaint = false;
        SetTimer(kLeaveTimer, kLeaveTimerPeriod);
    }
    RestoreCursor();
    if (repaint)
        Invalidate(TRUE);
}

LRESULT CHyperLink::OnTimer(WPARAM id, LPARAM)
{
    if (id != kLeaveTimer)
        return 0;
    KillTimer(kLeaveTimer);
    if (m_bPressed || CursorOnLinkOrTip())
        return 0;
    m_bHover = FALSE;
    Invalidate(TRUE);
    return 0;
}

void CHyperLink::OnLButtonDown()
{
    ShowHandCursor();
    m_bPressed = TRUE;
    ::SetCapture(m_hWnd);
    Invalidate(TRUE);
    GetClientRect(&m_rcPress);
    ClientToScreen(&m_rcPress);
    m_bPressRectSet = true;
}

void CHyperLink::OnLButtonDblClk()
{
    if (!m_bDisabled && (!m_bOpenOnClick || (GetStyle() & SS_NOTIFY)))
        Default();
    OnLButtonDown();
}

void CHyperLink::OnLButtonUp()
{
    ShowHandCursor();
    m_bPressed = FALSE;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    m_bHover = (m_bPressRectSet && InsideOrOnEdge(m_rcPress, cursor)) ? TRUE : FALSE;
    m_bPressRectSet = false;
    ::ReleaseCapture();
    Invalidate(TRUE);
    if (m_bDisabled || !m_bHover)
        return;
    Activate();
}

void CHyperLink::Activate()
{
    OpenLink();
    if (m_bOpenOnClick && !(GetStyle() & SS_NOTIFY))
        return;
    HWND parent = GetParent();
    const int id = LOWORD(GetDlgCtrlID());
    if (parent && id != 0)
        ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(m_hWnd));
}
