// The download link of the error dialog, clicked as a user clicks it: the
// page opens in the browser and the dialog ends as OK ends it.
#include <gtest/gtest.h>

#include "tests/e2e/launcher_helpers.h"

using e2e::Velorix;

namespace {

const char kOpened[] = " \"https://www.utorrent.com/downloads/win/\"";

class LinksErrorDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        e2e::ResetUserState();
        ASSERT_TRUE(m_browser.Registered());
        ASSERT_NE(nullptr, m_app.Main());
        m_app.Post(WM_COMMAND, IDC_RUN_CLIENT, 0);
        m_error = m_app.WaitForWindow("#32770", "Error");
        ASSERT_NE(nullptr, m_error);
        m_link = GetDlgItem(m_error, IDC_DOWNLOAD_LINK);
        ASSERT_NE(nullptr, m_link);
    }
    void TearDown() override { launcher::ParkCursor(); }

    // Pressed and released over the link.
    void Click()
    {
        ASSERT_TRUE(launcher::MoveCursorOver(m_link, 5, 5));
        EXPECT_TRUE(launcher::SendMouse(m_link, WM_MOUSEMOVE, 0, 5, 5));
        EXPECT_TRUE(launcher::SendMouse(m_link, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5));
        EXPECT_TRUE(launcher::SendMouse(m_link, WM_LBUTTONUP, 0, 5, 5));
    }

    // The dialog closed, and the download page was opened exactly once.
    void ExpectTheDialogGoneAndThePageOpenedOnce()
    {
        EXPECT_TRUE(launcher::WaitGone(m_error));
        const std::vector<std::string> lines = launcher::WaitForLines(m_browser.Log(), 1);
        e2e::Pump(300);
        EXPECT_EQ(1u, standins::ReadLogLines(m_browser.Log()).size());
        ASSERT_FALSE(lines.empty());
        EXPECT_TRUE(launcher::EndsWith(lines[0], kOpened)) << lines[0];
    }

    HWND FocusOfDialog() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(m_error, nullptr), &info) ? info.hwndFocus
                                                                                   : nullptr;
    }

    launcher::BrowserStandIn m_browser{"links-browser"};
    Velorix m_app;
    HWND m_error = nullptr;
    HWND m_link = nullptr;
};

}  // namespace

TEST_F(LinksErrorDialog, AClickOpensTheDownloadPageAndEndsTheDialog)
{
    Click();
    const std::vector<std::string> lines = launcher::WaitForLines(m_browser.Log(), 1);
    ASSERT_EQ(1u, lines.size());
    EXPECT_TRUE(launcher::EndsWith(lines[0], kOpened)) << lines[0];
    EXPECT_TRUE(launcher::WaitGone(m_error));
    EXPECT_TRUE(IsWindowEnabled(m_app.Main()));
    EXPECT_TRUE(m_app.Running());
}

TEST_F(LinksErrorDialog, APressMovedOffTheLinkBeforeReleaseOpensNothing)
{
    ASSERT_TRUE(launcher::MoveCursorOver(m_link, 5, 5));
    EXPECT_TRUE(launcher::SendMouse(m_link, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5));
    // Released over the dialog's icon, left of the link.
    ASSERT_TRUE(launcher::MoveCursorOver(m_error, 10, 10));
    EXPECT_TRUE(launcher::SendMouse(m_link, WM_LBUTTONUP, 0, -30, -20));
    // A release that began elsewhere, over the link.
    ASSERT_TRUE(launcher::MoveCursorOver(m_link, 5, 5));
    EXPECT_TRUE(launcher::SendMouse(m_link, WM_LBUTTONUP, 0, 5, 5));
    e2e::Pump(200);
    EXPECT_TRUE(IsWindow(m_error));

    // The click that follows is the one page opened.
    Click();
    ExpectTheDialogGoneAndThePageOpenedOnce();
}

TEST_F(LinksErrorDialog, TabReachesTheLinkAndEnterOpensThePageAndEndsTheDialog)
{
    for (int i = 0; i < 50 && GetForegroundWindow() != m_error; ++i) {
        SetForegroundWindow(m_error);
        e2e::Pump(20);
    }
    ASSERT_EQ(m_error, GetForegroundWindow());
    e2e::PressKey(VK_TAB);
    EXPECT_EQ(m_link, FocusOfDialog());
    e2e::PressKey(VK_RETURN);
    ExpectTheDialogGoneAndThePageOpenedOnce();
    EXPECT_TRUE(m_app.Running());
}
