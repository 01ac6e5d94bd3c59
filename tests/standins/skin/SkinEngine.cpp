#include "tests/standins/skin/SkinEngine.h"

#include <cstdlib>
#include <sstream>
#include <string>

#include "tests/standins/StandIns.h"
#include "tests/standins/common/ModuleFiles.h"

namespace standins {

namespace {

std::string NarrowText(BSTR text)
{
    if (text == NULL)
        return std::string();
    const int wide = static_cast<int>(SysStringLen(text));
    if (wide == 0)
        return std::string();
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, wide, NULL, 0, NULL, NULL);
    if (bytes <= 0)
        return "?";
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, wide, &narrow[0], bytes, NULL, NULL);
    // One call, one line: a line break inside the text must not split it.
    for (char& c : narrow) {
        if (c == '\r' || c == '\n')
            c = '?';
    }
    return narrow;
}

std::string ArgumentText(const VARIANT& value)
{
    std::string text = std::to_string(value.vt) + ":";
    if (value.vt == VT_I4)
        return text + std::to_string(value.lVal);
    if (value.vt == VT_BSTR)
        return text + NarrowText(value.bstrVal);
    return text + "?";
}

std::string CallLine(DISPID id, REFIID riid, LCID lcid, WORD flags, const DISPPARAMS* params,
                     const VARIANT* result)
{
    const UINT argc = params ? params->cArgs : 0;
    std::ostringstream line;
    line << "dispid=" << id << " argc=" << argc << " named=" << (params ? params->cNamedArgs : 0)
         << " flags=" << flags << " lcid=" << lcid
         << " iid=" << (IsEqualIID(riid, IID_NULL) ? "null" : "other")
         << " result=" << (result ? "wanted" : "none");
    if (params && params->rgvarg) {
        for (UINT k = 0; k < argc; ++k) {
            line << " arg" << (k + 1) << "=" << ArgumentText(params->rgvarg[argc - 1 - k]);
        }
    }
    return line.str();
}

// skin-answers.txt: "<dispid> <hresult>" per line; S_OK for anything not listed.
HRESULT ScriptedAnswer(DISPID id)
{
    std::string text;
    if (!ReadWholeFile(FileBesideModule(g_hSkinModule, kSkinAnswers), text))
        return S_OK;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        char* end = nullptr;
        const long listed = std::strtol(line.c_str(), &end, 10);
        if (end == line.c_str() || listed != id)
            continue;
        const char* answer = end;
        const unsigned long code = std::strtoul(answer, &end, 0);
        if (end != answer)
            return static_cast<HRESULT>(code);
    }
    return S_OK;
}

}  // namespace

LONG g_nServerReferences = 0;
HMODULE g_hSkinModule = NULL;

SkinEngine::SkinEngine()
{
    InterlockedIncrement(&g_nServerReferences);
}

SkinEngine::~SkinEngine()
{
    InterlockedDecrement(&g_nServerReferences);
}

HRESULT STDMETHODCALLTYPE SkinEngine::QueryInterface(REFIID riid, void** object)
{
    if (object == NULL)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = NULL;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE SkinEngine::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_nReferences));
}

ULONG STDMETHODCALLTYPE SkinEngine::Release()
{
    const LONG left = InterlockedDecrement(&m_nReferences);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE SkinEngine::GetTypeInfoCount(UINT* count)
{
    if (count == NULL)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE SkinEngine::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = NULL;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE SkinEngine::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                                    DISPID* ids)
{
    for (UINT i = 0; ids && i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE SkinEngine::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                             DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*)
{
    try {
        AppendLine(FileBesideModule(g_hSkinModule, kSkinCallLog),
                   CallLine(id, riid, lcid, flags, params, result));
        if (result)
            VariantInit(result);
        return ScriptedAnswer(id);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace standins
