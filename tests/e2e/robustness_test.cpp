// Long runs and hostile memory on the real program: thousands of switches
// and ticks while the interface table grows, shrinks and fails, and the
// panel with the heap pattern-filled. Both fail on any exception the
// program caught (its debug line) as well as on what they look at.
#include <gtest/gtest.h>

#include <map>

#include "tests/e2e/Probe.h"
#include "tests/e2e/net_helpers.h"
#include "tests/e2e/process_watch.h"
#include "tests/standins/StandIns.h"

using net::Interface;

namespace {

// Wine reads the heap flags of a program from here when it starts.
const char kImageOptions[] =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\Velorix.exe";
constexpr DWORD kHeapFreeCheck = 0x20;  // FLG_HEAP_ENABLE_FREE_CHECK: fills the heap with a pattern
// What Wine's heap then hands out before anything is written (Windows: 0xBAADF00D).
constexpr unsigned char kFreshBlockFill = 0x55;

class Robustness : public ::testing::Test {
protected:
    void SetUp() override
    {
        e2e::ResetUserState();
        e2e::DeleteKey(HKEY_LOCAL_MACHINE, kImageOptions);
    }
    void TearDown() override
    {
        e2e::DeleteKey(HKEY_LOCAL_MACHINE, kImageOptions);
        e2e::ResetUserState();
    }

    e2e::CDebugOutput debugOutput;
};

standins::NetScript Table(size_t interfaces, const char* failing = nullptr)
{
    standins::NetScript script;
    for (DWORD i = 1; i <= interfaces; ++i)
        script.interfaces.push_back(Interface(i, "Adapter " + std::to_string(i), 100000000,
                                              5000000000ull + i, 7000000000ull + i));
    script.addresses.push_back({"127.0.0.1", "255.0.0.0", 1});
    script.connected = true;
    script.connectionFlags = 0x02;
    if (failing)
        script.failures[failing] = ERROR_NOT_SUPPORTED;
    return script;
}

}  // namespace

TEST_F(Robustness, ThousandsOfSwitchesAndTicksOnAChangingTableLeakNothingAndThrowNothing)
{
    // The monitor sees what a process writes, this one's included.
    ASSERT_TRUE(debugOutput.Ready());
    OutputDebugStringA("monitor check\n");
    for (int i = 0; i < 100 && debugOutput.LinesOf(GetCurrentProcessId()).empty(); ++i)
        Sleep(10);
    ASSERT_EQ(std::vector<std::string>{"monitor check\n"},
              debugOutput.LinesOf(GetCurrentProcessId()));
    net::FakeNetwork fake("robust-soak", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    // One round: the table as at start, grown past the buffer's spare rows,
    // shrunk to one row, failing, and its 64-bit entry failing.
    const std::vector<standins::NetScript> tables = {
        Table(2), Table(40), Table(1), Table(2, "GetIfTable"), Table(2, "GetIfEntry2")};
    ASSERT_TRUE(fake.Write(tables[0]));
    auto app = fake.Start();
    ASSERT_NE(nullptr, net::Opened(*app));
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");

    auto round = [&] {
        for (const standins::NetScript& table : tables) {
            EXPECT_TRUE(fake.Write(table));
            for (int i = 0; i < 20; ++i) {
                app->Timer(1, 4);
                app->Timer(2);
                app->Command(IDC_ACCELERATE);
                app->Command(IDC_ACCELERATE);
            }
            for (int i = 0; i < 2; ++i) {
                DWORD_PTR result = 0;
                SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000,
                                    &result);
            }
        }
    };
    // The first rounds reach the buffers' and the heap's working sizes.
    round();
    round();
    const auto before = e2e::MeasureProcess(app->Pid());
    ASSERT_TRUE(before.has_value());
    for (int i = 0; i < 6; ++i)
        round();
    const auto after = e2e::MeasureProcess(app->Pid());
    ASSERT_TRUE(after.has_value());

    // Measured over 2400 ticks, 1200 switches and 60 announcements: a leak
    // of about a hundred bytes on each tick would exceed it.
    EXPECT_LE(after->pagefileBytes, before->pagefileBytes + 256 * 1024)
        << before->pagefileBytes << " then " << after->pagefileBytes;
    EXPECT_LE(after->threads, before->threads + 1);
    EXPECT_EQ("State: Activated\nPush to stop", app->Text(IDC_ACCELERATE));
    EXPECT_EQ(" 705032705 ", app->Text(IDC_BYTES_RECEIVED));  // the row's 32 bits
    EXPECT_TRUE(debugOutput.LinesOf(app->Pid()).empty()) << debugOutput.LinesOf(app->Pid())[0];
}

namespace {

// Every text the window shows that the program computes, but the clocks,
// which timer 1 also advances on its own.
std::map<int, std::string> PanelTexts(e2e::Velorix& app)
{
    std::map<int, std::string> texts;
    for (int id : {IDC_ACCELERATE, IDC_BYTES_RECEIVED, IDC_BYTES_SENT, IDC_CONNECTION_STATUS,
                   IDC_CONNECTION_TYPE})
        texts[id] = app.Text(id);
    const std::vector<std::string> entries = net::Entries(app);
    for (size_t i = 0; i < entries.size(); ++i)
        texts[-1 - static_cast<int>(i)] = entries[i];
    return texts;
}

}  // namespace

TEST_F(Robustness, ThePanelShowsTheSameTextsWithTheHeapPatternFilled)
{
    ASSERT_TRUE(debugOutput.Ready());
    net::FakeNetwork fake("robust-pattern", standins::kNetFakeDir);
    ASSERT_TRUE(fake.Ready());
    standins::NetScript script;
    script.interfaces = {Interface(3, "WAN Miniport (IP)", 0, 1, 2),
                         Interface(5, "Wireless", 54000000, 11, 22),
                         Interface(9, "Ethernet", 1000000000, 3000000000ull, 5000000000ull)};
    script.connected = true;
    script.connectionFlags = 0x02 | 0x04;

    // The second entry chosen, its 64-bit entry failing, then answering,
    // then failing again: the row's own counters, the 64-bit ones, the row's.
    // With the pattern on, a block fresh from the heap shows it, or the run
    // proves nothing.
    auto run = [&](std::vector<std::map<int, std::string>>& seen, bool patternFilled) {
        ASSERT_TRUE(e2e::SetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "Network", 1));
        script.failures["GetIfEntry2"] = ERROR_NOT_FOUND;
        ASSERT_TRUE(fake.Write(script));
        auto app = fake.Start();
        ASSERT_NE(nullptr, net::Opened(*app));
        if (patternFilled) {
            CProbe probe(app->UiThread());
            const auto fresh = probe.FreshHeap(app->Main(), 16);
            ASSERT_TRUE(fresh.has_value()) << probe.LastError();
            EXPECT_EQ(std::vector<unsigned char>(16, kFreshBlockFill), *fresh)
                << "the heap pattern was not applied";
        }
        for (int step = 0; step < 3; ++step) {
            if (step == 1)
                script.failures.clear();
            if (step == 2)
                script.failures["GetIfEntry2"] = ERROR_NOT_FOUND;
            ASSERT_TRUE(fake.Write(script));
            app->Timer(1);
            seen.push_back(PanelTexts(*app));
        }
        EXPECT_TRUE(debugOutput.LinesOf(app->Pid()).empty()) << debugOutput.LinesOf(app->Pid())[0];
    };

    std::vector<std::map<int, std::string>> plain, patterned;
    run(plain, false);
    ASSERT_TRUE(e2e::SetDword(HKEY_LOCAL_MACHINE, kImageOptions, "GlobalFlag", kHeapFreeCheck));
    run(patterned, true);
    EXPECT_EQ(plain, patterned);

    ASSERT_EQ(3u, plain.size());
    EXPECT_EQ(" 3000000000 ", plain[0][IDC_BYTES_RECEIVED]);
    EXPECT_EQ(" 705032704 ", plain[0][IDC_BYTES_SENT]);  // the row's 32 bits
    EXPECT_EQ(" 5000000000 ", plain[1][IDC_BYTES_SENT]);
    EXPECT_EQ(" 705032704 ", plain[2][IDC_BYTES_SENT]);
}
