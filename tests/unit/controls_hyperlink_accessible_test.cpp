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
    bool m_comReady = false;
};

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

    // The action is a click: the host hears of it once.
    EXPECT_EQ(S_OK, link->accDoDefaultAction(self));
    EXPECT_EQ(1, Clicks());
}
