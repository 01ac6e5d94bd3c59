// The maker's updater is started at every start with its five arguments,
// before the client that "RunOtherApp" starts; without it the program
// starts as usual.
#include <gtest/gtest.h>

#include "res/Version.h"
#include "tests/e2e/launcher_helpers.h"
#include "tests/e2e/user_state_fixture.h"

using e2e::Velorix;

namespace {

const char kArguments[] =
    "\"Velorix\" \"5\" \"" VELORIX_VERSION "\" \"update.velorix.net\" \"false\" ";

class LauncherUpdater : public e2e::CFreshUserTest {
protected:
    // A copy of the program with the updater stand-in beside it, where the
    // shell finds a bare program name.
    std::string ProgramBesideUpdater(const char* scratch)
    {
        m_folder = e2e::ScratchDir(scratch);
        e2e::CopyInto(e2e::VelorixExe(), m_folder);
        m_updaterLog = launcher::PlaceLogger(m_folder, standins::kUpdaterExe);
        return m_folder + "\\Velorix.exe";
    }

    std::string m_folder;
    std::string m_updaterLog;
};

}  // namespace

TEST_F(LauncherUpdater, EveryStartRunsTheUpdaterWithItsFiveArguments)
{
    const std::string exe = ProgramBesideUpdater("updater-args");
    for (size_t start = 1; start <= 2; ++start) {
        Velorix app(exe);
        ASSERT_NE(nullptr, app.Main()) << start;
        const std::vector<std::string> lines = launcher::WaitForLines(m_updaterLog, start);
        ASSERT_EQ(start, lines.size());
        const std::string& line = lines.back();
        EXPECT_NE(std::string::npos, line.find("Renewix.exe")) << line;
        EXPECT_TRUE(launcher::EndsWith(line, std::string(" ") + kArguments)) << line;
    }
}

TEST_F(LauncherUpdater, RunOtherAppStartsTheClientAsWell)
{
    const std::string exe = ProgramBesideUpdater("updater-client");
    const std::string clientFolder = e2e::ScratchDir("updater-client-install");
    const std::string clientLog = launcher::PlaceLogger(clientFolder, standins::kClientExe);
    ASSERT_TRUE(
        e2e::SetString(HKEY_CURRENT_USER, e2e::kClientKey, "InstallLocation", clientFolder));
    ASSERT_TRUE(e2e::SetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "RunOtherApp", 1));
    Velorix app(exe);
    ASSERT_NE(nullptr, app.Main());
    EXPECT_EQ(1u, launcher::WaitForLines(m_updaterLog, 1).size());
    EXPECT_EQ(1u, launcher::WaitForLines(clientLog, 1).size());
}

TEST_F(LauncherUpdater, TheUpdaterIsStartedBeforeTheClientIsTried)
{
    // The missing client's error dialog holds the start at the client; the
    // updater has been started by then.
    const std::string exe = ProgramBesideUpdater("updater-first");
    ASSERT_TRUE(e2e::SetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "RunOtherApp", 1));
    Velorix app(exe);
    HWND error = app.WaitForWindow("#32770", "Error", 10000);
    ASSERT_NE(nullptr, error);
    EXPECT_EQ(1u, launcher::WaitForLines(m_updaterLog, 1).size());
    PostMessageA(error, WM_COMMAND, IDOK, 0);
    // The start goes on to its end once the dialog is closed.
    EXPECT_NE(nullptr, launcher::InitialisedMain(app));
}

TEST_F(LauncherUpdater, AnUpdaterInTheCurrentFolderIsNeverStarted)
{
    const std::string program = e2e::ScratchDir("updater-program");
    e2e::CopyInto(e2e::VelorixExe(), program);
    const std::string current = e2e::ScratchDir("updater-planted");
    const std::string planted = launcher::PlaceLogger(current, standins::kUpdaterExe);
    Velorix app(program + "\\Velorix.exe", "", current);
    ASSERT_NE(nullptr, launcher::InitialisedMain(app));
    e2e::Pump(500);
    EXPECT_TRUE(standins::ReadLogLines(planted).empty());
}

TEST_F(LauncherUpdater, WithoutTheUpdaterTheWindowOpensAsUsual)
{
    const std::string folder = e2e::ScratchDir("updater-missing");
    e2e::CopyInto(e2e::VelorixExe(), folder);
    Velorix app(folder + "\\Velorix.exe");
    ASSERT_NE(nullptr, launcher::InitialisedMain(app));
    EXPECT_EQ(nullptr, app.WaitForWindow("#32770", nullptr, 300));
}
