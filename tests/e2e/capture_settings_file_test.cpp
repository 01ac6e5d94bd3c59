// The capture module's settings file beside the program: absent while the
// program runs for the first time, complete after every way it ends.
#include <gtest/gtest.h>

#include "tests/e2e/Harness.h"

using e2e::Velorix;

namespace {

const char kDefaultFile[] =
    "[main]\r\nalwaysontop=0\r\nnsresolve=0\r\nportresolve=0\r\nidleseconds=10\r\n"
    "[filters]\r\nfiltertcp=0\r\nfilterudp=0\r\nfiltericmp=0\r\n"
    "[mainwindow]\r\nstatus=-1\r\ntop=-1\r\nbottom=-1\r\nleft=-1\r\nright=-1\r\n"
    "[list]\r\nsrcaddr=120\r\ndestaddr=120\r\nsrcport=80\r\ndestport=80\r\nproto=50\r\n"
    "traffic=100\r\nbs=80\r\nabs=80\r\n"
    "[log]\r\nuselogfile=0\r\nautodelete=0\r\nmbdelete=1\r\nlogtype=0\r\nlogfile=\r\n";

// The system tells every top-level window (a window parked in the tray is
// none) that the session ends, for reason; each must agree.
void EndSession(Velorix& app, LPARAM reason)
{
    const std::vector<HWND> windows = app.Windows();
    for (HWND window : windows)
        EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, reason));
    for (HWND window : windows)
        SendMessageA(window, WM_ENDSESSION, TRUE, reason);
}

}  // namespace

TEST(CaptureSettingsFile, IsWrittenCompleteAfterTheWindowClosesByEveryEnding)
{
    const struct {
        const char* what;
        UINT message;
        WPARAM w;
    } endings[] = {
        {"Quit Application", WM_COMMAND, IDC_QUIT},
        {"tray Exit", WM_COMMAND, ID_APP_EXIT_TRAY},
        {"Enter", WM_COMMAND, IDOK},
    };
    for (const auto& ending : endings) {
        e2e::ResetUserState();
        const std::string folder = e2e::ScratchDir("capture-ini");
        ASSERT_TRUE(e2e::CopyInto(e2e::VelorixExe(), folder));
        const std::string ini = folder + "\\Velorix.ini";
        Velorix app(folder + "\\Velorix.exe");
        ASSERT_NE(nullptr, app.Main()) << ending.what;
        EXPECT_FALSE(e2e::FileExists(ini)) << ending.what;
        app.Post(ending.message, ending.w, 0);
        ASSERT_TRUE(app.WaitExit(5000)) << ending.what;
        EXPECT_EQ(kDefaultFile, e2e::ReadFile(ini)) << ending.what;
    }
}

TEST(CaptureSettingsFile, StoredValuesAreNormalisedAndKept)
{
    e2e::ResetUserState();
    const std::string folder = e2e::ScratchDir("capture-ini-values");
    ASSERT_TRUE(e2e::CopyInto(e2e::VelorixExe(), folder));
    const std::string ini = folder + "\\Velorix.ini";
    WritePrivateProfileStringA("log", "mbdelete", "1000", ini.c_str());
    WritePrivateProfileStringA("log", "logtype", "7", ini.c_str());
    WritePrivateProfileStringA("list", "proto", "66", ini.c_str());
    WritePrivateProfileStringA("main", "idleseconds", "30", ini.c_str());
    {
        Velorix app(folder + "\\Velorix.exe");
        ASSERT_NE(nullptr, app.Main());
        app.Post(WM_COMMAND, IDC_QUIT, 0);
        ASSERT_TRUE(app.WaitExit(5000));
    }
    EXPECT_EQ(1u, GetPrivateProfileIntA("log", "mbdelete", -5, ini.c_str()));
    EXPECT_EQ(0u, GetPrivateProfileIntA("log", "logtype", -5, ini.c_str()));
    EXPECT_EQ(66u, GetPrivateProfileIntA("list", "proto", -5, ini.c_str()));
    EXPECT_EQ(30u, GetPrivateProfileIntA("main", "idleseconds", -5, ini.c_str()));
    EXPECT_EQ(120u, GetPrivateProfileIntA("list", "srcaddr", -5, ini.c_str()));
}

// After a logoff the system may end the process without its exit.
TEST(CaptureSettingsFile, IsWrittenCompleteOnceWhenTheSessionEnds)
{
    for (const bool inTray : {false, true}) {
        SCOPED_TRACE(inTray ? "hidden in the tray" : "shown");
        e2e::ResetUserState();
        const std::string folder = e2e::ScratchDir("capture-ini-session");
        ASSERT_TRUE(e2e::CopyInto(e2e::VelorixExe(), folder));
        const std::string ini = folder + "\\Velorix.ini";
        Velorix app(folder + "\\Velorix.exe");
        ASSERT_NE(nullptr, app.Main());
        if (inTray)
            app.Command(IDCANCEL);
        EndSession(app, ENDSESSION_LOGOFF);
        EXPECT_EQ(kDefaultFile, e2e::ReadFile(ini));
        // Written once: what changes the file afterwards stays.
        WritePrivateProfileStringA("main", "idleseconds", "30", ini.c_str());
        if (inTray) {
            app.Post(WM_COMMAND, ID_APP_EXIT_TRAY, 0);
            ASSERT_TRUE(app.WaitExit(5000));
        } else {
            app.Terminate();
        }
        EXPECT_EQ(30u, GetPrivateProfileIntA("main", "idleseconds", -5, ini.c_str()));
    }
}

// An installer or Windows Update asking the program to close (not a
// logoff): it writes the file and ends by itself.
TEST(CaptureSettingsFile, IsWrittenCompleteWhenTheProgramIsAskedToCloseForAnUpdate)
{
    for (const bool inTray : {false, true}) {
        SCOPED_TRACE(inTray ? "hidden in the tray" : "shown");
        e2e::ResetUserState();
        const std::string folder = e2e::ScratchDir("capture-ini-closeapp");
        ASSERT_TRUE(e2e::CopyInto(e2e::VelorixExe(), folder));
        const std::string ini = folder + "\\Velorix.ini";
        Velorix app(folder + "\\Velorix.exe");
        ASSERT_NE(nullptr, app.Main());
        if (inTray)
            app.Command(IDCANCEL);
        EndSession(app, ENDSESSION_CLOSEAPP);
        DWORD code = 99;
        ASSERT_TRUE(app.WaitExit(5000, &code));
        EXPECT_EQ(0u, code);
        EXPECT_EQ(kDefaultFile, e2e::ReadFile(ini));
    }
}

TEST(CaptureSettingsFile, ALogFileNameLongerThanItsFieldIsKeptAsItStands)
{
    e2e::ResetUserState();
    const std::string folder = e2e::ScratchDir("capture-ini-logfile");
    ASSERT_TRUE(e2e::CopyInto(e2e::VelorixExe(), folder));
    const std::string ini = folder + "\\Velorix.ini";
    const std::string longName = "C:\\logs\\" + std::string(300, 'x') + ".log";
    WritePrivateProfileStringA("log", "logfile", longName.c_str(), ini.c_str());
    {
        Velorix app(folder + "\\Velorix.exe");
        ASSERT_NE(nullptr, app.Main());
        app.Post(WM_COMMAND, IDC_QUIT, 0);
        ASSERT_TRUE(app.WaitExit(5000));
    }
    char stored[400] = "";
    GetPrivateProfileStringA("log", "logfile", "", stored, sizeof stored, ini.c_str());
    EXPECT_EQ(longName, stored);
    EXPECT_EQ(120u, GetPrivateProfileIntA("list", "srcaddr", -5, ini.c_str()));
}

TEST(CaptureSettingsFile, AServicesFileOfLongLinesAndBinaryDataIsReadSilently)
{
    e2e::ResetUserState();
    const std::string folder = e2e::ScratchDir("capture-services");
    ASSERT_TRUE(e2e::CopyInto(e2e::VelorixExe(), folder));
    {
        FILE* file = fopen((folder + "\\services").c_str(), "wb");
        ASSERT_NE(nullptr, file);
        for (int i = 0; i < 100 * 1024; ++i)
            fputc('a' + i % 26, file);
        for (int i = 0; i < 4096; ++i)
            fputc(i % 256, file);
        fclose(file);
    }
    Velorix app(folder + "\\Velorix.exe");
    ASSERT_NE(nullptr, app.Main());
    EXPECT_EQ(nullptr, app.WaitForWindow(nullptr, nullptr, 300));
    app.Post(WM_COMMAND, IDC_QUIT, 0);
    DWORD code = 99;
    ASSERT_TRUE(app.WaitExit(5000, &code));
    EXPECT_EQ(2u, code);
}
