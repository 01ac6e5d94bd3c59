// The hyperlink and the keyboard: which keys it takes from the dialog, Space
// as a click, and the focus rectangle as the keyboard cues say.
#include "tests/unit/controls_hyperlink.h"

using namespace controls_test;

namespace {

const char kCaption[] = "Click here to download uTorrent";
constexpr LPARAM kRepeat = 1 << 30;

class ControlsHyperLinkKeyboard : public ControlsHyperLinkTest {
protected:
    LRESULT CodeFor(WPARAM key)
    {
        MSG msg{m_hControl, WM_KEYDOWN, key, 1, 0, {0, 0}};
        return Send(WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
    }
    // Pixels of the top row that are not the background.
    int MarkedTopPixels()
    {
        Paint();
        const CWindowShot shot = Shot();
        return shot.Width() - shot.Count(kLinkBack, {0, 0, shot.Width(), 1});
    }
    // Wine keeps no keyboard-cue state (WM_QUERYUISTATE always answers 0):
    // the system's answer is given by a window procedure put above the link's.
    void AnswerCues(LRESULT state)
    {
        s_cues = state;
        if (!m_previous)
            s_previous = m_previous = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
                m_hControl, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CuesProc)));
    }
    void TearDown() override
    {
        if (m_previous)
            ::SetWindowLongPtrA(m_hControl, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        ControlsHyperLinkTest::TearDown();
    }

private:
    static LRESULT CALLBACK CuesProc(HWND window, UINT msg, WPARAM w, LPARAM l)
    {
        if (msg == WM_QUERYUISTATE)
            return s_cues;
        return ::CallWindowProcA(s_previous, window, msg, w, l);
    }
    static inline LRESULT s_cues = 0;
    static inline WNDPROC s_previous = nullptr;
    WNDPROC m_previous = nullptr;
};

}  // namespace

TEST_F(ControlsHyperLinkKeyboard, OnlyEnterIsKeptFromTheDialogManager)
{
    Attach(kCaption);
    EXPECT_EQ(DLGC_WANTALLKEYS, CodeFor(VK_RETURN) & DLGC_WANTALLKEYS);
    for (WPARAM key : {VK_TAB, VK_ESCAPE, VK_DOWN, VK_SPACE})
        EXPECT_EQ(0, CodeFor(key) & (DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTARROWS)) << key;
    EXPECT_EQ(0, Send(WM_GETDLGCODE) & DLGC_WANTALLKEYS);
}

TEST_F(ControlsHyperLinkKeyboard, SpaceActsAsAClickOncePerPress)
{
    Attach(kCaption);
    Send(WM_KEYDOWN, VK_SPACE, 1);
    Send(WM_KEYDOWN, VK_SPACE, 1 | kRepeat);
    Send(WM_KEYUP, VK_SPACE, 1 | kRepeat | (1 << 31));
    EXPECT_EQ(1, Clicks());
}

TEST_F(ControlsHyperLinkKeyboard, TheFocusRectangleShowsOnlyWithFocusAndCuesShown)
{
    Attach(kCaption);
    AnswerCues(0);
    EXPECT_EQ(0, MarkedTopPixels());
    ::SetFocus(m_hControl);
    ASSERT_EQ(m_hControl, ::GetFocus());
    EXPECT_GT(MarkedTopPixels(), 10);
    AnswerCues(UISF_HIDEFOCUS);
    EXPECT_EQ(0, MarkedTopPixels());
}
