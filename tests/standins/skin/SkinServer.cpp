// The in-process server around SkinEngine: its class factory and the two
// entry points COM looks up in the DLL.
#include <new>

#include "tests/standins/StandIns.h"
#include "tests/standins/skin/SkinEngine.h"

namespace standins {
namespace {

class SkinEngineFactory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (object == NULL)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = NULL;
        return E_NOINTERFACE;
    }
    // The factory is a static object; its references are the server's.
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        return static_cast<ULONG>(InterlockedIncrement(&g_nServerReferences));
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        return static_cast<ULONG>(InterlockedDecrement(&g_nServerReferences));
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        if (object == NULL)
            return E_POINTER;
        *object = NULL;
        if (outer != NULL)
            return CLASS_E_NOAGGREGATION;
        SkinEngine* engine = new (std::nothrow) SkinEngine();
        if (engine == NULL)
            return E_OUTOFMEMORY;
        const HRESULT hr = engine->QueryInterface(riid, object);
        engine->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock) {
            InterlockedIncrement(&g_nServerReferences);
        } else {
            InterlockedDecrement(&g_nServerReferences);
        }
        return S_OK;
    }
};

SkinEngineFactory g_factory;

bool IsSkinClass(REFCLSID clsid)
{
    wchar_t text[40] = {};
    MultiByteToWideChar(CP_ACP, 0, kSkinClsid, -1, text, 40);
    CLSID ours;
    return SUCCEEDED(CLSIDFromString(text, &ours)) && IsEqualCLSID(clsid, ours);
}

}  // namespace
}  // namespace standins

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        standins::g_hSkinModule = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (object == NULL)
        return E_POINTER;
    *object = NULL;
    if (!standins::IsSkinClass(clsid))
        return CLASS_E_CLASSNOTAVAILABLE;
    return standins::g_factory.QueryInterface(riid, object);
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return standins::g_nServerReferences == 0 ? S_OK : S_FALSE;
}
