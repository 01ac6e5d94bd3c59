#include "tests/standins/netfake/NetFakeDll.h"

#include "tests/standins/StandIns.h"
#include "tests/standins/common/ModuleFiles.h"

namespace standins {
namespace {

// The DLL this code is linked into, found from an address inside it.
HMODULE ThisModule()
{
    HMODULE module = NULL;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

}  // namespace

NetScript LoadNetScript()
{
    std::string text;
    ReadWholeFile(FileBesideModule(ThisModule(), kNetScript), text);
    return ParseNetScript(text);
}

void LogNetCall(const std::string& line)
{
    AppendLine(FileBesideModule(ThisModule(), kNetCallLog), line);
}

bool ScriptedFailure(const NetScript& script, const char* function, DWORD& code)
{
    const auto found = script.failures.find(function);
    if (found == script.failures.end())
        return false;
    code = found->second;
    return true;
}

}  // namespace standins
