// What both network stand-in DLLs do at every call: read the script beside
// themselves and record the call beside it.
#pragma once

#include "tests/standins/netfake/NetScript.h"

namespace standins {

NetScript LoadNetScript();
void LogNetCall(const std::string& line);
// True when the script makes the function fail; code receives its answer.
bool ScriptedFailure(const NetScript& script, const char* function, DWORD& code);

}  // namespace standins
