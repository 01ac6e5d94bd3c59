// CDispatchDriver: the automation client through which a COM object is
// called by dispatch identifier. Calls on a client without an interface
// return at once.
#pragma once
#include "framework/Win32.h"
#include <oaidl.h>

class CDispatchDriver {
public:
    CDispatchDriver() = default;
    ~CDispatchDriver();
    CDispatchDriver(const CDispatchDriver&) = delete;
    CDispatchDriver& operator=(const CDispatchDriver&) = delete;

    // Creates the object registered under progId and takes its IDispatch.
    BOOL CreateDispatch(const char* progId);

    // DISPATCH_METHOD calls with no result; the HRESULT of Invoke.
    HRESULT InvokeMethod(DISPID id);
    HRESULT InvokeMethod(DISPID id, long value);        // one VT_I4
    HRESULT InvokeMethod(DISPID id, const char* text);  // one VT_BSTR

    IDispatch* m_lpDispatch = nullptr;
    BOOL m_bAutoRelease = TRUE;  // release the interface with the client

private:
    HRESULT Invoke(DISPID id, VARIANTARG* args, UINT count);
};
