// Sizes in pixels that the program chooses itself are given for 96 dots per
// inch (100 % display scaling) and scaled to the DPI of the window they are
// for. Under per-monitor awareness each window has the DPI of its monitor and
// learns of a change through WM_DPICHANGED; from Windows 10 1703 the dialog
// manager then re-lays a dialog's controls and template font out itself, so
// a dialog scales only what it made itself (fonts, icons).
// The per-monitor functions are looked up at run time: older systems and
// Wine lack some of them, and there each answer falls back to the system's
// DPI, the behaviour of a system-aware program.
#pragma once
#include "framework/Win32.h"

constexpr int kDefaultDpi = 96;

// WM_DPICHANGED (Windows 8.1); the headers name it only for newer targets.
// wParam: the new DPI in both words; lParam: the suggested window RECT.
constexpr UINT kDpiChangedMessage = 0x02E0;

// The dots per inch of the screen, as a system-aware program sees it.
int SystemDpi();

// The DPI the window is shown at; the system's where the system cannot tell.
int DpiOfWindow(HWND window);

// GetSystemMetrics(metric) for a window at dpi.
int SystemMetricForDpi(int metric, int dpi);

// The new DPI that WM_DPICHANGED carries.
inline int DpiOfChange(WPARAM w)
{
    return HIWORD(w) ? HIWORD(w) : kDefaultDpi;
}

// Moves and sizes window to the rectangle that WM_DPICHANGED suggests, as
// the message's documentation asks; a null rectangle leaves it alone.
void MoveToSuggestedRect(HWND window, LPARAM suggested);

// pixels at 96 dpi, at dpi; rounded to the nearest pixel.
inline int ScaleForDpi(int pixels, int dpi)
{
    return ::MulDiv(pixels, dpi, kDefaultDpi);
}
