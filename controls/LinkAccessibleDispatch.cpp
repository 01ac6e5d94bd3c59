// The link's accessible object through IDispatch, as script clients and
// some screen readers reach it: the members the link answers itself give the
// link's answers here too; the rest, and the type information, are the
// standard object's.
#include "controls/LinkAccessible.h"

namespace {

// The child argument, which IAccessible's type library marks optional: no
// argument, or a missing one, means the object itself.
HRESULT ChildArgument(const DISPPARAMS* params, VARIANT* child)
{
    child->vt = VT_I4;
    child->lVal = CHILDID_SELF;
    if (!params || params->cArgs == 0)
        return S_OK;
    if (params->cNamedArgs != 0)
        return DISP_E_NONAMEDARGS;
    if (params->cArgs > 1 || !params->rgvarg)
        return DISP_E_BADPARAMCOUNT;
    VARIANT& given = params->rgvarg[0];
    if (given.vt == VT_ERROR && given.scode == DISP_E_PARAMNOTFOUND)
        return S_OK;
    return ::VariantChangeType(child, &given, 0, VT_I4) == S_OK ? S_OK : DISP_E_TYPEMISMATCH;
}

bool OwnMember(DISPID id)
{
    return id == DISPID_ACC_NAME || id == DISPID_ACC_ROLE || id == DISPID_ACC_DEFAULTACTION ||
           id == DISPID_ACC_DODEFAULTACTION;
}

// A string answer into result, or let go when the caller wants none.
void ReturnText(BSTR text, VARIANT* result)
{
    if (!result) {
        ::SysFreeString(text);
        return;
    }
    result->vt = VT_BSTR;
    result->bstrVal = text;
}

}  // namespace

STDMETHODIMP CLinkAccessible::GetTypeInfoCount(UINT* count)
{
    return m_pStandard->GetTypeInfoCount(count);
}

STDMETHODIMP CLinkAccessible::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info)
{
    return m_pStandard->GetTypeInfo(index, locale, info);
}

STDMETHODIMP CLinkAccessible::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids)
{
    return m_pStandard->GetIDsOfNames(iid, names, count, locale, ids);
}

STDMETHODIMP CLinkAccessible::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument)
{
    if (!OwnMember(id))
        return m_pStandard->Invoke(id, iid, locale, flags, params, result, exception, argument);
    if (iid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    VARIANT child;
    const HRESULT given = ChildArgument(params, &child);
    if (given != S_OK) {
        if (argument)
            *argument = 0;
        return given;
    }
    if (result)
        ::VariantInit(result);
    return InvokeOwn(id, flags, child, result);
}

HRESULT CLinkAccessible::InvokeOwn(DISPID id, WORD flags, const VARIANT& child, VARIANT* result)
{
    const bool get = (flags & DISPATCH_PROPERTYGET) != 0;
    HRESULT answer = DISP_E_MEMBERNOTFOUND;
    BSTR text = nullptr;
    if (id == DISPID_ACC_NAME && get) {
        answer = get_accName(child, &text);
    } else if (id == DISPID_ACC_DEFAULTACTION && get) {
        answer = get_accDefaultAction(child, &text);
    } else if (id == DISPID_ACC_ROLE && get) {
        VARIANT role;
        ::VariantInit(&role);
        answer = get_accRole(child, &role);
        if (answer == S_OK && result)
            *result = role;
        else
            ::VariantClear(&role);
        return answer;
    } else if (id == DISPID_ACC_DODEFAULTACTION && (flags & DISPATCH_METHOD)) {
        return accDoDefaultAction(child);
    }
    if (answer == S_OK)
        ReturnText(text, result);
    return answer;
}
