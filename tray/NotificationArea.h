// Where the taskbar's notification area is, worked out from what the system
// reports about the taskbar. All rectangles are in screen coordinates.
#pragma once
#include "framework/Win32.h"

// Applies one descendant of the taskbar window, in enumeration order, to
// area, which starts as the taskbar's own rectangle. False: the clock was
// found and the enumeration stops.
bool ApplyTaskbarDescendant(RECT& area, const char* className, const RECT& window);

// From the taskbar's edge and rectangle as the appbar query reports them,
// at the screen's dpi; false when the edge is none of the four.
bool NotificationAreaFromAppBar(UINT edge, const RECT& taskbar, int dpi, RECT* area);

// When nothing is known of a taskbar: the bottom right corner of the work
// area, at the screen's dpi.
RECT NotificationAreaFromWorkArea(const RECT& workArea, int dpi);
