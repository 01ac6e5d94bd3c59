#include "controls/LinkAccessible.h"

#include <vector>

namespace {

// A BSTR of narrow text in the system's code page; null when out of memory.
BSTR AllocateText(const char* text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return ::SysAllocString(L"");
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    return ::SysAllocString(wide.data());
}

}  // namespace

CLinkAccessible* CLinkAccessible::Create(HWND link, UINT jumpMessage)
{
    IAccessible* standard = nullptr;
    if (FAILED(::CreateStdAccessibleObject(link, OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&standard))) ||
        !standard)
        return nullptr;
    return new CLinkAccessible(link, standard, jumpMessage);
}

CLinkAccessible::CLinkAccessible(HWND link, IAccessible* standard, UINT jumpMessage)
    : m_hWnd(link), m_pStandard(standard), m_nJumpMessage(jumpMessage)
{
}

CLinkAccessible::~CLinkAccessible()
{
    m_pStandard->Release();
}

// Only the interfaces this object implements itself: handing out another of
// the standard object's would answer a query for IAccessible with that one.
STDMETHODIMP CLinkAccessible::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    // The window that WindowFromAccessibleObject names: without it, the
    // system walks up to the dialog.
    if (iid == __uuidof(IOleWindow)) {
        *object = static_cast<IOleWindow*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CLinkAccessible::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nReferences));
}

STDMETHODIMP_(ULONG) CLinkAccessible::Release()
{
    const LONG left = ::InterlockedDecrement(&m_nReferences);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP CLinkAccessible::get_accName(VARIANT child, BSTR* name)
{
    if (!IsSelf(child))
        return m_pStandard->get_accName(child, name);
    if (!name)
        return E_POINTER;
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(m_hWnd, text.data(), length + 1);
    *name = AllocateText(text.data());
    return *name ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CLinkAccessible::get_accRole(VARIANT child, VARIANT* role)
{
    if (!IsSelf(child))
        return m_pStandard->get_accRole(child, role);
    if (!role)
        return E_POINTER;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_LINK;
    return S_OK;
}

STDMETHODIMP CLinkAccessible::get_accDefaultAction(VARIANT child, BSTR* action)
{
    if (!IsSelf(child))
        return m_pStandard->get_accDefaultAction(child, action);
    if (!action)
        return E_POINTER;
    *action = ::SysAllocString(L"Jump");
    return *action ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CLinkAccessible::accDoDefaultAction(VARIANT child)
{
    if (!IsSelf(child))
        return m_pStandard->accDoDefaultAction(child);
    if (!m_hWnd)
        return CO_E_OBJNOTCONNECTED;
    return ::PostMessageA(m_hWnd, m_nJumpMessage, 0, 0) ? S_OK : E_FAIL;
}

STDMETHODIMP CLinkAccessible::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = m_hWnd;
    return m_hWnd ? S_OK : E_FAIL;
}
