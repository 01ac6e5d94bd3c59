#include "tray/NotificationArea.h"

#include <cstring>

namespace {

// Estimates of where the area lies along a taskbar of which only the
// rectangle is known: from 100 to 16 pixels before its far end.
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

bool NotificationAreaFromAppBar(UINT edge, const RECT& taskbar, RECT* area)
{
    switch (edge) {
    case ABE_LEFT:
    case ABE_RIGHT:
        *area = {taskbar.left, taskbar.bottom - kAppBarAreaLength, taskbar.right,
                 taskbar.bottom - kAppBarAreaEnd};
        return true;
    case ABE_TOP:
    case ABE_BOTTOM:
        *area = {taskbar.right - kAppBarAreaLength, taskbar.top, taskbar.right - kAppBarAreaEnd,
                 taskbar.bottom};
        return true;
    default:
        return false;
    }
}

RECT NotificationAreaFromWorkArea(const RECT& workArea)
{
    return {workArea.right - kCornerWidth, workArea.bottom - kCornerHeight, workArea.right,
            workArea.bottom};
}
