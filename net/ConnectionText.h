// The Connection Type and Connection Status texts.
#pragma once
#include "framework/AnsiString.h"
#include "framework/Win32.h"

extern const char kConnectedText[];     // " Connected"
extern const char kNotConnectedText[];  // "N/A"

// The connection type for the flags of a connected state: " LAN ",
// " Modem ", " Offline " and " Proxy ", in this order, for those flags
// that are set; no other flag is shown.
void FormatConnectionType(CString& type, DWORD flags);
