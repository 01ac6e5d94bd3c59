// CLinkAccessible: what a screen reader hears of a hyperlink. The system's
// standard object for the link's window answers everything, except that the
// role is a link, the name is the caption and the default action is "Jump",
// which does what a click does. Its IDispatch gives the same answers, and
// its IOleWindow names the link's own window.
// Its interfaces are named by __uuidof: MinGW's oleacc import library offers
// IID_IAccessible only as a symbol that resolves to a jump into the DLL, not
// to the identifier.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <oleacc.h>

class CLinkAccessible final : public IAccessible, public IOleWindow {
public:
    // One reference for the caller; null when the system has no standard
    // object for the window. The default action posts jumpMessage to the
    // link: a screen reader waits in its call for the answer, and a click
    // opens the browser.
    static CLinkAccessible* Create(HWND link, UINT jumpMessage);
    // The link is going: for clients that still hold the object, the default
    // action does nothing from now on and no window is named.
    void Detach() { m_hWnd = nullptr; }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argument) override;

    STDMETHODIMP get_accParent(IDispatch** parent) override;
    STDMETHODIMP get_accChildCount(long* count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** dispatch) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override;
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* child) override;
    STDMETHODIMP get_accSelection(VARIANT* children) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
    STDMETHODIMP accSelect(long flags, VARIANT child) override;
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height,
                             VARIANT child) override;
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(long left, long top, VARIANT* child) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;
    STDMETHODIMP put_accName(VARIANT child, BSTR name) override;
    STDMETHODIMP put_accValue(VARIANT child, BSTR value) override;

    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    CLinkAccessible(HWND link, IAccessible* standard, UINT jumpMessage);
    ~CLinkAccessible();

    // Invoke for a member this object answers itself.
    HRESULT InvokeOwn(DISPID id, WORD flags, const VARIANT& child, VARIANT* result);

    static bool IsSelf(const VARIANT& child)
    {
        return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
    }

    LONG m_nReferences = 1;
    HWND m_hWnd;               // null once detached
    IAccessible* m_pStandard;  // one reference of ours
    UINT m_nJumpMessage;
};

// The owner's reference: detached, then released.
struct CLinkAccessibleRelease {
    void operator()(CLinkAccessible* object) const
    {
        object->Detach();
        object->Release();
    }
};
