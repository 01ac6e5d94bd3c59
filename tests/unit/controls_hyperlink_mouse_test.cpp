// What the hyperlink does with the mouse: its cursor, its tooltip, leaving
// it, and clicks, which open the target and then tell the host.
#include <fstream>
#include <string>

#include "tests/unit/controls_hyperlink.h"

using namespace controls_test;

namespace {

// A copy of the logging stand-in as the link's target: opening the link
// runs it, and each run adds a line to its log.
class COpenLog {
public:
    COpenLog()
    {
        char path[MAX_PATH];
        const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
        std::string bin(path, length);
        bin = bin.substr(0, bin.find_last_of('\\'));
        const std::string logger = bin + "\\..\\standins\\logger\\logargs.exe";
        m_folder = bin + "\\..\\controls-link-test";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        m_target = m_folder + "\\link.exe";
        ::DeleteFileA(Log().c_str());
        m_ready = ::CopyFileA(logger.c_str(), m_target.c_str(), FALSE) != 0;
    }
    ~COpenLog()
    {
        ::DeleteFileA(Log().c_str());
        ::DeleteFileA(m_target.c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }
    COpenLog(const COpenLog&) = delete;
    COpenLog& operator=(const COpenLog&) = delete;

    bool Ready() const { return m_ready; }
    const char* Target() const { return m_target.c_str(); }
    std::string Log() const { return m_folder + "\\link.log"; }

    // Lines of the log, once there are at least count, within 10 s.
    int WaitForOpens(int count) const
    {
        int lines = 0;
        for (int waited = 0; waited < 10000; waited += 50) {
            lines = Lines();
            if (lines >= count)
                break;
            ::Sleep(50);
        }
        return lines;
    }

private:
    int Lines() const
    {
        std::ifstream log(Log(), std::ios::binary);
        int lines = 0;
        for (char c; log.get(c);)
            lines += c == '\n' ? 1 : 0;
        return lines;
    }

    std::string m_folder;
    std::string m_target;
    bool m_ready = false;
};

HWND FindTooltipOf(HWND control)
{
    struct Search {
        HWND control;
        HWND found;
    } search{control, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM l) CALLBACK -> BOOL {
            auto* s = reinterpret_cast<Search*>(l);
            char name[64] = "";
            ::GetClassNameA(window, name, sizeof name);
            if (std::string(name) != TOOLTIPS_CLASSA)
                return TRUE;
            TOOLINFOA info{};
            info.cbSize = TTTOOLINFOA_V2_SIZE;
            if (::SendMessageA(window, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&info)) &&
                info.uId == reinterpret_cast<UINT_PTR>(s->control)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class ControlsHyperLinkMouse : public ControlsHyperLinkTest {
protected:
    void Click()
    {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        Send(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    bool Invalidated() const { return ::GetUpdateRect(m_hControl, nullptr, FALSE) != FALSE; }
};

}  // namespace

TEST_F(ControlsHyperLinkMouse, AttachingMakesTheStaticNotifyAndDrawItself)
{
    Attach("link", 60, 13, SS_CENTER | SS_ENDELLIPSIS);
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(m_hControl, GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(SS_OWNERDRAW), style & SS_TYPEMASK);
    EXPECT_EQ(static_cast<DWORD>(SS_NOTIFY), style & SS_NOTIFY);
    EXPECT_EQ(static_cast<DWORD>(SS_ENDELLIPSIS), style & SS_ENDELLIPSIS);
    EXPECT_EQ(static_cast<DWORD>(WS_TABSTOP), style & WS_TABSTOP);
}

TEST_F(ControlsHyperLinkMouse, TheTooltipShowsTheTargetWithItsDelays)
{
    Attach("link");
    HWND tip = FindTooltipOf(m_hControl);
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(1, ::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(1200, ::SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
    EXPECT_EQ(1600, ::SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0));

    char text[256] = "";
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.lpszText = text;
    ASSERT_TRUE(::SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(static_cast<UINT>(TTF_IDISHWND), info.uFlags & TTF_IDISHWND);
    EXPECT_EQ(m_host.m_hWnd, info.hwnd);
    EXPECT_EQ(LPSTR_TEXTCALLBACKA, info.lpszText);

    m_link.SetLinkUrl("https://www.example.invalid/page");
    info.lpszText = text;
    ASSERT_TRUE(::SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_STREQ("https://www.example.invalid/page", info.lpszText);

    m_link.SetLinkUrl(nullptr);
    text[0] = 'x';
    info.lpszText = text;
    ASSERT_TRUE(::SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_TRUE(info.lpszText == nullptr || info.lpszText[0] == '\0');
}

TEST_F(ControlsHyperLinkMouse, TheHandShowsOverAnEnabledLinkAndTheOldCursorReturnsOnLeaving)
{
    HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR hand = ::LoadCursorA(nullptr, IDC_HAND);
    Attach("link");
    ::SetCursor(arrow);
    ASSERT_TRUE(CursorOverLink());
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(hand, ::GetCursor());
    // A second move over the link does not take the hand for the old cursor.
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    ASSERT_TRUE(CursorAwayFromLink());
    Send(WM_MOUSELEAVE);
    EXPECT_EQ(arrow, ::GetCursor());

    ::EnableWindow(m_hControl, FALSE);
    ASSERT_TRUE(CursorOverLink());
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(arrow, ::GetCursor());
}

TEST_F(ControlsHyperLinkMouse, LeavingOntoTheLinkItselfWaitsForTheTimer)
{
    Attach("link");
    Paint();
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));

    // The leave arrives while the cursor is still over the link: no
    // repaint, timer 1001 decides.
    ASSERT_TRUE(CursorOverLink());
    ::ValidateRect(m_hControl, nullptr);
    Send(WM_MOUSELEAVE);
    EXPECT_FALSE(Invalidated());
    EXPECT_TRUE(::KillTimer(m_hControl, 1001));
    // Still there when it fires: nothing happens.
    Send(WM_TIMER, 1001);
    EXPECT_FALSE(Invalidated());
    // Gone when it fires: the link is repainted as normal.
    ASSERT_TRUE(CursorAwayFromLink());
    Send(WM_TIMER, 1001);
    EXPECT_TRUE(Invalidated());
    // Other timers are not the link's.
    ::ValidateRect(m_hControl, nullptr);
    Send(WM_TIMER, 7);
    EXPECT_FALSE(Invalidated());
}

TEST_F(ControlsHyperLinkMouse, LeavingElsewhereRepaintsAtOnceWithoutATimer)
{
    Attach("link");
    Paint();
    ASSERT_TRUE(CursorOverLink());
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::ValidateRect(m_hControl, nullptr);
    ASSERT_TRUE(CursorAwayFromLink());
    Send(WM_MOUSELEAVE);
    EXPECT_TRUE(Invalidated());
    EXPECT_FALSE(::KillTimer(m_hControl, 1001));
}

TEST_F(ControlsHyperLinkMouse, AClickOpensTheTargetThenTellsTheHost)
{
    COpenLog opens;
    if (!opens.Ready())
        GTEST_SKIP() << "the logging stand-in is not built";
    Attach("link");
    m_link.SetLinkUrl(opens.Target());
    ASSERT_TRUE(CursorOverLink());
    Click();
    ASSERT_EQ(1u, m_host.commands.size());
    EXPECT_EQ(MAKEWPARAM(kLinkId, 0), m_host.commands[0]);
    EXPECT_EQ(1, opens.WaitForOpens(1));
}

TEST_F(ControlsHyperLinkMouse, OnlyAPressAndReleaseOnTheLinkCountAsAClick)
{
    COpenLog opens;
    if (!opens.Ready())
        GTEST_SKIP() << "the logging stand-in is not built";
    Attach("link");
    m_link.SetLinkUrl(opens.Target());

    // A release that did not start on the link, before any press on it.
    ASSERT_TRUE(CursorOverLink());
    Send(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    // Pressed on the link, released off it.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(CursorAwayFromLink());
    Send(WM_LBUTTONUP, 0, MAKELPARAM(300, 80));
    EXPECT_EQ(0, Clicks());
    // A real click, then a stray release again: only the click counts.
    ASSERT_TRUE(CursorOverLink());
    Click();
    Send(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(1, Clicks());
    // One run of the target: none of the others opened it.
    EXPECT_EQ(1, opens.WaitForOpens(1));
    ::Sleep(300);
    EXPECT_EQ(1, opens.WaitForOpens(1));
}

TEST_F(ControlsHyperLinkMouse, ADoubleClickOpensAndNotifiesTwice)
{
    COpenLog opens;
    if (!opens.Ready())
        GTEST_SKIP() << "the logging stand-in is not built";
    Attach("link");
    m_link.SetLinkUrl(opens.Target());
    ASSERT_TRUE(CursorOverLink());
    Click();
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(2, Clicks());
    // The static's own double-click notification passes on as well.
    int doubleClicks = 0;
    for (WPARAM w : m_host.commands)
        doubleClicks += (w == MAKEWPARAM(kLinkId, STN_DBLCLK)) ? 1 : 0;
    EXPECT_EQ(1, doubleClicks);
    EXPECT_EQ(2, opens.WaitForOpens(2));
}

TEST_F(ControlsHyperLinkMouse, WithoutATargetAClickOpensNothingButIsStillReported)
{
    Attach("link");
    EXPECT_EQ(-1, m_link.OpenLink());
    ASSERT_TRUE(CursorOverLink());
    Click();
    EXPECT_EQ(1, Clicks());
}
