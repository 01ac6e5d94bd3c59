// Identifiers of probe_target.exe, which the probe tests drive.
#pragma once

#define IDD_PROBE_TARGET 100
#define IDC_TIP_BUTTON 1001
#define IDC_CALLBACK_LABEL 1002
#define IDC_LAST_COMMAND 1003

// System menu additions: below 0xF000 and with the low four bits clear, as
// the system keeps those bits for itself.
#define IDM_TARGET_ABOUT 0x0010
#define IDM_TARGET_CHECKED 0x0020
#define IDM_TARGET_GRAYED 0x0030

// Pop-up menu items.
#define IDM_OPEN 101
#define IDM_CHECKED 102
#define IDM_GRAYED 103
#define IDM_DISABLED 104
#define IDM_LAST 105
#define IDM_SUB_ONE 201
#define IDM_SUB_TWO 202

// Posted to the dialog: opens the pop-up menu at screen point (wParam, lParam).
#define WM_TARGET_OPEN_MENU (WM_APP + 1)

// Tool identifiers and delays the tests look for.
#define TARGET_BUTTON_TOOL_ID 1
#define TARGET_DIALOG_TOOL_ID 7
#define TARGET_INITIAL_DELAY 1200
#define TARGET_AUTOPOP_DELAY 1600
#define TARGET_MAX_TIP_WIDTH 400
