// Whether a process runs with the administrator rights of an elevated
// token ("Run as administrator"), as the system tells through the token's
// TokenElevation information.
#pragma once
#include "framework/Win32.h"

enum class Elevation {
    Unknown,  // the token cannot be read, or the system has no elevation
    NotElevated,
    Elevated,
};

// process needs PROCESS_QUERY_LIMITED_INFORMATION.
Elevation ProcessElevation(HANDLE process);
Elevation OwnElevation();
// The process that runs window's thread.
Elevation ElevationOfWindowProcess(HWND window);
