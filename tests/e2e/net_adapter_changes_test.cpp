// The Network Interface list while adapters come and go under the running
// program, across a restart, and after a resume from sleep.
#include <gtest/gtest.h>

#include "tests/e2e/net_helpers.h"
#include "tests/e2e/user_state_fixture.h"
#include "tests/standins/StandIns.h"

using net::Interface;

namespace {

class NetAdapterChanges : public e2e::CFreshUserTest {
protected:
    static std::vector<std::string> Received(e2e::Velorix& app)
    {
        return {app.Text(IDC_BYTES_RECEIVED), app.Text(IDC_BYTES_SENT)};
    }
};

const std::vector<std::string> kNoTotals = {"", ""};

}  // namespace

TEST_F(NetAdapterChanges, AnAdapterThatComesWhileRunningIsListedAtTheNextTick)
{
    net::FakeNetwork fake("net-comes", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {Interface(4, "Wired", 100000000, 10, 20)};
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));
    app->Timer(1);

    script.interfaces.insert(script.interfaces.begin(), Interface(2, "VPN Adapter", 0, 30, 40));
    script.interfaces.push_back(Interface(9, "WAN Miniport (IP)"));
    ASSERT_TRUE(fake.Write(script));
    app->Timer(1);
    const std::vector<std::string> expected = {" VPN Adapter 0 Mb", " Wired 95 Mb"};
    EXPECT_EQ(expected, net::Entries(*app));
    EXPECT_EQ(1, net::Selection(*app)) << "the chosen adapter stays chosen";
    EXPECT_EQ((std::vector<std::string>{" 10 ", " 20 "}), Received(*app));
}

// A VPN client removes its adapter and creates it again: a new index, a new
// row, the same description.
TEST_F(NetAdapterChanges, TheChosenAdapterBackUnderANewIndexIsChosenAgain)
{
    net::FakeNetwork fake("net-back", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {Interface(3, "Wired", 0, 10, 20), Interface(5, "VPN Adapter", 0, 30, 40)};
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));
    net::Choose(*app, 1);
    app->Timer(1);
    ASSERT_EQ((std::vector<std::string>{" 30 ", " 40 "}), Received(*app));

    script.interfaces.pop_back();
    ASSERT_TRUE(fake.Write(script));
    for (int tick = 0; tick < 3; ++tick) {
        app->Timer(1);
        EXPECT_EQ(-1, net::Selection(*app)) << "no other adapter takes its place";
        EXPECT_EQ(kNoTotals, Received(*app));
    }

    script.interfaces.insert(script.interfaces.begin(), Interface(1, "VPN Adapter", 0, 50, 60));
    ASSERT_TRUE(fake.Write(script));
    app->Timer(1);
    EXPECT_EQ(0, net::Selection(*app));
    EXPECT_EQ((std::vector<std::string>{" 50 ", " 60 "}), Received(*app));
    EXPECT_EQ(1u, e2e::GetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "Network"))
        << "following the adapter writes nothing";
}

// A VPN up at logon lists its adapter before the chosen one.
TEST_F(NetAdapterChanges, ARestartWithAnAdapterListedBeforeTheChosenOneShowsTheChosenOne)
{
    net::FakeNetwork fake("net-restart", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {Interface(5, "Wired", 0, 10, 20), Interface(6, "Wi-Fi", 0, 30, 40)};
    ASSERT_TRUE(fake.Write(script));
    {
        auto app = fake.Start();
        ASSERT_NE(nullptr, net::Opened(*app));
        net::Choose(*app, 1);
    }
    EXPECT_EQ("Wi-Fi", e2e::GetString(HKEY_CURRENT_USER, e2e::kSettingsKey, "NetworkDescription"));

    script.interfaces.insert(script.interfaces.begin(), Interface(2, "VPN Adapter", 0, 70, 80));
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));
    EXPECT_EQ(2, net::Selection(*app));
    app->Timer(1);
    EXPECT_EQ((std::vector<std::string>{" 30 ", " 40 "}), Received(*app));
}

// Started at logon before the network is up.
TEST_F(NetAdapterChanges, AStartWithNoAdapterChoosesWhenAdaptersAppear)
{
    net::FakeNetwork fake("net-late", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    ASSERT_TRUE(fake.Write(standins::NetScript{}));
    e2e::SetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "Network", 1);
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));
    app->Timer(1);
    EXPECT_TRUE(net::Entries(*app).empty());

    standins::NetScript script;
    script.interfaces = {Interface(3, "Wired", 0, 10, 20), Interface(7, "Wi-Fi", 0, 30, 40)};
    script.addresses = {{"127.0.0.1", "255.0.0.0", 1}, {"192.168.1.5", "255.255.255.0", 7}};
    ASSERT_TRUE(fake.Write(script));
    app->Timer(1);
    EXPECT_EQ(2u, net::Entries(*app).size());
    EXPECT_EQ(1, net::Selection(*app)) << "chosen by the stored position, as at a start";
    EXPECT_EQ((std::vector<std::string>{" 30 ", " 40 "}), Received(*app));
}

// The system tells top-level windows; one hidden in the tray is parked.
TEST_F(NetAdapterChanges, AResumeReadsTheTableAgainShownOrHidden)
{
    for (const bool inTray : {false, true}) {
        SCOPED_TRACE(inTray ? "hidden in the tray" : "shown");
        net::FakeNetwork fake("net-resume", standins::kNetFakeDir);
        ASSERT_TRUE(fake.Ready());
        standins::NetScript script;
        script.interfaces = {Interface(3, "Wired")};
        ASSERT_TRUE(fake.Write(script));
        auto app = fake.Start();
        ASSERT_NE(nullptr, net::Opened(*app));
        if (inTray)
            app->Command(IDCANCEL);

        script.interfaces.push_back(Interface(8, "USB Ethernet"));
        ASSERT_TRUE(fake.Write(script));
        for (HWND window : app->Windows())
            SendMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
        EXPECT_EQ(2u, net::Entries(*app).size());
        EXPECT_TRUE(app->Running());
    }
}
