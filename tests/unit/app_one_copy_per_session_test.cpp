// A later start while Velorix runs: it hands over, unless it has the
// administrator rights the running copy lacks. Wine gives every process
// the same token, so the elevation each one reports is patched in here.
#include <gtest/gtest.h>

#include "app/OneCopyPerSession.h"
#include "tests/support/ImportPatch.h"
#include "tests/unit/capture_test_folder.h"

namespace {

TEST(OneCopyPerSession, OnlyAnElevatedStartTakesThePlaceOfACopyWithoutElevation)
{
    const Elevation all[] = {Elevation::Unknown, Elevation::NotElevated, Elevation::Elevated};
    for (const Elevation own : all) {
        for (const Elevation running : all) {
            const bool takeOver = own == Elevation::Elevated && running == Elevation::NotElevated;
            EXPECT_EQ(takeOver ? LaterStart::TakeOver : LaterStart::HandOver,
                      ChooseLaterStart(own, running))
                << static_cast<int>(own) << " over " << static_cast<int>(running);
        }
    }
}

// This process is elevated, every other one is not.
using OpenProcessTokenFn = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
using GetTokenInformationFn = BOOL(WINAPI*)(HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD);
OpenProcessTokenFn g_openProcessToken = nullptr;
GetTokenInformationFn g_getTokenInformation = nullptr;
HANDLE g_hOwnToken = nullptr;

BOOL WINAPI OpenTokenRemembered(HANDLE process, DWORD access, PHANDLE token)
{
    if (!g_openProcessToken(process, access, token))
        return FALSE;
    if (process == ::GetCurrentProcess())
        g_hOwnToken = *token;
    return TRUE;
}

BOOL WINAPI ElevationOfThisProcessOnly(HANDLE token, TOKEN_INFORMATION_CLASS kind, LPVOID data,
                                       DWORD size, PDWORD written)
{
    if (kind != TokenElevation || size < sizeof(TOKEN_ELEVATION))
        return g_getTokenInformation(token, kind, data, size, written);
    static_cast<TOKEN_ELEVATION*>(data)->TokenIsElevated = token == g_hOwnToken;
    *written = sizeof(TOKEN_ELEVATION);
    return TRUE;
}

// Ended at the end of the test, whatever became of it.
struct CStartedProgram {
    ~CStartedProgram()
    {
        if (!info.hProcess)
            return;
        ::TerminateProcess(info.hProcess, 1);
        ::WaitForSingleObject(info.hProcess, 5000);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
    PROCESS_INFORMATION info{};
};

std::string ProgramFolder()
{
    char path[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

}  // namespace

TEST(OneCopyPerSession, AnElevatedStartEndsTheRunningCopyInOrderAndTakesItsPlace)
{
    const CCaptureTestFolder folder;
    ASSERT_TRUE(::CopyFileA((ProgramFolder() + "\\Velorix.exe").c_str(),
                            (folder / "Velorix.exe").c_str(), FALSE));
    std::string commandLine = "\"" + (folder / "Velorix.exe") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    CStartedProgram running;
    ASSERT_TRUE(::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 folder.Path().c_str(), &startup, &running.info));
    // The running copy's record exists once it passed its start; its window
    // follows, and the later start waits for it.
    for (int i = 0; i < 200; ++i) {
        if (HANDLE record = ::OpenFileMappingA(FILE_MAP_READ, FALSE, "Local\\Velorix.MainWindow")) {
            ::CloseHandle(record);
            break;
        }
        ::Sleep(50);
    }

    const CImportPatch openToken("advapi32.dll", "OpenProcessToken",
                                 reinterpret_cast<const void*>(&OpenTokenRemembered));
    const CImportPatch readToken("advapi32.dll", "GetTokenInformation",
                                 reinterpret_cast<const void*>(&ElevationOfThisProcessOnly));
    ASSERT_TRUE(openToken.Applied() && readToken.Applied());
    g_openProcessToken = openToken.Original<OpenProcessTokenFn>();
    g_getTokenInformation = readToken.Original<GetTokenInformationFn>();
    CSingleInstance instance;
    EXPECT_TRUE(ClaimSession(instance));

    DWORD code = 99;
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(running.info.hProcess, 0));
    ::GetExitCodeProcess(running.info.hProcess, &code);
    EXPECT_EQ(0u, code) << "ended by its tray menu's Exit";
    EXPECT_EQ(120u,
              ::GetPrivateProfileIntA("list", "srcaddr", -5, (folder / "Velorix.ini").c_str()));
    CSingleInstance later;
    EXPECT_FALSE(later.Claim("Local\\Velorix.MainWindow")) << "this start holds the record";
}
