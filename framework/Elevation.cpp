#include "framework/Elevation.h"

Elevation ProcessElevation(HANDLE process)
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &token))
        return Elevation::Unknown;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    // Systems before elevation existed refuse the information class.
    const BOOL read =
        ::GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
    ::CloseHandle(token);
    if (!read || size != sizeof elevation)
        return Elevation::Unknown;
    return elevation.TokenIsElevated ? Elevation::Elevated : Elevation::NotElevated;
}

Elevation OwnElevation()
{
    return ProcessElevation(::GetCurrentProcess());
}

// PROCESS_QUERY_LIMITED_INFORMATION is granted on a process of higher
// integrity too; its token may still be closed to the caller.
Elevation ElevationOfWindowProcess(HWND window)
{
    DWORD processId = 0;
    if (!::GetWindowThreadProcessId(window, &processId) || !processId)
        return Elevation::Unknown;
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return Elevation::Unknown;
    const Elevation elevation = ProcessElevation(process);
    ::CloseHandle(process);
    return elevation;
}
