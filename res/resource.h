// Identifiers of the resource script; the numbers are the program's own and
// must be kept.
#pragma once

// Templates, menus, icons and strings
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_VELORIX_DIALOG 102
#define IDR_MAINFRAME 128
#define IDR_TRAY_MENU 129
#define IDD_ERROR_MESSAGE 173
#define IDI_ERROR_ICON 176

// System menu item
#define IDM_ABOUTBOX 0x0010

// Main window controls
#define IDC_RUN_CLIENT 3
#define IDC_ACCELERATE 1001
#define IDC_QUIT 1007
#define IDC_CONNECTED_TIME 1009
#define IDC_BYTES_RECEIVED 1011
#define IDC_BYTES_SENT 1012
#define IDC_CONNECTION_STATUS 1015
#define IDC_CONNECTION_TYPE 1016
#define IDC_CONNECTION_TYPE_LABEL 1017
#define IDC_ACCELERATED_TIME 1022
#define IDC_NETWORK 1024
// "&Minimize to Tray" is the cancel button (2).

// Error dialog controls
#define IDC_ERROR_TEXT 1025
#define IDC_DOWNLOAD_LINK 1026
#define IDC_DOWNLOAD_ADDRESS 1027

// Tray menu commands
#define ID_APP_ABOUT_TRAY 32776
#define ID_RUN_AT_STARTUP 32781
#define ID_AUTO_RESUME 32785
#define ID_APP_EXIT_TRAY 32786
#define ID_LINK_SECURITY 32793
#define ID_LINK_HELP 32794
#define ID_LINK_FILE_SHARING 32795
#define ID_LINK_ANONYMOUS 32796
#define ID_LINK_MUSIC_OFFER 32797
#define ID_LINK_MEDIA 32798

// The tray icon's callback message (WM_APP + 10)
#define WM_TRAY_NOTIFY 32778
