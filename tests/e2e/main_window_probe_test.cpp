// What the main window shows that only its own thread can read: the system
// menu and the buttons' tooltips.
#include <gtest/gtest.h>

#include "tests/e2e/Harness.h"
#include "tests/e2e/Probe.h"

using e2e::Velorix;

TEST(MainWindowProbe, SystemMenuEndsWithTheAboutItem)
{
    e2e::ResetUserState();
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    CProbe probe(app.UiThread());
    ASSERT_TRUE(probe.Attached()) << probe.LastError();
    auto menu = probe.SystemMenu(app.Main());
    ASSERT_TRUE(menu) << probe.LastError();
    ASSERT_GE(menu->items.size(), 2u);
    const ProbeMenuItem& separator = menu->items[menu->items.size() - 2];
    const ProbeMenuItem& about = menu->items.back();
    EXPECT_TRUE(separator.separator);
    EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), about.id);
    EXPECT_EQ("&About Velorix...", about.text);
}

TEST(MainWindowProbe, EachCommandButtonHasOneToolWithItsTip)
{
    e2e::ResetUserState();
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    CProbe probe(app.UiThread());
    ASSERT_TRUE(probe.Attached()) << probe.LastError();
    const struct {
        int id;
        const char* tip;
    } buttons[] = {{IDC_RUN_CLIENT, "Run uTorrent"},
                   {IDC_ACCELERATE, "Accelerate uTorrent"},
                   {IDC_QUIT, "Exit"},
                   {IDCANCEL, "Save"}};
    for (const auto& button : buttons) {
        auto tools = probe.Tools(app.Control(button.id));
        ASSERT_TRUE(tools) << probe.LastError();
        ASSERT_EQ(1u, tools->size()) << button.id;
        EXPECT_EQ(button.tip, tools->front().text) << button.id;
        EXPECT_EQ(1u, tools->front().id) << button.id;
        EXPECT_EQ(0u, tools->front().flags) << button.id;
    }
}

TEST(MainWindowProbe, DoubleClickOnTheAccelerateButtonTogglesTwice)
{
    e2e::ResetUserState();
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    HWND button = app.Control(IDC_ACCELERATE);
    const std::string before = app.Text(IDC_ACCELERATE);
    const LPARAM at = MAKELPARAM(20, 10);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(button, WM_LBUTTONUP, 0, at);
    PostMessageA(button, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(button, WM_LBUTTONUP, 0, at);
    e2e::Pump(300);
    EXPECT_EQ(BST_CHECKED, SendMessageA(button, BM_GETCHECK, 0, 0));
    EXPECT_EQ(before, app.Text(IDC_ACCELERATE));
    EXPECT_EQ("State: Activated\nPush to stop", app.Text(IDC_ACCELERATE));
}
