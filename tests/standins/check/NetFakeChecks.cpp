// The network stand-ins loaded by a program started the way the tests start
// Velorix: beside it, chosen by the per-program override. Which DLL answers
// shows in the call log and the answers only: Wine names a builtin DLL after
// the file it found in the program's folder.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include "tests/standins/StandIns.h"
#include "tests/standins/check/CheckFolder.h"
#include "tests/standins/common/StandInPaths.h"
#include "tests/standins/logger/LoggerSupport.h"
#include "tests/standins/netfake/NetScript.h"

namespace standins {
namespace {

const char kNetCheck[] = "..\\standins\\check\\netcheck.exe";
const char kNetCheckExe[] = "netcheck.exe";
const DWORD kWaitMs = 30000;

NetInterface Interface(DWORD index, ULONG64 speed, ULONG64 in, ULONG64 out, std::string text)
{
    NetInterface row;
    row.index = index;
    row.speed = speed;
    row.inOctets = in;
    row.outOctets = out;
    row.description = text;
    return row;
}

class NetFakeCheck : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SetNetFakeOverride(kNetCheckExe)); }
    void TearDown() override { EXPECT_TRUE(ClearNetFakeOverride(kNetCheckExe)); }

    void Install(const char* dllFolder)
    {
        ASSERT_TRUE(m_folder.CopyIn(StandInPath(kNetCheck), kNetCheckExe));
        const std::string dlls = StandInPath(dllFolder) + "\\";
        ASSERT_TRUE(m_folder.CopyIn(dlls + kIpHelperDll, kIpHelperDll));
        ASSERT_TRUE(m_folder.CopyIn(dlls + kWinInetDll, kWinInetDll));
    }
    std::map<std::string, std::string> Run(const std::string& arguments = std::string())
    {
        const std::string line = "\"" + m_folder.File(kNetCheckExe) + "\" " + arguments;
        EXPECT_EQ(RunToEnd(line, kWaitMs), 0);
        return ReadKeyValues(m_folder.File("netcheck.out"));
    }
    static NetScript TwoAdaptersAndTwoAddresses()
    {
        NetScript script;
        script.interfaces = {Interface(7, 100000000, 5000000000ull, 1234, "Fast Ethernet Adapter"),
                             Interface(2, 10000000, 10, 20, "Second"),
                             Interface(3, 0, 0, 0, std::string(300, 'D'))};
        script.addresses = {{"127.0.0.1", "255.0.0.0", 1}, {"192.168.1.5", "255.255.255.0", 7}};
        script.connected = true;
        script.connectionFlags = 0x12;
        return script;
    }

    CheckFolder m_folder;
};

TEST_F(NetFakeCheck, ProgramStartsWithOurDllsAndGetsTheScriptedAnswers)
{
    Install(kNetFakeDir);
    ASSERT_TRUE(WriteNetScript(m_folder.File(kNetScript), TwoAdaptersAndTwoAddresses()));
    auto out = Run();
    EXPECT_EQ(out["loaded_same"], "1");
    EXPECT_EQ(out["loaded_ifcount"], "1");
    // Sorted by index; 5000000000 keeps its low 32 bits; 300 bytes fill bDescr.
    EXPECT_EQ(out["iftable_null"], "122 2584");
    EXPECT_EQ(out["iftable_short"], "122 2584");
    EXPECT_EQ(out["iftable"], "0 3");
    EXPECT_EQ(out["row0"], "2 10000000 10 20 7 Second");
    EXPECT_EQ(out["row1"], "3 0 0 0 256 " + std::string(256, 'D'));
    EXPECT_EQ(out["row2"], "7 100000000 705032704 1234 22 Fast Ethernet Adapter");
    EXPECT_EQ(out["ifcount"], "3");
    EXPECT_EQ(out["entry2_2"], "0 10 20 10000000");
    EXPECT_EQ(out["entry2_7"], "0 5000000000 1234 100000000");
    EXPECT_EQ(out["entry2_99"], "2 0 0 0");
    EXPECT_EQ(out["iftable2"], "0 3");
    EXPECT_EQ(out["ipaddr"], "0 2");
    EXPECT_EQ(out["addr0"], "127.0.0.1 255.0.0.0");
    EXPECT_EQ(out["addr1"], "192.168.1.5 255.255.255.0");
    EXPECT_EQ(out["connected"], "1 18");
    for (const char* key : {"commctrl", "com", "window", "bind"})
        EXPECT_EQ(out[key], "1") << key;
    EXPECT_EQ(out["wsastartup"], "0");
    EXPECT_EQ(out["gethostname"], "0");
    const std::string log = m_folder.File(kNetCallLog);
    EXPECT_EQ(CountNetCalls(log, "GetIfTable"), 3);
    EXPECT_EQ(CountNetCalls(log, "InternetGetConnectedState"), 1);
}

TEST_F(NetFakeCheck, WithoutAScriptThereIsNothingAndNoConnection)
{
    Install(kNetFakeDir);
    auto out = Run();
    EXPECT_EQ(out["iftable_null"], "122 864");
    EXPECT_EQ(out["iftable"], "0 0");
    EXPECT_EQ(out["ipaddr"], "0 0");
    EXPECT_EQ(out["connected"], "0 0");
}

TEST_F(NetFakeCheck, ScriptedFailuresAndOffline)
{
    Install(kNetFakeDir);
    NetScript script = TwoAdaptersAndTwoAddresses();
    script.failures["GetIfTable"] = 31;
    script.failures["GetIpAddrTable"] = 232;
    script.connected = false;
    script.connectionFlags = 0x20;
    ASSERT_TRUE(WriteNetScript(m_folder.File(kNetScript), script));
    auto out = Run();
    EXPECT_EQ(out["iftable_null"], "31 0");
    EXPECT_EQ(out.count("iftable"), 0u);
    EXPECT_EQ(out["ipaddr"], "232 0");
    EXPECT_EQ(out["connected"], "0 32");
}

TEST_F(NetFakeCheck, TheScriptIsReadAgainAtEveryCall)
{
    Install(kNetFakeDir);
    ASSERT_TRUE(WriteNetScript(m_folder.File(kNetScript), TwoAdaptersAndTwoAddresses()));
    EXPECT_EQ(Run("reread")["reread"], "3 4");
}

TEST_F(NetFakeCheck, VariantWithoutGetNumberOfInterfaces)
{
    Install(kNetFakeNoIfCountDir);
    ASSERT_TRUE(WriteNetScript(m_folder.File(kNetScript), TwoAdaptersAndTwoAddresses()));
    auto out = Run();
    EXPECT_EQ(out["loaded_ifcount"], "0");
    EXPECT_EQ(out["iftable"], "0 3");
}

TEST_F(NetFakeCheck, WithoutTheOverrideWinesOwnDllsAnswer)
{
    Install(kNetFakeDir);
    ASSERT_TRUE(ClearNetFakeOverride(kNetCheckExe));
    ASSERT_TRUE(WriteNetScript(m_folder.File(kNetScript), TwoAdaptersAndTwoAddresses()));
    auto out = Run();
    EXPECT_NE(out["iftable"], "0 3");
    EXPECT_NE(out["iftable"], "");
    EXPECT_EQ(CountNetCalls(m_folder.File(kNetCallLog), "GetIfTable"), 0);
    EXPECT_EQ(CountNetCalls(m_folder.File(kNetCallLog), "InternetGetConnectedState"), 0);
}

TEST_F(NetFakeCheck, AddressesStillOpenInTheBrowserWithOurDllsInPlace)
{
    Install(kNetFakeDir);
    ASSERT_TRUE(m_folder.CopyIn(StandInPath(kLoggerExe), kBrowserExe));
    ASSERT_TRUE(RegisterUrlHandler(m_folder.File(kBrowserExe)));
    auto out = Run("open https://example.invalid/help");
    EXPECT_TRUE(UnregisterUrlHandler());
    EXPECT_GT(std::atoi(out["open"].c_str()), 32) << out["open"];
    std::vector<std::string> lines;
    for (DWORD waited = 0; waited < kWaitMs && lines.empty(); waited += 50) {
        lines = ReadLogLines(m_folder.File("browser.log"));
        if (lines.empty())
            Sleep(50);
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("\"https://example.invalid/help\""), std::string::npos) << lines[0];
}

}  // namespace
}  // namespace standins
