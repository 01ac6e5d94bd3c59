// The skin engine: created by its ProgID and told four things at start.
#include <gtest/gtest.h>

#include "tests/e2e/Harness.h"
#include "tests/standins/StandIns.h"
#include "tests/standins/common/StandInPaths.h"
#include "tests/standins/logger/LoggerSupport.h"
#include "tests/standins/skin/SkinRegistration.h"

using e2e::Velorix;

TEST(SkinEngine, ReceivesTheFourCallsInOrder)
{
    e2e::ResetUserState();
    const std::string dll = standins::StandInPath(standins::kSkinDll);
    const std::string log = dll.substr(0, dll.find_last_of('\\') + 1) + standins::kSkinCallLog;
    DeleteFileA(log.c_str());
    ASSERT_TRUE(standins::RegisterSkinServer(dll));
    {
        Velorix app;
        ASSERT_NE(nullptr, app.Main());
        app.Command(IDC_QUIT);
        app.WaitExit(5000);
    }
    standins::UnregisterSkinServer();

    const std::vector<std::string> calls = standins::ReadLogLines(log);
    const std::vector<std::string> expected = {
        "dispid=17 argc=1 named=0 flags=1 lcid=0 iid=null result=none arg1=3:0",
        "dispid=1 argc=1 named=0 flags=1 lcid=0 iid=null result=none arg1=3:1",
        "dispid=2 argc=1 named=0 flags=1 lcid=0 iid=null result=none arg1=8:Skin.skf",
        "dispid=18 argc=0 named=0 flags=1 lcid=0 iid=null result=none",
    };
    EXPECT_EQ(expected, calls);
}

TEST(SkinEngine, FailingCallsLeaveTheWindowWorking)
{
    e2e::ResetUserState();
    const std::string dll = standins::StandInPath(standins::kSkinDll);
    const std::string folder = dll.substr(0, dll.find_last_of('\\') + 1);
    const std::string answers = folder + standins::kSkinAnswers;
    {
        FILE* file = fopen(answers.c_str(), "w");
        ASSERT_NE(nullptr, file);
        fputs("17 0x80004005\n2 0x80070002\n18 0x8000FFFF\n", file);
        fclose(file);
    }
    ASSERT_TRUE(standins::RegisterSkinServer(dll));
    {
        Velorix app;
        ASSERT_NE(nullptr, app.Main());
        EXPECT_EQ("State: Activated\nPush to stop", app.Text(IDC_ACCELERATE));
        EXPECT_EQ(nullptr, app.WaitForWindow(nullptr, nullptr, 300));
    }
    standins::UnregisterSkinServer();
    DeleteFileA(answers.c_str());
}
