// A second start of Velorix in the same session hands over to the running
// one and ends: one window, one icon, one updater start.
#include <string>

#include "tests/e2e/launcher_helpers.h"
#include "tests/e2e/tray_fixture.h"

using namespace tray_view;

TEST_F(CTrayTest, ASecondStartBringsTheRunningWindowBackAndEnds)
{
    // The running copy is the one the fixture started; later copies come
    // from a folder with the updater stand-in, so a start of it shows.
    const std::string folder = e2e::ScratchDir("second-start");
    ASSERT_TRUE(e2e::CopyInto(e2e::VelorixExe(), folder));
    const std::string updaterLog = launcher::PlaceLogger(folder, standins::kUpdaterExe);

    for (const bool hidden : {false, true}) {
        SCOPED_TRACE(hidden ? "hidden in the tray" : "shown");
        if (hidden) {
            app->Command(IDCANCEL);
            ASSERT_FALSE(IsWindowVisible(main));
        }
        e2e::Velorix second(folder + "\\Velorix.exe", hidden ? "-tray" : "", e2e::BuildDir());
        DWORD code = 99;
        ASSERT_TRUE(second.WaitExit(10000, &code));
        EXPECT_EQ(0u, code);
        EXPECT_TRUE(app->Running());
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
        EXPECT_EQ(GetDesktopWindow(), GetAncestor(main, GA_PARENT));
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
        EXPECT_TRUE(Icon().has_value());
    }
    e2e::Pump(300);
    EXPECT_TRUE(standins::ReadLogLines(updaterLog).empty());
}
