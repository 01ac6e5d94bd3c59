#include "framework/Dpi.h"

#include "framework/SystemEntryPoint.h"

namespace {

// Windows 10 1607.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

struct DpiFunctions {
    GetDpiForWindowFn getDpiForWindow;
    GetSystemMetricsForDpiFn getSystemMetricsForDpi;
};

const DpiFunctions& Resolved()
{
    static const DpiFunctions functions{
        SystemEntryPoint<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow"),
        SystemEntryPoint<GetSystemMetricsForDpiFn>("user32.dll", "GetSystemMetricsForDpi"),
    };
    return functions;
}

}  // namespace

int SystemDpi()
{
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return kDefaultDpi;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDefaultDpi;
}

int DpiOfWindow(HWND window)
{
    // 0 for a window that is not (or no longer) there.
    if (auto getDpiForWindow = Resolved().getDpiForWindow) {
        if (const UINT dpi = window ? getDpiForWindow(window) : 0)
            return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int SystemMetricForDpi(int metric, int dpi)
{
    if (auto getSystemMetricsForDpi = Resolved().getSystemMetricsForDpi)
        return getSystemMetricsForDpi(metric, static_cast<UINT>(dpi));
    // The metrics a system-aware program gets are those of the system DPI.
    return ::MulDiv(::GetSystemMetrics(metric), dpi, SystemDpi());
}

void MoveToSuggestedRect(HWND window, LPARAM suggested)
{
    const RECT* rect = reinterpret_cast<const RECT*>(suggested);
    if (!rect)
        return;
    ::SetWindowPos(window, nullptr, rect->left, rect->top, rect->right - rect->left,
                   rect->bottom - rect->top, SWP_NOZORDER | SWP_NOACTIVATE);
}
