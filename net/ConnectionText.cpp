#include "net/ConnectionText.h"

#include <wininet.h>

const char kConnectedText[] = " Connected";
const char kNotConnectedText[] = "N/A";

void FormatConnectionType(CString& type, DWORD flags)
{
    static const struct {
        DWORD flag;
        const char* text;
    } kShown[] = {
        {INTERNET_CONNECTION_LAN, " LAN "},
        {INTERNET_CONNECTION_MODEM, " Modem "},
        {INTERNET_CONNECTION_OFFLINE, " Offline "},
        {INTERNET_CONNECTION_PROXY, " Proxy "},
    };
    type.Empty();
    for (const auto& shown : kShown) {
        if (flags & shown.flag)
            type += shown.text;
    }
}
