#include "framework/Wnd.h"

#include "framework/Exception.h"
#include "framework/WinApp.h"

namespace {

// Names the property that carries a window's CWnd; it only needs to be
// unique among the properties this process sets.
const char kObjectProperty[] = "Framework.CWnd";

}  // namespace

const char* FrameworkWindowClass()
{
    static const char name[] = "FrameworkWindow";
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = name;
        return ::RegisterClassA(&wc) != 0;
    }();
    return registered ? name : nullptr;
}

CWnd::~CWnd()
{
    if (!m_hWnd)
        return;
    if (m_bCreated)
        DestroyWindow();
    else
        UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(::GetPropA(hwnd, kObjectProperty)) : nullptr;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd))
        return FALSE;
    m_hWnd = hwnd;
    PreSubclassWindow();
    if (!::SetPropA(hwnd, kObjectProperty, this)) {
        m_hWnd = nullptr;
        return FALSE;
    }
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWindowProc)));
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hwnd = m_hWnd;
    if (!hwnd)
        return nullptr;
    if (m_pfnSuper)
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    Detach();
    return hwnd;
}

void CWnd::Detach()
{
    if (m_hWnd)
        ::RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    m_bCreated = false;
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menu)
{
    if (!className)
        className = FrameworkWindowClass();
    if (!className || m_hWnd)
        return FALSE;
    HWND hwnd = ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent,
                                  menu, ::GetModuleHandleA(nullptr), nullptr);
    if (!hwnd)
        return FALSE;
    if (!SubclassWindow(hwnd)) {
        ::DestroyWindow(hwnd);
        return FALSE;
    }
    m_bCreated = true;
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    // WM_NCDESTROY detaches this object on the way.
    HWND hwnd = m_hWnd;
    const BOOL destroyed = ::DestroyWindow(hwnd);
    if (m_hWnd == hwnd)
        Detach();
    return destroyed;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::GetWindowText(CString& text) const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    char* buffer = text.GetBuffer(length);
    ::GetWindowTextA(m_hWnd, buffer, length + 1);
    text.ReleaseBuffer();
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add)
{
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
    return TRUE;
}

void CWnd::ClientToScreen(RECT* rect) const
{
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::ScreenToClient(RECT* rect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::CenterWindow(HWND alternateOwner)
{
    RECT window, area;
    ::GetWindowRect(m_hWnd, &window);
    ::GetWindowRect(alternateOwner ? alternateOwner : ::GetDesktopWindow(), &area);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int x = area.left + (area.right - area.left - width) / 2;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM w, LPARAM l)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, msg, w, l);
    return ::DefWindowProcA(m_hWnd, msg, w, l);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM w, LPARAM l)
{
    LRESULT result = 0;
    if (OnWndMsg(msg, w, l, &result))
        return result;
    return DefWindowProc(msg, w, l);
}

bool CWnd::OnCommand(WPARAM w, LPARAM)
{
    return OnCmdMsg(LOWORD(w), HIWORD(w));
}

bool CWnd::OnWndMsg(UINT msg, WPARAM w, LPARAM l, LRESULT* result)
{
    if (msg == WM_COMMAND) {
        *result = 0;
        return OnCommand(w, l);
    }
    for (const MessageMap* map = GetMessageMap(); map; map = map->Base()) {
        for (const MessageEntry& entry : *map) {
            bool match = false;
            switch (entry.kind) {
            case MessageEntry::Kind::Message:
            case MessageEntry::Kind::Default:
                match = msg >= entry.first && msg <= entry.last;
                break;
            case MessageEntry::Kind::Registered:
                match = entry.registered && *entry.registered != 0 && msg == *entry.registered;
                break;
            default:
                break;
            }
            if (!match)
                continue;
            if (entry.kind == MessageEntry::Kind::Default)
                return false;
            *result = entry.call(*this, w, l);
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l)
{
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd)
        return ::DefWindowProcA(hwnd, msg, w, l);
    const MSG outer = wnd->m_current;
    wnd->m_current = MSG{hwnd, msg, w, l, 0, {0, 0}};
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(msg, w, l);
    } catch (...) {
        // Nothing thrown below a window procedure may reach the system.
        char where[64];
        ::wsprintfA(where, "the window procedure, message 0x%04X", msg);
        TraceCaughtException(where);
        result = 0;
    }
    wnd->m_current = outer;
    if (msg == WM_NCDESTROY && wnd->m_hWnd == hwnd) {
        // The window is gone; so is the attachment.
        WNDPROC super = wnd->m_pfnSuper;
        wnd->Detach();
        if (super)
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
    }
    return result;
}
