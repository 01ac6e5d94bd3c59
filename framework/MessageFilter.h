// Letting messages through to a program that runs with higher rights than
// their sender (the shell, or another copy of the program).
#pragma once
#include "framework/Win32.h"

// A program run as administrator receives no message above WM_USER from a
// less privileged process, the shell's included, unless it allows them
// (User Interface Privilege Isolation). Windows 7 and later allow a message
// per window, Vista only for the whole process; older systems filter
// nothing.
void AllowMessageFromLowerRights(HWND window, UINT message);
