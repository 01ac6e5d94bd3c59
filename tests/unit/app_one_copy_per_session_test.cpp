// A later start while Velorix runs hands over, unless it has the
// administrator rights the running copy lacks. Wine gives every process the
// same token, so the elevation each one reports is patched in here.
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
            EXPECT_EQ(takeOver, ChooseLaterStart(own, running) == LaterStart::TakeOver);
        }
    }
}

// This process is elevated, every other one is not.
using OpenProcessTokenFn = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
OpenProcessTokenFn g_openProcessToken = nullptr;
HANDLE g_hOwnToken = nullptr;

BOOL WINAPI OpenTokenRemembered(HANDLE process, DWORD access, PHANDLE token)
{
    const BOOL opened = g_openProcessToken(process, access, token);
    if (opened && process == ::GetCurrentProcess())
        g_hOwnToken = *token;
    return opened;
}

BOOL WINAPI ElevatedIfOwn(HANDLE token, TOKEN_INFORMATION_CLASS, LPVOID data, DWORD, PDWORD size)
{
    static_cast<TOKEN_ELEVATION*>(data)->TokenIsElevated = token == g_hOwnToken;
    *size = sizeof(TOKEN_ELEVATION);
    return TRUE;
}

}  // namespace

TEST(OneCopyPerSession, AnElevatedStartEndsTheRunningCopyInOrderAndTakesItsPlace)
{
    const char kRecord[] = "Local\\Velorix.MainWindow";
    const CCaptureTestFolder folder;
    char program[MAX_PATH] = "";
    std::string built(program, ::GetModuleFileNameA(nullptr, program, sizeof program));
    built = built.substr(0, built.find_last_of('\\')) + "\\Velorix.exe";
    ASSERT_TRUE(::CopyFileA(built.c_str(), (folder / "Velorix.exe").c_str(), FALSE));
    std::string commandLine = "\"" + (folder / "Velorix.exe") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION running{};
    ASSERT_TRUE(::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                 folder.Path().c_str(), &startup, &running));
    // Once the running copy's record exists, the later start waits for its window.
    for (int i = 0; i < 200; ++i) {
        const HANDLE record = ::OpenFileMappingA(FILE_MAP_READ, FALSE, kRecord);
        if (record && ::CloseHandle(record))
            break;
        ::Sleep(50);
    }
    {
        const CImportPatch openToken("advapi32.dll", "OpenProcessToken",
                                     reinterpret_cast<const void*>(&OpenTokenRemembered));
        const CImportPatch readToken("advapi32.dll", "GetTokenInformation",
                                     reinterpret_cast<const void*>(&ElevatedIfOwn));
        g_openProcessToken = openToken.Original<OpenProcessTokenFn>();
        CSingleInstance instance;
        EXPECT_TRUE(openToken.Applied() && readToken.Applied() && ClaimSession(instance));
        CSingleInstance later;
        EXPECT_FALSE(later.Claim(kRecord)) << "this start holds the record";
    }
    DWORD code = 99;
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(running.hProcess, 0));
    EXPECT_TRUE(::GetExitCodeProcess(running.hProcess, &code) && code == 0) << "its Exit";
    EXPECT_EQ(120u,
              ::GetPrivateProfileIntA("list", "srcaddr", -5, (folder / "Velorix.ini").c_str()));
    ::TerminateProcess(running.hProcess, 1);
    ::WaitForSingleObject(running.hProcess, 5000);
    ::CloseHandle(running.hThread);
    ::CloseHandle(running.hProcess);
}
