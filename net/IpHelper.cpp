#include "net/IpHelper.h"

GetIfTableFn pfnGetIfTable = nullptr;
GetNumberOfInterfacesFn pfnGetNumberOfInterfaces = nullptr;
GetIfEntry2Fn pfnGetIfEntry2 = nullptr;

namespace {

// The library stays loaded for the life of the process: the entry points
// above point into it.
class CLoadedLibrary {
public:
    explicit CLoadedLibrary(const char* name) : m_hModule(::LoadLibraryA(name)) {}
    ~CLoadedLibrary()
    {
        if (m_hModule)
            ::FreeLibrary(m_hModule);
    }
    CLoadedLibrary(const CLoadedLibrary&) = delete;
    CLoadedLibrary& operator=(const CLoadedLibrary&) = delete;

    template <typename Fn>
    Fn Resolve(const char* name) const
    {
        if (!m_hModule)
            return nullptr;
        // GetProcAddress hands back a generic pointer; the caller names the type.
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m_hModule, name)));
    }

private:
    HMODULE m_hModule;
};

}  // namespace

bool LoadIpHelperEntryPoints()
{
    static const CLoadedLibrary library("Iphlpapi.dll");
    pfnGetIfTable = library.Resolve<GetIfTableFn>("GetIfTable");
    pfnGetNumberOfInterfaces = library.Resolve<GetNumberOfInterfacesFn>("GetNumberOfInterfaces");
    pfnGetIfEntry2 = library.Resolve<GetIfEntry2Fn>("GetIfEntry2");
    return pfnGetIfTable && pfnGetNumberOfInterfaces;
}
