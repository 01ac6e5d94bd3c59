// Wine's desktop process ends a few seconds after the last program that
// uses the desktop, and starting it again takes a quarter of a second of
// both cores. A window of the benchmark's own keeps it up for the whole run,
// so no measurement includes it. The window is never shown.
#pragma once
#include "framework/Win32.h"

class CDesktopHold {
public:
    CDesktopHold()
        : m_hWnd(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr))
    {
    }
    ~CDesktopHold()
    {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
    }
    CDesktopHold(const CDesktopHold&) = delete;
    CDesktopHold& operator=(const CDesktopHold&) = delete;

private:
    HWND m_hWnd;
};
