// The tooltip push button: its one tool, and a double click as two presses.
#include <gtest/gtest.h>

#include <vector>

#include "controls/TipButton.h"

namespace {

// A parent that counts the clicks its buttons report.
class ClickCounter : public CWnd {
public:
    int clicks = 0;

protected:
    const MessageMap* GetMessageMap() const override
    {
        static const MessageEntry entries[] = {
            Command<&ClickCounter::OnClick>(50),
        };
        static const MessageMap map(CWnd::GetMessageMap(), entries);
        return &map;
    }

private:
    void OnClick() { ++clicks; }
};

struct ToolSearch {
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTooltip(HWND hwnd, LPARAM l)
{
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0)
        reinterpret_cast<ToolSearch*>(l)->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> ThreadTooltips()
{
    ToolSearch search;
    EnumThreadWindows(GetCurrentThreadId(), &CollectTooltip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ToolText(HWND tooltip, HWND button)
{
    char text[256] = "";
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = button;
    info.uId = 1;
    info.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    return text;
}

// The framework's modal loop in small: every queued message passes the
// button's PreTranslateMessage before it is dispatched.
void RunQueue(CTipButton& button, DWORD ms)
{
    const DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == button.m_hWnd && button.PreTranslateMessage(&msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

// A tooltip button that notes the mouse presses its window receives.
class RecordingButton : public CTipButton {
public:
    int downs = 0;
    int doubleClicks = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM w, LPARAM l) override
    {
        downs += msg == WM_LBUTTONDOWN;
        doubleClicks += msg == WM_LBUTTONDBLCLK;
        return CTipButton::WindowProc(msg, w, l);
    }
};

// What the system queues for a double click: down, up, double click, up.
void DoubleClick(CTipButton& button)
{
    const LPARAM at = MAKELPARAM(20, 10);
    PostMessageA(button.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(button.m_hWnd, WM_LBUTTONUP, 0, at);
    PostMessageA(button.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(button.m_hWnd, WM_LBUTTONUP, 0, at);
    RunQueue(button, 50);
}

class TipButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100,
                                    nullptr, nullptr));
        for (HWND old : ThreadTooltips())
            DestroyWindow(old);
    }
    HWND MakeButton(DWORD style)
    {
        return CreateWindowExA(0, "BUTTON", "b", WS_CHILD | WS_VISIBLE | style, 10, 10, 80, 30,
                               parent.m_hWnd, reinterpret_cast<HMENU>(50), nullptr, nullptr);
    }
    ClickCounter parent;
};

}  // namespace

TEST_F(TipButton, OneToolWhoseTextIsReplaced)
{
    CTipButton button;
    ASSERT_TRUE(button.SubclassWindow(MakeButton(BS_PUSHBUTTON)));
    EXPECT_TRUE(ThreadTooltips().empty());

    button.SetTipText(nullptr, TRUE);
    EXPECT_TRUE(ThreadTooltips().empty()) << "a null text creates nothing";

    button.SetTipText("Save", TRUE);
    ASSERT_EQ(1u, ThreadTooltips().size());
    HWND tooltip = ThreadTooltips().front();
    EXPECT_EQ(1, SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ("Save", ToolText(tooltip, button.m_hWnd));
    EXPECT_EQ(400, SendMessageA(tooltip, TTM_GETMAXTIPWIDTH, 0, 0));

    // A resize later does not move the tool: it keeps the first rectangle.
    SetWindowPos(button.m_hWnd, nullptr, 0, 0, 150, 40, SWP_NOMOVE | SWP_NOZORDER);
    button.SetTipText("Exit", TRUE);
    EXPECT_EQ(1, SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ("Exit", ToolText(tooltip, button.m_hWnd));
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    ASSERT_TRUE(SendMessageA(tooltip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(80, info.rect.right - info.rect.left);
    EXPECT_EQ(30, info.rect.bottom - info.rect.top);
    EXPECT_EQ(0u, info.uFlags);
}

TEST_F(TipButton, TheTipShowsOnlyWhenActivated)
{
    for (BOOL activate : {TRUE, FALSE}) {
        CTipButton button;
        ASSERT_TRUE(button.SubclassWindow(MakeButton(BS_PUSHBUTTON)));
        button.SetTipText("Accelerate uTorrent", activate);
        HWND tooltip = ThreadTooltips().back();
        SendMessageA(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 1);
        SetForegroundWindow(parent.m_hWnd);
        SetActiveWindow(parent.m_hWnd);

        POINT inside{40, 15};
        ClientToScreen(button.m_hWnd, &inside);
        SetCursorPos(inside.x, inside.y);
        PostMessageA(button.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(30, 5));
        bool shown = false;
        for (int i = 0; i < 50 && !shown; ++i) {
            RunQueue(button, 20);
            shown = IsWindowVisible(tooltip) != FALSE;
        }
        EXPECT_EQ(activate != FALSE, shown) << "activate " << activate;
        button.DestroyWindow();
    }
}

TEST_F(TipButton, TheFirstQueuedMessageCreatesAnInactiveTooltip)
{
    CTipButton button;
    ASSERT_TRUE(button.SubclassWindow(MakeButton(BS_PUSHBUTTON)));
    PostMessageA(button.m_hWnd, WM_MOUSEMOVE, 0, 0);
    RunQueue(button, 20);
    ASSERT_EQ(1u, ThreadTooltips().size());
    EXPECT_EQ(0, SendMessageA(ThreadTooltips().front(), TTM_GETTOOLCOUNT, 0, 0));
}

TEST_F(TipButton, ADoubleClickIsTwoPresses)
{
    RecordingButton push;
    ASSERT_TRUE(push.SubclassWindow(MakeButton(BS_PUSHBUTTON)));
    DoubleClick(push);
    EXPECT_EQ(2, parent.clicks);
    // The button itself only ever sees presses.
    EXPECT_EQ(2, push.downs);
    EXPECT_EQ(0, push.doubleClicks);

    CTipButton toggle;
    ASSERT_TRUE(toggle.SubclassWindow(MakeButton(BS_AUTOCHECKBOX | BS_PUSHLIKE)));
    toggle.SetCheck(BST_CHECKED);
    parent.clicks = 0;
    DoubleClick(toggle);
    EXPECT_EQ(2, parent.clicks);
    EXPECT_EQ(BST_CHECKED, toggle.SendMessage(BM_GETCHECK));
}
