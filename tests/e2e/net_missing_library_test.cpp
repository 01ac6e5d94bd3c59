// An IP Helper library without one of the two entry points the program
// needs: a message, and the program ends with 1.
#include <gtest/gtest.h>

#include "tests/e2e/net_helpers.h"
#include "tests/standins/StandIns.h"

TEST(NetMissingLibrary, ErrorLoadingIphlpapiThenTheProgramEndsWithOne)
{
    e2e::ResetUserState();
    net::FakeNetwork fake("net-missing", standins::kNetFakeNoIfCountDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {net::Interface(1, "Ethernet")};
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_TRUE(app->Started());

    HWND box = app->WaitForWindow("#32770", "Velorix", 10000);
    ASSERT_NE(nullptr, box);
    bool found = false;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        found = found || e2e::Velorix::TextOf(child) == "Error loading Iphlpapi.dll";
    EXPECT_TRUE(found);
    EXPECT_NE(nullptr, GetDlgItem(box, IDOK));
    EXPECT_EQ(nullptr, GetDlgItem(box, IDCANCEL));

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    DWORD code = 1234;
    ASSERT_TRUE(app->WaitExit(10000, &code));
    EXPECT_EQ(1u, code);
    e2e::ResetUserState();
}
