// CWnd: a window the program owns or has attached to. Attaching subclasses
// the window: its messages pass through this object's message map first and
// then on to the window's own procedure.
#pragma once
#include "framework/AnsiString.h"
#include "framework/CmdTarget.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to hwnd, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    BOOL SubclassWindow(HWND hwnd);
    HWND UnsubclassWindow();

    // Creates a window and attaches it. A null class name means a class of
    // the framework's with default attributes (no cursor, brush or icon).
    BOOL CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                  int y, int width, int height, HWND parent, HMENU menu);
    BOOL DestroyWindow();

    // Called for every queued message addressed to this window before it
    // is dispatched; true means it was handled and is not dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);

    LRESULT SendMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const
    {
        return ::SendMessageA(m_hWnd, msg, w, l);
    }
    BOOL PostMessage(UINT msg, WPARAM w = 0, LPARAM l = 0) const
    {
        return ::PostMessageA(m_hWnd, msg, w, l);
    }

    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL ShowWindow(int show) { return ::ShowWindow(m_hWnd, show); }
    BOOL EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    // Changes style bits alone: no frame change is sent.
    BOOL ModifyStyle(DWORD remove, DWORD add);
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ClientToScreen(RECT* rect) const;
    void ScreenToClient(RECT* rect) const;
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    UINT_PTR SetTimer(UINT_PTR id, UINT ms) { return ::SetTimer(m_hWnd, id, ms, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    void CenterWindow(HWND alternateOwner = nullptr);

protected:
    // Attaching a window calls this first, while the window still has its
    // own procedure.
    virtual void PreSubclassWindow() {}
    virtual LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l);
    // The window's own processing of the message being handled.
    LRESULT Default();
    // The message being handled.
    const MSG& GetCurrentMessage() const { return m_current; }
    LRESULT DefWindowProc(UINT msg, WPARAM w, LPARAM l);

    // Looks the message up in the message maps.
    virtual bool OnWndMsg(UINT msg, WPARAM w, LPARAM l, LRESULT* result);
    virtual bool OnCommand(WPARAM w, LPARAM l);

private:
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    void Detach();

    WNDPROC m_pfnSuper = nullptr;
    bool m_bCreated = false;  // this object created the window
    MSG m_current{};          // the message being handled, for Default()
};

// A window of the framework's default class, to create hidden helper windows.
const char* FrameworkWindowClass();
