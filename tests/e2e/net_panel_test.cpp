// The statistics panel, tick by tick, on scripted interface tables and
// connection states.
#include <gtest/gtest.h>

#include "tests/e2e/net_helpers.h"
#include "tests/e2e/user_state_fixture.h"
#include "tests/standins/StandIns.h"

using net::Interface;

namespace {

class NetPanel : public e2e::CFreshUserTest {};

}  // namespace

TEST_F(NetPanel, TotalsBeyondTwoAndFourGigabytesAreShownWhole)
{
    net::FakeNetwork fake("net-totals", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {Interface(4, "Gigabit", 1000000000, 3000000000ull, 5000000000ull)};
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));

    app->Timer(1);
    EXPECT_EQ(" 3000000000 ", app->Text(IDC_BYTES_RECEIVED));
    EXPECT_EQ(" 5000000000 ", app->Text(IDC_BYTES_SENT));

    // Without the 64-bit entry, the table's 32-bit counters, unsigned.
    script.failures["GetIfEntry2"] = ERROR_NOT_SUPPORTED;
    ASSERT_TRUE(fake.Write(script));
    app->Timer(1);
    EXPECT_EQ(" 3000000000 ", app->Text(IDC_BYTES_RECEIVED));
    EXPECT_EQ(" 705032704 ", app->Text(IDC_BYTES_SENT));  // 5000000000 - 2^32
}

TEST_F(NetPanel, CountersFollowTheTableAsItChangesAndGrows)
{
    net::FakeNetwork fake("net-grow", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {Interface(1, "Ethernet", 0, 100, 200), Interface(2, "Wireless", 0, 1, 2)};
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));
    app->Timer(1);
    EXPECT_EQ(" 100 ", app->Text(IDC_BYTES_RECEIVED));

    script.interfaces[0].inOctets = 150;
    ASSERT_TRUE(fake.Write(script));
    app->Timer(1);
    EXPECT_EQ(" 150 ", app->Text(IDC_BYTES_RECEIVED));

    // Far more adapters than the buffer has room for, after the first.
    script.interfaces[0].inOctets = 175;
    script.interfaces[0].outOctets = 275;
    for (DWORD i = 3; i < 80; ++i)
        script.interfaces.push_back(Interface(i, "Virtual " + std::to_string(i)));
    ASSERT_TRUE(fake.Write(script));
    app->Timer(1);
    EXPECT_EQ(" 175 ", app->Text(IDC_BYTES_RECEIVED));
    EXPECT_EQ(" 275 ", app->Text(IDC_BYTES_SENT));
    EXPECT_EQ(79u, net::Entries(*app).size());

    // Back to two.
    script.interfaces.resize(2);
    script.interfaces[0].inOctets = 190;
    ASSERT_TRUE(fake.Write(script));
    app->Timer(1);
    EXPECT_EQ(" 190 ", app->Text(IDC_BYTES_RECEIVED));
}

TEST_F(NetPanel, EveryTickMakesOneTableReadOneRowQueryAndOneConnectionQuery)
{
    net::FakeNetwork fake("net-calls", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {Interface(1, "Ethernet", 0, 100, 200)};
    script.connected = true;
    script.connectionFlags = 0x02;
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));
    app->Timer(1, 10);

    // From the first connection query on, the calls come in threes, in this
    // order; a tick the program is running as the log is read may be cut.
    const std::vector<std::string> log = fake.CallLog();
    size_t first = 0;
    while (first < log.size() && log[first].rfind("InternetGetConnectedState ", 0) != 0)
        ++first;
    ASSERT_LT(first, log.size());
    const char* const order[] = {"GetIfTable ", "GetIfEntry2 ", "InternetGetConnectedState "};
    size_t ticks = 0;
    std::string firstRead;
    for (size_t at = first + 1; at + 3 <= log.size(); at += 3, ++ticks) {
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(0u, log[at + k].rfind(order[k], 0)) << at + k << ": " << log[at + k];
        // Each read offers the same buffer, and it is large enough.
        if (firstRead.empty())
            firstRead = log[at];
        EXPECT_EQ(firstRead, log[at]);
    }
    EXPECT_GE(ticks, 9u);
    EXPECT_NE(std::string::npos, firstRead.find(" order=1 -> 0 ")) << firstRead;
}

TEST_F(NetPanel, ConnectionTypeAndStatusFollowTheConnectedState)
{
    net::FakeNetwork fake("net-connection", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {Interface(1, "Ethernet")};
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));

    app->Timer(1);
    EXPECT_EQ("N/A", app->Text(IDC_CONNECTION_STATUS));
    EXPECT_EQ("", app->Text(IDC_CONNECTION_TYPE));

    script.connected = true;
    script.connectionFlags = 0x02 | 0x04;  // LAN through a proxy
    ASSERT_TRUE(fake.Write(script));
    app->Timer(1);
    EXPECT_EQ(" Connected", app->Text(IDC_CONNECTION_STATUS));
    EXPECT_EQ(" LAN  Proxy ", app->Text(IDC_CONNECTION_TYPE));

    script.connectionFlags = 0x01 | 0x02 | 0x04 | 0x08 | 0x10 | 0x20;
    ASSERT_TRUE(fake.Write(script));
    app->Timer(1);
    EXPECT_EQ(" LAN  Modem  Offline  Proxy ", app->Text(IDC_CONNECTION_TYPE));

    // Offline: the status changes, the type keeps its last text.
    script.connectionFlags = 0x02 | 0x04;
    ASSERT_TRUE(fake.Write(script));
    app->Timer(1);
    script.connected = false;
    script.connectionFlags = 0;
    ASSERT_TRUE(fake.Write(script));
    app->Timer(1);
    EXPECT_EQ("N/A", app->Text(IDC_CONNECTION_STATUS));
    EXPECT_EQ(" LAN  Proxy ", app->Text(IDC_CONNECTION_TYPE));
}

TEST_F(NetPanel, TheConnectedTimeAdvancesOneSecondPerTick)
{
    net::FakeNetwork fake("net-connected-time", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    ASSERT_TRUE(fake.Write(standins::NetScript{}));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));

    // Timer 1 runs on its own as well, so the clock may be ahead of the
    // ticks sent, never behind.
    app->Timer(1);
    const std::string first = app->Text(IDC_CONNECTED_TIME);
    const long before = net::SecondsOf(first);
    ASSERT_GE(before, 1) << first;
    app->Timer(1, 61);
    const std::string later = app->Text(IDC_CONNECTED_TIME);
    EXPECT_GE(net::SecondsOf(later), before + 61) << first << " then " << later;
}
