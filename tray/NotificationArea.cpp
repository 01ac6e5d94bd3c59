#include "tray/NotificationArea.h"

#include <cstring>

#include "framework/Dpi.h"

namespace {

// Estimates of where the area lies along a taskbar of which only the
// rectangle is known: from 100 to 16 pixels (at 96 dpi) before its far end.
constexpr LONG kAppBarAreaLength = 100;
constexpr LONG kAppBarAreaEnd = 16;
// Room for a few icons, when not even a taskbar is known.
constexpr LONG kCornerWidth = 150;
constexpr LONG kCornerHeight = 30;
// A clock this far above the area's bottom sits above the icons (a
// vertical or tall taskbar); otherwise it sits to their right.
constexpr LONG kClockAboveMargin = 5;

}  // namespace

bool ApplyTaskbarDescendant(RECT& area, const char* className, const RECT& window)
{
    if (std::strcmp(className, "TrayNotifyWnd") == 0) {
        area = window;
        return true;
    }
    if (std::strcmp(className, "TrayClockWClass") == 0) {
        if (window.bottom < area.bottom - kClockAboveMargin)
            area.top = window.bottom;
        else
            area.right = window.left;
        return false;
    }
    return true;
}

bool NotificationAreaFromAppBar(UINT edge, const RECT& taskbar, int dpi, RECT* area)
{
    const LONG length = ScaleForDpi(kAppBarAreaLength, dpi);
    const LONG end = ScaleForDpi(kAppBarAreaEnd, dpi);
    switch (edge) {
    case ABE_LEFT:
    case ABE_RIGHT:
        *area = {taskbar.left, taskbar.bottom - length, taskbar.right, taskbar.bottom - end};
        return true;
    case ABE_TOP:
    case ABE_BOTTOM:
        *area = {taskbar.right - length, taskbar.top, taskbar.right - end, taskbar.bottom};
        return true;
    default:
        return false;
    }
}

RECT NotificationAreaFromWorkArea(const RECT& workArea, int dpi)
{
    return {workArea.right - ScaleForDpi(kCornerWidth, dpi),
            workArea.bottom - ScaleForDpi(kCornerHeight, dpi), workArea.right, workArea.bottom};
}
