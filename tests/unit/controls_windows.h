// Windows of the controls tests' own: a top-level host that paints through a
// callback and records the commands its children send, the reading of what
// a window shows, and the moving of the cursor.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "framework/Wnd.h"

// Named apart from the other areas' test helpers in the same program.
namespace controls_test {

class CTestHost : public CWnd {
public:
    // A visible, topmost pop-up with a client area of width x height.
    bool Open(int width, int height)
    {
        return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, nullptr, "controls test",
                        WS_POPUP | WS_VISIBLE, 120, 120, width, height, nullptr, nullptr) != FALSE;
    }
    // A visible child of parent at (x, y).
    bool OpenChild(CWnd& parent, int x, int y, int width, int height)
    {
        return CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, x, y, width, height,
                        parent.m_hWnd, nullptr) != FALSE;
    }
    // Paints once, now, with onPaint.
    void PaintNow()
    {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        ::UpdateWindow(m_hWnd);
    }

    std::function<void(CWnd*)> onPaint;
    std::vector<WPARAM> commands;  // wParam of every WM_COMMAND

protected:
    LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override
    {
        if (msg == WM_PAINT && onPaint) {
            onPaint(this);
            return 0;
        }
        if (msg == WM_COMMAND) {
            commands.push_back(w);
            return 0;
        }
        return CWnd::WindowProc(msg, w, l);
    }
};

// Pixels are read from the window's own device context: what was drawn
// into the window, whether or not the system has shown it on the screen yet.

// A pixel of window, at client coordinates.
inline COLORREF WindowPixel(HWND window, int x, int y)
{
    HDC dc = ::GetDC(window);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::ReleaseDC(window, dc);
    return colour;
}

// A copy of the client area of window, read at once.
class CWindowShot {
public:
    explicit CWindowShot(HWND window)
    {
        RECT client;
        ::GetClientRect(window, &client);
        m_width = client.right;
        m_height = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = m_width;
        info.bmiHeader.biHeight = -m_height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC source = ::GetDC(window);
        HDC memory = ::CreateCompatibleDC(source);
        HGDIOBJ before = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, m_width, m_height, source, 0, 0, SRCCOPY);
        ::GdiFlush();
        const DWORD* pixels = static_cast<const DWORD*>(bits);
        if (pixels)
            m_pixels.assign(pixels, pixels + m_width * m_height);
        ::SelectObject(memory, before);
        ::DeleteDC(memory);
        ::ReleaseDC(window, source);
        ::DeleteObject(bitmap);
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // CLR_INVALID outside the copy.
    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_pixels.empty())
            return CLR_INVALID;
        const DWORD bgr = m_pixels[static_cast<size_t>(y) * m_width + x];
        return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }
    int Count(COLORREF colour, RECT area) const
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += At(x, y) == colour ? 1 : 0;
        return count;
    }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<DWORD> m_pixels;
};

// The cursor position the system reports can lag: a move of an earlier
// call may still arrive and take it back. Moves, then checks that the
// position holds over a few looks at the input queue; falls back to an
// absolute input move.
inline bool MoveCursorTo(POINT screen)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (attempt % 2 == 0) {
            ::SetCursorPos(screen.x, screen.y);
        } else {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dx = (screen.x * 65535) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
            input.mi.dy = (screen.y * 65535) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
            input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            ::SendInput(1, &input, sizeof input);
        }
        int held = 0;
        for (int look = 0; look < 8 && held < 3; ++look) {
            ::Sleep(15);
            MSG msg;
            ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
            POINT now{};
            const bool there = ::GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
            held = there ? held + 1 : 0;
        }
        if (held >= 3)
            return true;
    }
    return false;
}

// Moves the cursor to client coordinates of window.
inline bool MoveCursorOver(HWND window, int x, int y)
{
    POINT at{x, y};
    ::ClientToScreen(window, &at);
    return MoveCursorTo(at);
}

}  // namespace controls_test
