// What a screen reader finds at the hyperlink: the object it is given in
// answer to WM_GETOBJECT, asked as a reader asks it.
#include <oleacc.h>

#include "tests/unit/controls_hyperlink.h"

using namespace controls_test;

namespace {

const char kCaption[] = "Click here to download uTorrent";

// Releases the COM pointer it holds.
template <class T>
class CComRef {
public:
    ~CComRef()
    {
        if (m_p)
            m_p->Release();
    }
    T* operator->() const { return m_p; }
    void** Out() { return reinterpret_cast<void**>(&m_p); }
    T* m_p = nullptr;
};

class CBstr {
public:
    ~CBstr() { ::SysFreeString(m_b); }
    BSTR m_b = nullptr;
};

class ControlsHyperLinkAccessible : public ControlsHyperLinkTest {
protected:
    void SetUp() override { m_comReady = SUCCEEDED(::CoInitialize(nullptr)); }
    void TearDown() override
    {
        ControlsHyperLinkTest::TearDown();
        if (m_comReady)
            ::CoUninitialize();
    }
    // The object the link answers WM_GETOBJECT with, as a reader gets it.
    void GetLinkObject(IAccessible** link)
    {
        ASSERT_TRUE(m_comReady);
        Attach(kCaption);
        ASSERT_EQ(S_OK, ::AccessibleObjectFromWindow(m_hControl, static_cast<DWORD>(OBJID_CLIENT),
                                                     __uuidof(IAccessible),
                                                     reinterpret_cast<void**>(link)));
        ASSERT_NE(nullptr, *link);
    }
    bool m_comReady = false;
};

// The messages waiting for the calling thread, handled.
void RunQueue()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

}  // namespace

TEST_F(ControlsHyperLinkAccessible, AReaderHearsALinkNamedByItsCaptionThatJumps)
{
    ASSERT_TRUE(m_comReady);
    Attach(kCaption);
    CComRef<IAccessible> link;
    ASSERT_EQ(S_OK, ::AccessibleObjectFromWindow(m_hControl, static_cast<DWORD>(OBJID_CLIENT),
                                                 __uuidof(IAccessible), link.Out()));
    ASSERT_NE(nullptr, link.m_p);
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;

    VARIANT role;
    ::VariantInit(&role);
    ASSERT_EQ(S_OK, link->get_accRole(self, &role));
    EXPECT_EQ(VT_I4, role.vt);
    EXPECT_EQ(ROLE_SYSTEM_LINK, role.lVal);
    CBstr name, action;
    ASSERT_EQ(S_OK, link->get_accName(self, &name.m_b));
    EXPECT_STREQ(L"Click here to download uTorrent", name.m_b);
    ASSERT_EQ(S_OK, link->get_accDefaultAction(self, &action.m_b));
    EXPECT_STREQ(L"Jump", action.m_b);

    // The action is a click, after the reader's call has returned: the
    // host hears of it once.
    EXPECT_EQ(S_OK, link->accDoDefaultAction(self));
    EXPECT_EQ(0, Clicks());
    RunQueue();
    EXPECT_EQ(1, Clicks());
}

TEST_F(ControlsHyperLinkAccessible, ThroughIDispatchTheLinkGivesItsOwnAnswers)
{
    CComRef<IAccessible> link;
    GetLinkObject(&link.m_p);
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    DISPPARAMS child{&self, nullptr, 1, 0};
    DISPPARAMS none{nullptr, nullptr, 0, 0};

    VARIANT role, name;
    ::VariantInit(&role);
    ::VariantInit(&name);
    ASSERT_EQ(S_OK, link->Invoke(DISPID_ACC_ROLE, IID_NULL, 0, DISPATCH_PROPERTYGET, &child, &role,
                                 nullptr, nullptr));
    EXPECT_EQ(VT_I4, role.vt);
    EXPECT_EQ(ROLE_SYSTEM_LINK, role.lVal);
    // The child is optional: without it the link speaks of itself.
    ASSERT_EQ(S_OK, link->Invoke(DISPID_ACC_NAME, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &name,
                                 nullptr, nullptr));
    ASSERT_EQ(VT_BSTR, name.vt);
    EXPECT_STREQ(L"Click here to download uTorrent", name.bstrVal);
    ::VariantClear(&name);

    EXPECT_EQ(S_OK, link->Invoke(DISPID_ACC_DODEFAULTACTION, IID_NULL, 0, DISPATCH_METHOD, &child,
                                 nullptr, nullptr, nullptr));
    RunQueue();
    EXPECT_EQ(1, Clicks());
}

// What WindowFromAccessibleObject asks the object for first; without it
// the answer rests on the parents that the standard object reports.
TEST_F(ControlsHyperLinkAccessible, TheObjectNamesTheLinksOwnWindow)
{
    CComRef<IAccessible> link;
    GetLinkObject(&link.m_p);
    CComRef<IOleWindow> window;
    ASSERT_EQ(S_OK, link->QueryInterface(__uuidof(IOleWindow), window.Out()));
    HWND named = nullptr;
    ASSERT_EQ(S_OK, window->GetWindow(&named));
    EXPECT_EQ(m_hControl, named);
}
