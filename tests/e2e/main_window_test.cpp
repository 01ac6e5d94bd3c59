// The main window as a user meets it: what it shows after opening, and how
// each way of closing it behaves.
#include <gtest/gtest.h>

#include "res/Version.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/user_state_fixture.h"

using e2e::Velorix;

namespace {

class MainWindow : public e2e::CFreshUserTest {};

}  // namespace

TEST_F(MainWindow, OpensWithItsCaptionAndInitialTexts)
{
    Velorix app;
    HWND main = app.Main();
    ASSERT_NE(nullptr, main);
    EXPECT_EQ("Velorix", Velorix::TextOf(main));
    EXPECT_TRUE(IsWindowVisible(main));

    EXPECT_EQ("&Run your uTorrent", app.Text(IDC_RUN_CLIENT));
    EXPECT_EQ("&Minimize to Tray", app.Text(IDCANCEL));
    EXPECT_EQ("&Quit Application", app.Text(IDC_QUIT));
    EXPECT_EQ("State: Activated\nPush to stop", app.Text(IDC_ACCELERATE));
    EXPECT_EQ(BST_CHECKED, SendMessageA(app.Control(IDC_ACCELERATE), BM_GETCHECK, 0, 0));
    EXPECT_EQ(" 0 hrs :  0 mins :  0 secs", app.Text(IDC_ACCELERATED_TIME));
    EXPECT_EQ("Connection Type:", app.Text(IDC_CONNECTION_TYPE_LABEL));
    // The template's placeholders are replaced before the window shows.
    for (int id : {IDC_CONNECTED_TIME, IDC_BYTES_RECEIVED, IDC_BYTES_SENT, IDC_CONNECTION_STATUS})
        EXPECT_NE("Static", app.Text(id)) << id;
    EXPECT_NE("Status", app.Text(IDC_CONNECTION_TYPE));

    // No message box or other window opened beside it.
    EXPECT_EQ(nullptr, app.WaitForWindow(nullptr, nullptr, 300));
}

TEST_F(MainWindow, TrayArgumentChangesNothing)
{
    Velorix app(e2e::VelorixExe(), "-tray");
    HWND main = app.Main();
    ASSERT_NE(nullptr, main);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ("State: Activated\nPush to stop", app.Text(IDC_ACCELERATE));
}

TEST_F(MainWindow, QuitExitAndEnterEndTheProgramWithTheirResults)
{
    struct Ending {
        const char* what;
        UINT message;
        WPARAM w;
        DWORD code;
    };
    const Ending endings[] = {
        {"Quit Application", WM_COMMAND, IDC_QUIT, 2},
        {"tray Exit", WM_COMMAND, ID_APP_EXIT_TRAY, 0},
        {"OK command", WM_COMMAND, IDOK, 1},
    };
    for (const Ending& ending : endings) {
        Velorix app;
        ASSERT_NE(nullptr, app.Main()) << ending.what;
        app.Post(ending.message, ending.w, 0);
        DWORD code = 1234;
        ASSERT_TRUE(app.WaitExit(5000, &code)) << ending.what;
        EXPECT_EQ(ending.code, code) << ending.what;
    }
}

TEST_F(MainWindow, EnterOnTheAccelerateButtonEndsWithOneWithoutSaving)
{
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    HWND button = app.Control(IDC_ACCELERATE);
    PostMessageA(button, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(button, WM_KEYUP, VK_RETURN, 0xC0000001);
    DWORD code = 1234;
    ASSERT_TRUE(app.WaitExit(5000, &code));
    EXPECT_EQ(1u, code);
    EXPECT_FALSE(e2e::KeyExists(HKEY_CURRENT_USER, e2e::kSettingsKey));
}

TEST_F(MainWindow, EscCloseBoxAndAltF4HideInsteadOfEnding)
{
    struct Closing {
        const char* what;
        UINT message;
        WPARAM w;
    };
    const Closing closings[] = {
        {"Esc / cancel", WM_COMMAND, IDCANCEL},
        {"close box", WM_SYSCOMMAND, SC_CLOSE},
        {"WM_CLOSE", WM_CLOSE, 0},
    };
    for (const Closing& closing : closings) {
        e2e::ResetUserState();
        Velorix app;
        HWND main = app.Main();
        ASSERT_NE(nullptr, main) << closing.what;
        app.Send(closing.message, closing.w, 0);
        // A loaded machine can outlast the send's time-out.
        for (int i = 0; i < 25 && IsWindowVisible(main); ++i)
            e2e::Pump(200);
        EXPECT_FALSE(IsWindowVisible(main)) << closing.what;
        EXPECT_TRUE(app.Running()) << closing.what;
        // Hiding stores the three settings.
        EXPECT_EQ(12u,
                  e2e::GetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "CheckPeriodNum").value_or(0))
            << closing.what;
    }
}

TEST_F(MainWindow, AboutBoxFromSystemMenuAndTrayMenu)
{
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    for (int way = 0; way < 2; ++way) {
        if (way == 0)
            app.Post(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        else
            app.Post(WM_COMMAND, ID_APP_ABOUT_TRAY, 0);
        HWND about = app.WaitForWindow("#32770", "Velorix");
        ASSERT_NE(nullptr, about) << way;
        bool found = false;
        for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            found = found || Velorix::TextOf(child) == VELORIX_ABOUT_TEXT;
        EXPECT_TRUE(found) << way;
        EXPECT_EQ("&OK", Velorix::TextOf(GetDlgItem(about, IDOK)));
        // The main window is disabled while the About box runs.
        EXPECT_FALSE(IsWindowEnabled(app.Main()));
        PostMessageA(about, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 100 && IsWindow(about); ++i)
            e2e::Pump(20);
        EXPECT_FALSE(IsWindow(about)) << way;
        EXPECT_TRUE(IsWindowEnabled(app.Main()));
    }
    EXPECT_TRUE(app.Running());
}
