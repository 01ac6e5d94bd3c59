// Makes the bare program import what Velorix.exe imports, so the loader
// maps the same system libraries before the dialog shows: the difference
// this makes to the bare start-up and memory is the libraries' share of
// Velorix's. Nothing here is called.
#include "framework/Win32.h"

#include <iphlpapi.h>
#include <objbase.h>
#include <oleauto.h>
#include <wininet.h>

extern const void* const g_VelorixImports[];
const void* const g_VelorixImports[] = {
    reinterpret_cast<const void*>(&::InitCommonControls),
    reinterpret_cast<const void*>(&::ShellExecuteA),
    reinterpret_cast<const void*>(&::CreateFontA),
    reinterpret_cast<const void*>(&::RegOpenKeyExA),
    reinterpret_cast<const void*>(&::GetIpAddrTable),
    reinterpret_cast<const void*>(&::InternetGetConnectedState),
    reinterpret_cast<const void*>(&::WSAStartup),
    reinterpret_cast<const void*>(&::CoInitialize),
    reinterpret_cast<const void*>(&::SysAllocString),
};
