// The windows a window owns (boxes it opened, such as a modal dialog).
#pragma once
#include "framework/Win32.h"

// What takes the user's input in place of owner: a modal box disables its
// owner, so while owner is disabled, the shown window it owns, and in turn
// what stands in for that one; otherwise owner itself.
HWND FrontOwnedWindow(HWND owner);
