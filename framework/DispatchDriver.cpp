#include "framework/DispatchDriver.h"

#include <oleauto.h>

#include <vector>

CDispatchDriver::~CDispatchDriver()
{
    if (m_bAutoRelease && m_lpDispatch)
        m_lpDispatch->Release();
}

BOOL CDispatchDriver::CreateDispatch(const char* progId)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, progId, -1, nullptr, 0);
    if (length <= 0)
        return FALSE;
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    ::MultiByteToWideChar(CP_ACP, 0, progId, -1, wide.data(), length);

    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(wide.data(), &clsid)))
        return FALSE;
    IUnknown* unknown = nullptr;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown,
                                  reinterpret_cast<void**>(&unknown))))
        return FALSE;
    IDispatch* dispatch = nullptr;
    const HRESULT hr = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    unknown->Release();
    if (FAILED(hr) || !dispatch)
        return FALSE;
    if (m_bAutoRelease && m_lpDispatch)
        m_lpDispatch->Release();
    m_lpDispatch = dispatch;
    return TRUE;
}

HRESULT CDispatchDriver::Invoke(DISPID id, VARIANTARG* args, UINT count)
{
    if (!m_lpDispatch)
        return S_FALSE;
    DISPPARAMS params{args, nullptr, count, 0};
    return m_lpDispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr,
                                nullptr);
}

HRESULT CDispatchDriver::InvokeMethod(DISPID id)
{
    return Invoke(id, nullptr, 0);
}

HRESULT CDispatchDriver::InvokeMethod(DISPID id, long value)
{
    VARIANTARG arg;
    ::VariantInit(&arg);
    arg.vt = VT_I4;
    arg.lVal = value;
    return Invoke(id, &arg, 1);
}

HRESULT CDispatchDriver::InvokeMethod(DISPID id, const char* text)
{
    if (!m_lpDispatch)
        return S_FALSE;
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return E_INVALIDARG;
    BSTR string = ::SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
    if (!string)
        return E_OUTOFMEMORY;
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, string, length);
    VARIANTARG arg;
    ::VariantInit(&arg);
    arg.vt = VT_BSTR;
    arg.bstrVal = string;
    const HRESULT hr = Invoke(id, &arg, 1);
    ::SysFreeString(string);
    return hr;
}
