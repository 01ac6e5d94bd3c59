// Starting a program until its main window shows: how long that takes and
// what memory the process holds then.
#pragma once
#include <string>

#include "framework/Win32.h"

struct LaunchSample {
    bool shown = false;       // the window showed within the time allowed
    double msToVisible = 0;   // CreateProcess to the window visible
    SIZE_T privateBytes = 0;  // once the window shows and the process is idle
    SIZE_T workingSet = 0;
};

// Starts exe with folder as its current folder, waits at most timeoutMs for
// a visible top-level window of its first thread with this caption, samples
// its memory once it is idle, then ends it with closeCommand (a WM_COMMAND
// the window ends on), terminating it should it not end.
LaunchSample LaunchUntilVisible(const std::string& exe, const std::string& folder,
                                const char* caption, WORD closeCommand, DWORD timeoutMs);
