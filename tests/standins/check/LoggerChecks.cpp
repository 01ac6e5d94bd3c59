// The logging program, started directly, through the shell, and as the
// prefix's browser.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>

#include "tests/standins/StandIns.h"
#include "tests/standins/check/CheckFolder.h"
#include "tests/standins/common/RegKey.h"
#include "tests/standins/common/StandInPaths.h"
#include "tests/standins/logger/LoggerSupport.h"

namespace standins {
namespace {

const DWORD kWaitMs = 20000;

// The shell starts the handler and returns; its log line comes a little
// later. Waits for the count, bounded.
std::vector<std::string> WaitForLines(const std::string& log, size_t count)
{
    std::vector<std::string> lines;
    for (DWORD waited = 0; waited < kWaitMs; waited += 50) {
        lines = ReadLogLines(log);
        if (lines.size() >= count)
            break;
        Sleep(50);
    }
    return lines;
}

TEST(Logger, AppendsTheRawCommandLineExactly)
{
    CheckFolder folder;
    ASSERT_TRUE(folder.CopyIn(StandInPath(kLoggerExe), kClientExe));
    const std::string program = folder.File(kClientExe);
    const std::string first = "\"" + program + "\"  spaced   \"quoted arg\" trailing ";
    const std::string second = "\"" + program + "\"";
    EXPECT_EQ(RunToEnd(first, kWaitMs), 0);
    EXPECT_EQ(RunToEnd(second, kWaitMs), 0);
    EXPECT_EQ(LogPathOf(program), folder.File("uTorrent.log"));
    EXPECT_EQ(ReadLogLines(LogPathOf(program)), (std::vector<std::string>{first, second}));
}

TEST(Logger, RecordsTheArgumentsTheShellPasses)
{
    CheckFolder folder;
    ASSERT_TRUE(folder.CopyIn(StandInPath(kLoggerExe), kUpdaterExe));
    const char arguments[] = "\"Velorix\" \"5\" \"1.2.3\" \"update.example\" \"false\" ";
    const HINSTANCE started = ShellExecuteA(NULL, "open", folder.File(kUpdaterExe).c_str(),
                                            arguments, NULL, SW_SHOWNORMAL);
    EXPECT_GT(reinterpret_cast<INT_PTR>(started), 32);
    const std::vector<std::string> lines = WaitForLines(folder.File("Renewix.log"), 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("Renewix.exe"), std::string::npos) << lines[0];
    const std::string tail = std::string(" ") + arguments;
    ASSERT_GE(lines[0].size(), tail.size());
    EXPECT_EQ(lines[0].substr(lines[0].size() - tail.size()), tail) << lines[0];
}

class UrlHandlerCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.CopyIn(StandInPath(kLoggerExe), kBrowserExe));
        ASSERT_TRUE(RegisterUrlHandler(m_folder.File(kBrowserExe)));
    }
    void TearDown() override { EXPECT_TRUE(UnregisterUrlHandler()); }
    std::string Log() const { return m_folder.File("browser.log"); }

    CheckFolder m_folder;
};

TEST_F(UrlHandlerCheck, OpeningAddressesStartsTheHandlerWithThem)
{
    const char* const addresses[] = {"https://example.invalid/page?x=1&y=2",
                                     "http://example.invalid/help"};
    // One at a time: two handlers started together may log in either order.
    std::vector<std::string> lines;
    for (size_t i = 0; i < 2; ++i) {
        const HINSTANCE opened =
            ShellExecuteA(NULL, "open", addresses[i], NULL, NULL, SW_SHOWNORMAL);
        EXPECT_GT(reinterpret_cast<INT_PTR>(opened), 32) << addresses[i];
        lines = WaitForLines(Log(), i + 1);
    }
    ASSERT_EQ(lines.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const std::string quoted = std::string("\"") + addresses[i] + "\"";
        EXPECT_NE(lines[i].find(quoted), std::string::npos) << lines[i];
        EXPECT_NE(lines[i].find("browser.exe"), std::string::npos) << lines[i];
    }
}

TEST_F(UrlHandlerCheck, UnregisteringGivesTheSchemesBackToWine)
{
    ASSERT_TRUE(UnregisterUrlHandler());
    for (const char* scheme : {"http", "https"}) {
        RegKey key;
        ASSERT_TRUE(
            key.Open(HKEY_CLASSES_ROOT, std::string(scheme) + "\\shell\\open\\command", KEY_READ));
        std::string command;
        ASSERT_TRUE(key.GetString("", command));
        EXPECT_NE(command.find("winebrowser.exe\" \"%1\""), std::string::npos) << command;
    }
}

}  // namespace
}  // namespace standins
