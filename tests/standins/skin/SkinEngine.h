// The skin engine stand-in: an automation object that records every call.
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <oleauto.h>

namespace standins {

// Objects and server locks alive in this DLL, for DllCanUnloadNow.
extern LONG g_nServerReferences;
extern HMODULE g_hSkinModule;

class SkinEngine : public IDispatch {
public:
    SkinEngine();
    virtual ~SkinEngine();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override;

private:
    LONG m_nReferences = 1;
};

}  // namespace standins
