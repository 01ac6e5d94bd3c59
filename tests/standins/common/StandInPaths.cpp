#include "tests/standins/common/StandInPaths.h"

#include "tests/standins/common/ModuleFiles.h"
#include "tests/standins/common/RegKey.h"

namespace standins {
namespace {

std::string AppDefaultsKey(const std::string& exeName)
{
    return "Software\\Wine\\AppDefaults\\" + exeName;
}

}  // namespace

std::string StandInPath(const char* relative)
{
    const std::string joined = ModuleFolder(NULL) + relative;
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(joined.c_str(), MAX_PATH, full, NULL);
    if (length == 0 || length >= MAX_PATH)
        return joined;
    return std::string(full, length);
}

bool SetNetFakeOverride(const std::string& exeName)
{
    RegKey key;
    return key.Create(HKEY_CURRENT_USER, AppDefaultsKey(exeName) + "\\DllOverrides") &&
           key.SetString("iphlpapi", "native,builtin") &&
           key.SetString("wininet", "native,builtin");
}

// Only our two values go; anything else a test set for the program stays.
bool ClearNetFakeOverride(const std::string& exeName)
{
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, AppDefaultsKey(exeName) + "\\DllOverrides", KEY_SET_VALUE)) {
        return true;
    }
    bool ok = true;
    for (const char* name : {"iphlpapi", "wininet"}) {
        const LONG result = RegDeleteValueA(key.Get(), name);
        ok = (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND) && ok;
    }
    return ok;
}

}  // namespace standins
