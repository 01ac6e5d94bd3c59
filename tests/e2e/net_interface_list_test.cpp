// The Network Interface list as the scripted interface table fills it, and
// the counters each entry shows.
#include <gtest/gtest.h>

#include "tests/e2e/net_helpers.h"
#include "tests/e2e/user_state_fixture.h"
#include "tests/standins/StandIns.h"

using net::Interface;

namespace {

class NetInterfaceList : public e2e::CFreshUserTest {
protected:
    static std::optional<DWORD> StoredNetwork()
    {
        return e2e::GetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "Network");
    }
};

}  // namespace

TEST_F(NetInterfaceList, EntriesShowTheCutDescriptionAndTheSpeedInUnitsOfTwoToTheTwenty)
{
    net::FakeNetwork fake("net-entries", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    const std::string longName = "Realtek PCIe GBE Family Controller #2 (rev 9)";
    const std::string lateLoopback = std::string(38, 'a') + " Loopback";
    standins::NetScript script;
    script.interfaces = {
        Interface(1, "Fast Ethernet", 100000000),
        Interface(2, "Ten", 10000000),
        Interface(3, "Slow", 1048575),
        Interface(4, longName, 1000000000),
        Interface(5, lateLoopback),
        Interface(6, "WAN Miniport (PPPOE)"),
        Interface(7, "isatap.{1E2B}"),
        Interface(8, "Software Loopback Interface 1"),
        Interface(9, "WANx Adapter"),
        Interface(10, "MS TCP loopback interface"),
    };
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));

    const std::vector<std::string> expected = {
        " Fast Ethernet 95 Mb",
        " Ten 9 Mb",
        " Slow 0 Mb",
        " " + longName.substr(0, 38) + " 953 Mb",
        " " + std::string(38, 'a') + " 0 Mb",
        " WANx Adapter 0 Mb",
        " MS TCP loopback interface 0 Mb",
    };
    EXPECT_EQ(expected, net::Entries(*app));
    EXPECT_EQ(0, net::Selection(*app));
}

TEST_F(NetInterfaceList, AnEntryShowsTheCountersOfItsOwnRow)
{
    net::FakeNetwork fake("net-rows", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {
        Interface(1, "First", 0, 111, 222),
        Interface(2, "WAN Miniport (IP)", 0, 999, 999),
        Interface(3, "Third", 0, 333, 444),
    };
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));
    ASSERT_EQ(2u, net::Entries(*app).size());

    app->Timer(1);
    EXPECT_EQ(" 111 ", app->Text(IDC_BYTES_RECEIVED));
    EXPECT_EQ(" 222 ", app->Text(IDC_BYTES_SENT));

    // The new choice is stored at once and shown with the next tick.
    net::Choose(*app, 1);
    EXPECT_EQ(1u, StoredNetwork());
    app->Timer(1);
    EXPECT_EQ(" 333 ", app->Text(IDC_BYTES_RECEIVED));
    EXPECT_EQ(" 444 ", app->Text(IDC_BYTES_SENT));

    // Adapters come and go (a VPN, a virtual switch): the rows move, and the
    // entry keeps showing its own adapter, or nothing once it is gone.
    script.interfaces.erase(script.interfaces.begin());
    script.interfaces.push_back(Interface(7, "Virtual Switch", 0, 777, 888));
    ASSERT_TRUE(fake.Write(script));
    app->Timer(1);
    EXPECT_EQ(" 333 ", app->Text(IDC_BYTES_RECEIVED)) << "row 2 became row 1";
    script.interfaces.erase(script.interfaces.begin() + 1);
    ASSERT_TRUE(fake.Write(script));
    app->Timer(1);
    EXPECT_EQ("", app->Text(IDC_BYTES_RECEIVED));
    EXPECT_EQ("", app->Text(IDC_BYTES_SENT));
    EXPECT_EQ(1u, StoredNetwork()) << "the stored choice is still the list position";
}

TEST_F(NetInterfaceList, ChoosingTheChosenEntryAgainStoresNothing)
{
    net::FakeNetwork fake("net-same", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {Interface(1, "One"), Interface(2, "Two")};
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));

    net::Choose(*app, 0);
    EXPECT_FALSE(StoredNetwork().has_value());
    net::Choose(*app, 1);
    EXPECT_EQ(1u, StoredNetwork());
    ASSERT_TRUE(e2e::DeleteValue(HKEY_CURRENT_USER, e2e::kSettingsKey, "Network"));
    net::Choose(*app, 1);
    EXPECT_FALSE(StoredNetwork().has_value());
}

TEST_F(NetInterfaceList, TheStoredChoiceIsSelectedAndOneNamingNoEntryShowsNoCounters)
{
    net::FakeNetwork fake("net-stored", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {Interface(1, "One", 0, 10, 20), Interface(2, "Two", 0, 30, 40)};
    ASSERT_TRUE(fake.Write(script));

    e2e::SetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "Network", 1);
    {
        auto app = fake.Start();
        ASSERT_NE(nullptr, net::Opened(*app));
        EXPECT_EQ(1, net::Selection(*app));
        app->Timer(1);
        EXPECT_EQ(" 30 ", app->Text(IDC_BYTES_RECEIVED));
    }
    // The adapters are not what they were when the choice was stored.
    for (DWORD stored : {2u, 255u, 256u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        e2e::SetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "Network", stored);
        auto app = fake.Start();
        ASSERT_NE(nullptr, net::Opened(*app)) << stored;
        app->Timer(1);
        EXPECT_EQ("", app->Text(IDC_BYTES_RECEIVED)) << stored;
        EXPECT_EQ("", app->Text(IDC_BYTES_SENT)) << stored;
        EXPECT_TRUE(app->Running()) << stored;
    }
}

TEST_F(NetInterfaceList, WithoutAnInterfaceTableTheListIsEmptyAndThePanelStillRuns)
{
    net::FakeNetwork fake("net-notable", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {Interface(1, "One", 0, 10, 20)};
    script.failures["GetIfTable"] = ERROR_NOT_SUPPORTED;
    script.connected = true;
    script.connectionFlags = 0x02;
    ASSERT_TRUE(fake.Write(script));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));
    EXPECT_TRUE(net::Entries(*app).empty());
    app->Timer(1, 2);
    EXPECT_EQ("", app->Text(IDC_BYTES_RECEIVED));
    EXPECT_EQ(" Connected", app->Text(IDC_CONNECTION_STATUS));
    net::Choose(*app, 0);
    app->Timer(1);
    EXPECT_TRUE(app->Running());
}

TEST_F(NetInterfaceList, ThreeHundredAdaptersListTheFirstTwoHundredFiftySix)
{
    net::FakeNetwork fake("net-300", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    for (DWORD i = 0; i < 300; ++i)
        script.interfaces.push_back(
            Interface(i + 1, "Adapter " + std::to_string(i), 0, 1000 + i, 2000 + i));
    ASSERT_TRUE(fake.Write(script));
    e2e::SetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "Network", 299);
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));

    const std::vector<std::string> entries = net::Entries(*app);
    ASSERT_EQ(256u, entries.size());
    EXPECT_EQ(" Adapter 255 0 Mb", entries.back());
    app->Timer(1);
    EXPECT_EQ("", app->Text(IDC_BYTES_RECEIVED));

    net::Choose(*app, 255);
    app->Timer(1);
    EXPECT_EQ(" 1255 ", app->Text(IDC_BYTES_RECEIVED));
    EXPECT_EQ(" 2255 ", app->Text(IDC_BYTES_SENT));
}
