// Windows of the test's own for the tray icon's unit tests, and what was
// posted to them.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <vector>

#include "framework/Wnd.h"

// A top-level window of the framework's default class.
class CTestWindow : public CWnd {
public:
    explicit CTestWindow(DWORD style = WS_POPUP, RECT at = {100, 120, 400, 320})
    {
        CreateEx(0, nullptr, "", style, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 nullptr, nullptr);
    }
};

// Removes and returns the messages posted to window, in order.
inline std::vector<MSG> TakePosted(HWND window)
{
    std::vector<MSG> posted;
    MSG msg;
    while (::PeekMessageA(&msg, window, 0, 0, PM_REMOVE | PM_NOYIELD)) {
        if (msg.message != WM_PAINT)
            posted.push_back(msg);
    }
    return posted;
}
