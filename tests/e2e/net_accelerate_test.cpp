// The accelerate button: its two captions, its pressed state and the
// accelerated clock that runs while the mode is on. Under Wine the raw
// socket cannot be had, so the worker ends at once; the window shows the
// mode on all the same.
#include <gtest/gtest.h>

#include "tests/e2e/net_helpers.h"
#include "tests/e2e/user_state_fixture.h"
#include "tests/standins/StandIns.h"

namespace {

const char kActivated[] = "State: Activated\nPush to stop";
const char kStopped[] = "State: Stopped\nPush to activate acceleration";

class NetAccelerate : public e2e::CFreshUserTest {
protected:
    static void Click(e2e::Velorix& app)
    {
        SendMessageA(app.Control(IDC_ACCELERATE), BM_CLICK, 0, 0);
    }
    static long Clock(e2e::Velorix& app) { return net::SecondsOf(app.Text(IDC_ACCELERATED_TIME)); }
};

}  // namespace

TEST_F(NetAccelerate, OffAndOnChangeTheCaptionAndTheClockGoesOnFromWhereItStood)
{
    net::FakeNetwork fake("net-accelerate", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    ASSERT_TRUE(fake.Write(standins::NetScript{}));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));
    EXPECT_EQ(kActivated, app->Text(IDC_ACCELERATE));
    HWND button = app->Control(IDC_ACCELERATE);
    EXPECT_EQ(BST_CHECKED, SendMessageA(button, BM_GETCHECK, 0, 0));

    Click(*app);
    EXPECT_EQ(kStopped, app->Text(IDC_ACCELERATE));
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(button, BM_GETCHECK, 0, 0));
    const long stoppedAt = Clock(*app);
    ASSERT_GE(stoppedAt, 0) << app->Text(IDC_ACCELERATED_TIME);
    ASSERT_LT(stoppedAt, 59);
    // Timer 2 no longer runs on its own.
    e2e::Pump(1500);
    EXPECT_EQ(stoppedAt, Clock(*app));

    // With the timer stopped, each tick the test sends is one second.
    app->Timer(2, static_cast<int>(59 - stoppedAt));
    EXPECT_EQ(" 0 hrs :  0 mins : 59 secs", app->Text(IDC_ACCELERATED_TIME));
    app->Timer(2);
    EXPECT_EQ(" 0 hrs :  1 mins :  0 secs", app->Text(IDC_ACCELERATED_TIME));
    app->Timer(2, 3540);
    EXPECT_EQ(" 1 hrs :  0 mins :  0 secs", app->Text(IDC_ACCELERATED_TIME));

    Click(*app);
    EXPECT_EQ(kActivated, app->Text(IDC_ACCELERATE));
    EXPECT_EQ(BST_CHECKED, SendMessageA(button, BM_GETCHECK, 0, 0));
    // Timer 2 runs again and the clock continues: no reset.
    long now = Clock(*app);
    for (int i = 0; i < 100 && now == 3600; ++i) {
        e2e::Pump(50);
        now = Clock(*app);
    }
    EXPECT_GT(now, 3600) << app->Text(IDC_ACCELERATED_TIME);
    EXPECT_LT(now, 3700) << app->Text(IDC_ACCELERATED_TIME);
}

TEST_F(NetAccelerate, ManyTogglesKeepTheProgramWorking)
{
    net::FakeNetwork fake("net-toggles", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {net::Interface(1, "Ethernet", 0, 5, 6)};
    script.addresses = {{"127.0.0.1", "255.0.0.0", 1}, {"192.168.1.5", "255.255.255.0", 1}};
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));
    for (int i = 0; i < 50; ++i)
        app->Command(IDC_ACCELERATE);
    EXPECT_EQ(kActivated, app->Text(IDC_ACCELERATE));
    app->Timer(1);
    EXPECT_EQ(" 5 ", app->Text(IDC_BYTES_RECEIVED));
    EXPECT_TRUE(app->Running());
}

TEST_F(NetAccelerate, TheLocalAddressListIsReadInTheSystemsOrderAtTheStartAndWhenTheWorkerEnds)
{
    net::FakeNetwork fake("net-addresses", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    for (int i = 0; i < 120; ++i)
        script.addresses.push_back({"10.0.0." + std::to_string(i + 1), "255.0.0.0", 1});
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));
    app->Timer(1, 3);
    app->Command(IDC_ACCELERATE);
    app->Command(IDC_ACCELERATE);

    // Unsorted, read whole though it holds more than the list keeps: at the
    // start, and once when the worker ended (it has no raw socket here),
    // not at every tick.
    int reads = 0;
    for (const std::string& line : fake.CallLog()) {
        if (line.rfind("GetIpAddrTable ", 0) != 0 || line.find(" size=0 ") != std::string::npos)
            continue;
        ++reads;
        EXPECT_NE(std::string::npos, line.find(" order=0 -> 0 ")) << line;
    }
    EXPECT_EQ(2, reads);
}
