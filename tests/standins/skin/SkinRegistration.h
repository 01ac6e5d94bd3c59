// Registering the skin engine stand-in in the prefix, for test programs.
#pragma once

#include <string>

namespace standins {

// Enters SkinStandIn.dll at dllPath (a Windows path) under the engine's
// ProgID, machine-wide: Wine 8 ignores per-user classes when it looks a
// ProgID up.
bool RegisterSkinServer(const std::string& dllPath);
// Removes both keys; true when nothing of them is left.
bool UnregisterSkinServer();

}  // namespace standins
