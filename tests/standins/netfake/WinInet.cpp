// The connection query of the WinINet stand-in, answered from the script.
// wininet.h is left out: it declares these functions as imported.
#include <sstream>

#include "tests/standins/netfake/NetFakeDll.h"

namespace {

BOOL ConnectedState(const char* function, DWORD* flags)
{
    try {
        const standins::NetScript script = standins::LoadNetScript();
        DWORD answer = 0;
        BOOL result = script.connected ? TRUE : FALSE;
        DWORD flagsOut = script.connectionFlags;
        if (standins::ScriptedFailure(script, function, answer)) {
            result = FALSE;
            flagsOut = 0;
            SetLastError(answer);
        }
        if (flags)
            *flags = flagsOut;
        std::ostringstream log;
        log << function << " flags=" << (flags ? "given" : "null") << " -> " << result
            << " flags=" << flagsOut;
        standins::LogNetCall(log.str());
        return result;
    } catch (...) {
        if (flags)
            *flags = 0;
        return FALSE;
    }
}

}  // namespace

extern "C" BOOL WINAPI InternetGetConnectedState(DWORD* flags, DWORD)
{
    return ConnectedState("InternetGetConnectedState", flags);
}

// The connection name is not scripted: an empty text.
extern "C" BOOL WINAPI InternetGetConnectedStateExA(DWORD* flags, char* name, DWORD size, DWORD)
{
    if (name && size > 0)
        name[0] = '\0';
    return ConnectedState("InternetGetConnectedStateExA", flags);
}

extern "C" BOOL WINAPI InternetGetConnectedStateExW(DWORD* flags, wchar_t* name, DWORD size, DWORD)
{
    if (name && size > 0)
        name[0] = L'\0';
    return ConnectedState("InternetGetConnectedStateExW", flags);
}
