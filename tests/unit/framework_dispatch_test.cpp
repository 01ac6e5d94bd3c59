// Message maps: which handler a message reaches, and what falls through.
#include <gtest/gtest.h>

#include <vector>

#include "framework/Wnd.h"

namespace {

UINT g_registered = 0;

class BaseWindow : public CWnd {
public:
    std::vector<const char*> calls;

protected:
    const MessageMap* GetMessageMap() const override
    {
        static const MessageEntry entries[] = {
            Message<&BaseWindow::OnBaseUser>(WM_APP + 1),
            Message<&BaseWindow::OnBaseUser>(WM_APP + 2),
            Command<&BaseWindow::OnBaseCommand>(200),
        };
        static const MessageMap map(CWnd::GetMessageMap(), entries);
        return &map;
    }
    LRESULT OnBaseUser(WPARAM, LPARAM)
    {
        calls.push_back("base user");
        return 1;
    }
    void OnBaseCommand() { calls.push_back("base command"); }
};

class TestWindow : public BaseWindow {
protected:
    const MessageMap* GetMessageMap() const override
    {
        static const MessageEntry entries[] = {
            Message<&TestWindow::OnUser>(WM_APP + 1),
            MessageRange<&TestWindow::OnRange>(WM_APP + 10, WM_APP + 12),
            RegisteredMessage<&TestWindow::OnRegistered>(&g_registered),
            Command<&TestWindow::OnCommand100>(100),
            Command<&TestWindow::OnSelChange>(101, CBN_SELCHANGE),
            IgnoreCommand(102),
            DefaultFor(WM_APP + 2),
            Message<&TestWindow::OnText>(WM_GETTEXTLENGTH),
        };
        static const MessageMap map(BaseWindow::GetMessageMap(), entries);
        return &map;
    }

private:
    LRESULT OnUser(WPARAM w, LPARAM l)
    {
        calls.push_back("user");
        return static_cast<LRESULT>(w + l);
    }
    LRESULT OnRange(WPARAM, LPARAM)
    {
        calls.push_back("range");
        return GetCurrentMessage().message - WM_APP;
    }
    LRESULT OnRegistered(WPARAM, LPARAM)
    {
        calls.push_back("registered");
        return 7;
    }
    void OnCommand100() { calls.push_back("command 100"); }
    void OnSelChange() { calls.push_back("selchange"); }
    // Asks the window's own processing and adds to its answer.
    LRESULT OnText(WPARAM, LPARAM) { return Default() + 1000; }
};

class FrameworkDispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!g_registered)
            g_registered = RegisterWindowMessageA("Velorix.FrameworkTest");
        ASSERT_TRUE(window.CreateEx(0, nullptr, "abc", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    }
    TestWindow window;
};

}  // namespace

TEST_F(FrameworkDispatch, MostDerivedEntryWinsAndBasesAreSearchedAfter)
{
    EXPECT_EQ(5, window.SendMessage(WM_APP + 1, 2, 3));
    EXPECT_EQ(11, window.SendMessage(WM_APP + 11));
    EXPECT_EQ(0, window.SendMessage(WM_APP + 13));
    EXPECT_EQ(7, window.SendMessage(g_registered));
    // The default entry stops the search: the base's handler is not reached.
    EXPECT_EQ(0, window.SendMessage(WM_APP + 2));
    EXPECT_EQ((std::vector<const char*>{"user", "range", "registered"}), window.calls);
}

TEST_F(FrameworkDispatch, CommandsMatchIdentifierAndNotificationCode)
{
    window.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0));
    window.SendMessage(WM_COMMAND, MAKEWPARAM(101, CBN_DROPDOWN));
    window.SendMessage(WM_COMMAND, MAKEWPARAM(101, CBN_SELCHANGE));
    window.SendMessage(WM_COMMAND, MAKEWPARAM(102, 0));
    window.SendMessage(WM_COMMAND, MAKEWPARAM(200, 0));
    window.SendMessage(WM_COMMAND, MAKEWPARAM(0, 0));
    EXPECT_EQ((std::vector<const char*>{"command 100", "selchange", "base command"}), window.calls);
    EXPECT_TRUE(window.HasCommandHandler(102));
    EXPECT_FALSE(window.HasCommandHandler(103));
}

TEST_F(FrameworkDispatch, DefaultReachesTheWindowsOwnProcessing)
{
    EXPECT_EQ(1003, window.SendMessage(WM_GETTEXTLENGTH));
}

TEST_F(FrameworkDispatch, DestroyingTheWindowDetachesTheObject)
{
    HWND hwnd = window.m_hWnd;
    EXPECT_EQ(&window, CWnd::FromHandlePermanent(hwnd));
    ::DestroyWindow(hwnd);
    EXPECT_EQ(nullptr, window.m_hWnd);
    EXPECT_FALSE(window.DestroyWindow());
}

TEST(FrameworkSubclass, ControlsAreAttachedOnceAndGivenBack)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    HWND button = CreateWindowExA(0, "BUTTON", "b", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                                  reinterpret_cast<HMENU>(5), nullptr, nullptr);
    const LONG_PTR original = GetWindowLongPtrA(button, GWLP_WNDPROC);
    {
        CWnd first, second;
        ASSERT_TRUE(first.SubclassWindow(GetDlgItem(parent.m_hWnd, 5)));
        EXPECT_FALSE(second.SubclassWindow(button));
        EXPECT_NE(original, GetWindowLongPtrA(button, GWLP_WNDPROC));
        EXPECT_EQ(1, first.SendMessage(WM_GETTEXTLENGTH));
    }
    // The objects are gone; the button keeps working with its own procedure.
    EXPECT_EQ(original, GetWindowLongPtrA(button, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(button));
}
