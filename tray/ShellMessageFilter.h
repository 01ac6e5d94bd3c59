// Letting the shell's messages through to a program that runs with higher
// rights than the shell.
#pragma once
#include "framework/Win32.h"

// A program run as administrator receives no message above WM_USER from
// the less privileged shell, its icon's callback message and
// "TaskbarCreated" included, unless it allows them (User Interface
// Privilege Isolation). Windows 7 and later allow a message per window,
// Vista only for the whole process; older systems filter nothing.
void AllowShellMessage(HWND window, UINT message);
