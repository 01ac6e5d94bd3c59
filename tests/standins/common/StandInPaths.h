// Where a test program finds the stand-ins, and the per-program DLL override
// that makes Wine load the network stand-ins in place of its own DLLs.
#pragma once

#include <string>

namespace standins {

// A path from StandIns.h, relative to the running program's folder, made
// absolute (Windows form).
std::string StandInPath(const char* relative);

// HKCU\Software\Wine\AppDefaults\<exeName>\DllOverrides: iphlpapi and
// wininet = "native,builtin". A program started with CreateProcess ignores
// WINEDLLOVERRIDES in its environment; it honours this key.
bool SetNetFakeOverride(const std::string& exeName);
bool ClearNetFakeOverride(const std::string& exeName);

}  // namespace standins
