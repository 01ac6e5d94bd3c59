// The IP Helper entry points resolved at run time from "Iphlpapi.dll".
#pragma once
// iphlpapi.h declares the 64-bit interface row only when ws2tcpip.h came
// first, which framework/Win32.h includes.
#include "framework/Win32.h"

#include <iphlpapi.h>

using GetIfTableFn = DWORD(WINAPI*)(PMIB_IFTABLE table, PULONG size, BOOL order);
using GetNumberOfInterfacesFn = DWORD(WINAPI*)(PDWORD count);
using GetIfEntry2Fn = DWORD(WINAPI*)(PMIB_IF_ROW2 row);

// Null until LoadIpHelperEntryPoints has found them.
extern GetIfTableFn pfnGetIfTable;
extern GetNumberOfInterfacesFn pfnGetNumberOfInterfaces;
// Optional: without it the totals come from the 32-bit counters.
extern GetIfEntry2Fn pfnGetIfEntry2;

// Loads the library once per process and resolves the three entry points.
// False when the library or one of the two required entry points is missing.
bool LoadIpHelperEntryPoints();
