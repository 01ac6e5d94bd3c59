#include "tests/standins/skin/SkinRegistration.h"

#include "tests/standins/StandIns.h"
#include "tests/standins/common/RegKey.h"

namespace standins {
namespace {

const char kClasses[] = "Software\\Classes\\";

std::string ProgIdKey()
{
    return std::string(kClasses) + kSkinProgId;
}
std::string ClsidKey()
{
    return std::string(kClasses) + "CLSID\\" + kSkinClsid;
}

bool DeleteTree(const std::string& path)
{
    const LONG result = RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace

bool RegisterSkinServer(const std::string& dllPath)
{
    RegKey progId;
    RegKey progIdClsid;
    RegKey clsid;
    RegKey server;
    return progId.Create(HKEY_LOCAL_MACHINE, ProgIdKey()) && progId.SetString("", "Skin engine") &&
           progIdClsid.Create(HKEY_LOCAL_MACHINE, ProgIdKey() + "\\CLSID") &&
           progIdClsid.SetString("", kSkinClsid) && clsid.Create(HKEY_LOCAL_MACHINE, ClsidKey()) &&
           clsid.SetString("", "Skin engine") &&
           server.Create(HKEY_LOCAL_MACHINE, ClsidKey() + "\\InprocServer32") &&
           server.SetString("", dllPath) && server.SetString("ThreadingModel", "Apartment");
}

bool UnregisterSkinServer()
{
    const bool progIdGone = DeleteTree(ProgIdKey());
    const bool clsidGone = DeleteTree(ClsidKey());
    return progIdGone && clsidGone;
}

}  // namespace standins
