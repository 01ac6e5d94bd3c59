// "&Run your uTorrent": the client is started from the folder its installer
// registered; when it is not registered or cannot be started, the error
// dialog says so and offers the download page.
#include <gtest/gtest.h>

#include "tests/e2e/launcher_helpers.h"
#include "tests/e2e/user_state_fixture.h"

using e2e::Velorix;

namespace {

const char kMessage[] =
    "uTorrent is not installed on your PC!\nPlease install it first to use this option.";
const char kDownloadPage[] = "https://www.utorrent.com/downloads/win/";

class LauncherClient : public e2e::CFreshUserTest {
protected:
    static void SetLocation(const std::string& location)
    {
        ASSERT_TRUE(
            e2e::SetString(HKEY_CURRENT_USER, e2e::kClientKey, "InstallLocation", location));
    }

    // Clicks "&Run your uTorrent" and waits for the error dialog.
    static HWND ErrorDialogAfterRun(Velorix& app)
    {
        app.Post(WM_COMMAND, IDC_RUN_CLIENT, 0);
        return app.WaitForWindow("#32770", "Error");
    }
};

}  // namespace

TEST_F(LauncherClient, WithoutTheClientKeyTheErrorDialogOffersTheDownloadPage)
{
    Velorix app;
    HWND main = app.Main();
    ASSERT_NE(nullptr, main);
    for (UINT ending : {IDOK, IDCANCEL}) {
        HWND error = ErrorDialogAfterRun(app);
        ASSERT_NE(nullptr, error) << ending;
        EXPECT_EQ(kMessage, Velorix::TextOf(GetDlgItem(error, IDC_ERROR_TEXT)));
        EXPECT_EQ("Click here to download uTorrent",
                  Velorix::TextOf(GetDlgItem(error, IDC_DOWNLOAD_LINK)));
        EXPECT_EQ(std::string("(") + kDownloadPage + ")",
                  Velorix::TextOf(GetDlgItem(error, IDC_DOWNLOAD_ADDRESS)));
        EXPECT_EQ("OK", Velorix::TextOf(GetDlgItem(error, IDOK)));
        EXPECT_TRUE(GetWindowLongA(error, GWL_EXSTYLE) & WS_EX_TOPMOST);
        // Owned by the main window, which waits disabled.
        EXPECT_EQ(main, GetWindow(error, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(main));

        PostMessageA(error, WM_COMMAND, ending, 0);
        EXPECT_TRUE(launcher::WaitGone(error)) << ending;
        EXPECT_TRUE(IsWindowEnabled(main)) << ending;
        EXPECT_TRUE(app.Running()) << ending;
    }
}

TEST_F(LauncherClient, WithoutTheInstallLocationNothingHappens)
{
    ASSERT_TRUE(e2e::SetString(HKEY_CURRENT_USER, e2e::kClientKey, "DisplayName", "uTorrent"));
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    EXPECT_TRUE(launcher::CommandReturns(app, IDC_RUN_CLIENT));
    EXPECT_EQ(nullptr, app.WaitForWindow("#32770", nullptr, 300));
}

TEST_F(LauncherClient, ALocationWithoutTheClientShowsTheErrorDialog)
{
    SetLocation(e2e::ScratchDir("launcher-empty"));
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    EXPECT_NE(nullptr, ErrorDialogAfterRun(app));
}

TEST_F(LauncherClient, TheClientStartsFromItsInstallLocation)
{
    const std::string folder = e2e::ScratchDir("launcher-client");
    const std::string log = launcher::PlaceLogger(folder, standins::kClientExe);
    SetLocation(folder);
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    EXPECT_TRUE(launcher::CommandReturns(app, IDC_RUN_CLIENT));
    const std::vector<std::string> lines = launcher::WaitForLines(log, 1);
    ASSERT_EQ(1u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find(folder + "\\uTorrent.exe")) << lines[0];
    EXPECT_EQ(nullptr, app.WaitForWindow("#32770", nullptr, 300));
}

TEST_F(LauncherClient, ALocationEndingInABackslashIsPassedOnWithTwo)
{
    const std::string folder = e2e::ScratchDir("launcher-backslash");
    const std::string log = launcher::PlaceLogger(folder, standins::kClientExe);
    SetLocation(folder + "\\");
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    EXPECT_TRUE(launcher::CommandReturns(app, IDC_RUN_CLIENT));
    const std::vector<std::string> lines = launcher::WaitForLines(log, 1);
    ASSERT_EQ(1u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find(folder + "\\\\uTorrent.exe")) << lines[0];
}

TEST_F(LauncherClient, TheLocationIsReadAsRawBytesOfAnyTypeUpTo256)
{
    const std::string folder = e2e::ScratchDir("launcher-binary");
    const std::string log = launcher::PlaceLogger(folder, standins::kClientExe);
    // A terminated path stored as binary data starts the client.
    ASSERT_TRUE(e2e::SetValue(HKEY_CURRENT_USER, e2e::kClientKey, "InstallLocation", REG_BINARY,
                              folder.c_str(), static_cast<DWORD>(folder.size() + 1)));
    {
        Velorix app;
        ASSERT_NE(nullptr, app.Main());
        EXPECT_TRUE(launcher::CommandReturns(app, IDC_RUN_CLIENT));
        EXPECT_EQ(1u, launcher::WaitForLines(log, 1).size());
    }
    // 256 bytes without a terminator fill the buffer: a path that does not
    // exist, so the error dialog; the program stays up.
    const std::string full(256, 'A');
    ASSERT_TRUE(e2e::SetValue(HKEY_CURRENT_USER, e2e::kClientKey, "InstallLocation", REG_BINARY,
                              full.data(), static_cast<DWORD>(full.size())));
    {
        Velorix app;
        ASSERT_NE(nullptr, app.Main());
        EXPECT_NE(nullptr, ErrorDialogAfterRun(app));
        EXPECT_TRUE(app.Running());
    }
    // One byte more does not fit: nothing happens.
    const std::string tooLong(257, 'A');
    ASSERT_TRUE(e2e::SetValue(HKEY_CURRENT_USER, e2e::kClientKey, "InstallLocation", REG_BINARY,
                              tooLong.data(), static_cast<DWORD>(tooLong.size())));
    {
        Velorix app;
        ASSERT_NE(nullptr, app.Main());
        EXPECT_TRUE(launcher::CommandReturns(app, IDC_RUN_CLIENT));
        EXPECT_EQ(nullptr, app.WaitForWindow("#32770", nullptr, 300));
    }
}
