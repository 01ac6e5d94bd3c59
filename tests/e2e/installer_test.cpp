// The life of an install made by the setup program of the architecture built:
// install, a start through the shortcut, an upgrade over a running Velorix,
// uninstall, and folders that cannot take the install. Skipped when the build
// made no setup program. VELORIX_SETUP names another build's setup program
// (a signed one, say); what it should install is then taken from its folder.
#include "res/Version.h"
#include "tests/e2e/Harness.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>

using e2e::Velorix;

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velorix";
const char kUninstaller[] = "Uninstall Velorix.exe";

std::string SetupExe()
{
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("VELORIX_SETUP", path, sizeof path);
    if (length > 0 && length < sizeof path)
        return path;
    return e2e::BinDir() + "\\" VELORIX_SETUP_NAME;
}

// A file the setup's build made beside it.
std::string BuiltFile(const std::string& name)
{
    const std::string setup = SetupExe();
    return setup.substr(0, setup.find_last_of('\\')) + "\\" + name;
}

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = "";
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)) ? path : "<none>";
}

std::string StartMenuLink()
{
    return ShellFolder(CSIDL_PROGRAMS) + "\\Velorix.lnk";
}

// Runs a program to its end; its exit code, or -1 when it did not start or end.
long RunToEnd(const std::string& exe, const std::string& args)
{
    std::string command = "\"" + exe + "\" " + args;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

// The uninstaller normally copies itself away and returns at once; a copy
// run with _?= works on the folder in place and returns when done.
long Uninstall(const std::string& folder)
{
    // Kept for runs after the folder's own copy is gone.
    static const std::string copy = e2e::ScratchDir("installer-uninstaller") + "\\" + kUninstaller;
    const std::string own = folder + "\\" + kUninstaller;
    if (e2e::FileExists(own) && !CopyFileA(own.c_str(), copy.c_str(), FALSE))
        return -1;
    return RunToEnd(copy, "/S _?=" + folder);
}

// A shortcut's target, arguments and working folder, read through the
// shell's link object, as "target|arguments|folder".
std::string ReadLink(const std::string& path)
{
    std::string link = "<unreadable>";
    IShellLinkA* shellLink = nullptr;
    IPersistFile* file = nullptr;
    wchar_t widePath[MAX_PATH];
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink))) &&
        SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH) &&
        SUCCEEDED(file->Load(widePath, STGM_READ))) {
        char target[MAX_PATH] = "", arguments[MAX_PATH] = "", folder[MAX_PATH] = "";
        shellLink->GetPath(target, sizeof target, nullptr, SLGP_RAWPATH);
        shellLink->GetArguments(arguments, sizeof arguments);
        shellLink->GetWorkingDirectory(folder, sizeof folder);
        link = std::string(target) + "|" + arguments + "|" + folder;
    }
    if (file)
        file->Release();
    if (shellLink)
        shellLink->Release();
    return link;
}

std::string RunValue()
{
    return e2e::GetString(HKEY_CURRENT_USER, e2e::kRunKey, "Velorix").value_or("<none>");
}

std::vector<std::pair<std::string, std::optional<DWORD>>> StoredSettings()
{
    std::vector<std::pair<std::string, std::optional<DWORD>>> values;
    for (const std::string& name : e2e::ValueNames(HKEY_CURRENT_USER, e2e::kSettingsKey))
        values.emplace_back(name, e2e::GetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, name));
    return values;
}

class Installer : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CoInitialize(nullptr);
        // Shortcuts saved in a Wine prefix otherwise become Linux desktop
        // entries; the environment's override does not reach the setup's
        // children, the registry's does.
        e2e::SetString(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", "winemenubuilder.exe",
                       "");
    }

    void SetUp() override
    {
        if (!e2e::FileExists(SetupExe()))
            GTEST_SKIP() << "no setup program (makensis missing when built)";
        Clean();
    }

    void TearDown() override
    {
        for (const std::string& folder : m_folders)
            Uninstall(folder);
        Clean();
    }

    static void Clean()
    {
        e2e::ResetUserState();
        e2e::DeleteKey(HKEY_CURRENT_USER, kUninstallKey);
        DeleteFileA(StartMenuLink().c_str());
    }

    // Installs silently into a new folder of the scratch tree; its path.
    std::string Install(const std::string& name, const std::string& options = "")
    {
        const std::string folder = e2e::ScratchDir("installer-" + name) + "\\Velorix";
        m_folders.push_back(folder);
        EXPECT_EQ(0, RunToEnd(SetupExe(), "/S " + options + " /D=" + folder));
        return folder;
    }

    std::vector<std::string> m_folders;
};

}  // namespace

TEST_F(Installer, SilentInstallPlacesTheProgramBothShortcutsAndTheRegistration)
{
    const std::string folder = ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Velorix";
    m_folders.push_back(folder);
    ASSERT_EQ(0, RunToEnd(SetupExe(), "/S"));

    const std::string exe = folder + "\\Velorix.exe";
    EXPECT_EQ(e2e::ReadFile(BuiltFile("Velorix.exe")), e2e::ReadFile(exe));
    EXPECT_EQ(e2e::ReadFile(BuiltFile(kUninstaller)), e2e::ReadFile(folder + "\\" + kUninstaller));
    EXPECT_EQ(exe + "||" + folder, ReadLink(folder + "\\Velorix.lnk"));
    EXPECT_EQ(exe + "||" + folder, ReadLink(StartMenuLink()));

    const std::string uninstaller = "\"" + folder + "\\" + kUninstaller + "\"";
    const std::pair<const char*, std::string> texts[] = {
        {"DisplayName", "Velorix"},
        {"DisplayVersion", VELORIX_VERSION},
        {"Publisher", "Velorix"},
        {"DisplayIcon", exe + ",0"},
        {"InstallLocation", folder},
        {"UninstallString", uninstaller},
        {"QuietUninstallString", uninstaller + " /S"}};
    for (const auto& [name, value] : texts)
        EXPECT_EQ(value, e2e::GetString(HKEY_CURRENT_USER, kUninstallKey, name).value_or("<none>"))
            << name;
    EXPECT_EQ(1u, e2e::GetDword(HKEY_CURRENT_USER, kUninstallKey, "NoModify"));
    EXPECT_EQ(1u, e2e::GetDword(HKEY_CURRENT_USER, kUninstallKey, "NoRepair"));
    EXPECT_GE(e2e::GetDword(HKEY_CURRENT_USER, kUninstallKey, "EstimatedSize").value_or(0),
              e2e::ReadFile(exe).size() / 1024);
    EXPECT_EQ("<none>", RunValue());  // not chosen
}

TEST_F(Installer, TheSetupProgramNamesTheProductAndItsVersion)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(SetupExe().c_str(), &ignored);
    std::vector<char> block(size);
    ASSERT_TRUE(size && GetFileVersionInfoA(SetupExe().c_str(), 0, size, block.data()));
    UINT length = 0;
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length) &&
                length >= 4);
    for (const auto& [name, value] :
         {std::pair{"ProductName", "Velorix"}, {"ProductVersion", VELORIX_VERSION}}) {
        char path[64];
        snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translation[0],
                 translation[1], name);
        char* text = nullptr;
        EXPECT_TRUE(VerQueryValueA(block.data(), path, reinterpret_cast<void**>(&text), &length) &&
                    std::string(text) == value)
            << name;
    }
}

TEST_F(Installer, AStartThroughTheShortcutWritesTheSameLogonEntryAsTheSetup)
{
    const std::string folder = Install("start", "/LOGON");
    const std::string entry = "\"" + folder + "\\Velorix.lnk\" -tray";
    EXPECT_EQ(entry, RunValue());
    e2e::DeleteValue(HKEY_CURRENT_USER, e2e::kRunKey, "Velorix");

    // The shell starts a shortcut's target itself; under Wine it hands back
    // no process, so the program is found by its window.
    const std::string link = folder + "\\Velorix.lnk";
    ASSERT_GT(reinterpret_cast<INT_PTR>(
                  ShellExecuteA(nullptr, "open", link.c_str(), nullptr, nullptr, SW_SHOWNORMAL)),
              32);
    HWND main = nullptr;
    for (int i = 0; i < 500 && !main; ++i) {
        HWND found = FindWindowA("#32770", "Velorix");
        if (found && GetDlgItem(found, IDC_ACCELERATE) && IsWindowVisible(found))
            main = found;
        e2e::Pump(20);
    }
    ASSERT_NE(nullptr, main);
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    ASSERT_NE(nullptr, process);

    SendMessageA(main, WM_COMMAND, ID_RUN_AT_STARTUP, 0);
    EXPECT_EQ(entry, RunValue());
    EXPECT_TRUE(e2e::FileExists(link));
    PostMessageA(main, WM_COMMAND, ID_APP_EXIT_TRAY, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, 10000));
    CloseHandle(process);
}

TEST_F(Installer, UpgradeEndsTheRunningProgramInOrderAndKeepsItsSettings)
{
    const std::string folder = Install("upgrade");
    const std::string exe = folder + "\\Velorix.exe";
    const std::string ini = folder + "\\Velorix.ini";
    // The installed program made to look older: data appended to its file.
    FILE* file = fopen(exe.c_str(), "ab");
    ASSERT_TRUE(file && fputs("older", file) >= 0 && fclose(file) == 0);
    WritePrivateProfileStringA("main", "idleseconds", "30", ini.c_str());
    e2e::SetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "AutoResumeDownloads", 1);

    Velorix app(exe);
    const HWND main = app.Main();
    ASSERT_NE(nullptr, main);
    app.Command(IDCANCEL);  // into the tray, storing its settings
    // Parked under its hidden popup, out of reach of a top-level search.
    char parking[32] = "";
    GetClassNameA(GetAncestor(main, GA_PARENT), parking, sizeof parking);
    ASSERT_FALSE(IsWindowVisible(main));
    ASSERT_STREQ("FrameworkWindow", parking);
    const auto settings = StoredSettings();

    ASSERT_EQ(0, RunToEnd(SetupExe(), "/S /D=" + folder));
    DWORD code = 99;
    EXPECT_TRUE(app.WaitExit(0, &code));
    EXPECT_EQ(0u, code);
    // The file is complete only when the program ended through Exit.
    EXPECT_EQ(30u, GetPrivateProfileIntA("main", "idleseconds", -5, ini.c_str()));
    EXPECT_EQ(-1, static_cast<int>(GetPrivateProfileIntA("mainwindow", "status", -5, ini.c_str())));
    EXPECT_EQ(settings, StoredSettings());
    EXPECT_EQ(e2e::ReadFile(BuiltFile("Velorix.exe")), e2e::ReadFile(exe));
}

// Exit closes the box and ends the program in order, shown or hidden in the
// tray.
TEST_F(Installer, AnUpgradeWithTheAboutBoxOpenEndsVelorixAndCompletes)
{
    for (const bool inTray : {false, true}) {
        SCOPED_TRACE(inTray ? "hidden in the tray" : "shown");
        const std::string folder = Install(inTray ? "about-tray" : "about");
        const std::string exe = folder + "\\Velorix.exe";
        FILE* file = fopen(exe.c_str(), "ab");
        ASSERT_TRUE(file && fputs("older", file) >= 0 && fclose(file) == 0);
        e2e::SetString(HKEY_CURRENT_USER, kUninstallKey, "DisplayVersion", "older");
        Velorix app(exe);
        ASSERT_NE(nullptr, app.Main());
        if (inTray)
            app.Command(IDCANCEL);
        app.Post(WM_COMMAND, ID_APP_ABOUT_TRAY, 0);
        ASSERT_NE(nullptr, app.WaitForWindow("#32770", "Velorix"));

        EXPECT_EQ(0, RunToEnd(SetupExe(), "/S /D=" + folder));
        DWORD code = 99;
        EXPECT_TRUE(app.WaitExit(0, &code));
        EXPECT_EQ(0u, code);
        EXPECT_EQ(e2e::ReadFile(BuiltFile("Velorix.exe")), e2e::ReadFile(exe));
        EXPECT_EQ(
            VELORIX_VERSION,
            e2e::GetString(HKEY_CURRENT_USER, kUninstallKey, "DisplayVersion").value_or("<none>"));
    }
}

TEST_F(Installer, UninstallRemovesWhatItMadeAndLeavesTheRest)
{
    const std::string folder = Install("uninstall", "/LOGON");
    const std::string other = folder + "\\notes.txt";
    ASSERT_TRUE(WritePrivateProfileStringA("notes", "kept", "1", other.c_str()));
    e2e::SetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "AutoResumeDownloads", 1);
    Velorix app(folder + "\\Velorix.exe");
    ASSERT_NE(nullptr, app.Main());

    ASSERT_EQ(0, Uninstall(folder));
    DWORD code = 99;
    EXPECT_TRUE(app.WaitExit(0, &code));
    EXPECT_EQ(0u, code);
    for (const char* name : {"Velorix.exe", "Velorix.lnk", "Velorix.ini", kUninstaller})
        EXPECT_FALSE(e2e::FileExists(folder + "\\" + name)) << name;
    EXPECT_FALSE(e2e::FileExists(StartMenuLink()));
    EXPECT_FALSE(e2e::KeyExists(HKEY_CURRENT_USER, kUninstallKey));
    EXPECT_EQ("<none>", RunValue());
    EXPECT_EQ(1u, e2e::GetDword(HKEY_CURRENT_USER, e2e::kSettingsKey, "AutoResumeDownloads"));
    EXPECT_TRUE(e2e::FileExists(other));

    // Again, with a logon entry of another folder; then after the folder
    // was deleted by hand.
    const std::string elsewhere = "\"C:\\Elsewhere\\Velorix.lnk\" -tray";
    e2e::SetString(HKEY_CURRENT_USER, e2e::kRunKey, "Velorix", elsewhere);
    EXPECT_EQ(0, Uninstall(folder));
    EXPECT_EQ(elsewhere, RunValue());
    EXPECT_TRUE(e2e::FileExists(other));
    DeleteFileA(other.c_str());
    RemoveDirectoryA(folder.c_str());
    EXPECT_EQ(0, Uninstall(folder));
}

TEST_F(Installer, AFolderThatCannotBeMadeOrIsNoFullPathFailsAndRegistersNothing)
{
    // A file where the folder's parent should be.
    const std::string scratch = e2e::ScratchDir("installer-blocked");
    const std::string blocker = scratch + "\\blocker";
    ASSERT_TRUE(e2e::CopyInto(e2e::VelorixExe(), scratch, "blocker"));
    EXPECT_NE(0, RunToEnd(SetupExe(), "/S /LOGON /D=" + blocker + "\\Velorix"));
    for (const char* folder :
         {"Apps\\Velorix", "C:Velorix", "\\Velorix", "C:\\", "C:", "\\\\server\\share"})
        EXPECT_EQ(2, RunToEnd(SetupExe(), std::string("/S /LOGON /D=") + folder)) << folder;
    EXPECT_FALSE(e2e::FileExists(ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Velorix"));
    EXPECT_FALSE(e2e::KeyExists(HKEY_CURRENT_USER, kUninstallKey));
    EXPECT_FALSE(e2e::FileExists(StartMenuLink()));
    EXPECT_EQ("<none>", RunValue());
}

TEST_F(Installer, AFolderNameWithACharacterNoFileNameMayHoldIsRefusedAndNothingIsMade)
{
    const std::string scratch = e2e::ScratchDir("installer-forbidden");
    for (const char* name : {"bad|name", "bad<name", "bad:name"})
        EXPECT_EQ(2, RunToEnd(SetupExe(), "/S /LOGON /D=" + scratch + "\\" + name)) << name;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((scratch + "\\*").c_str(), &entry);
    int entries = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do
            entries += entry.cFileName[0] != '.';
        while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    EXPECT_EQ(0, entries);
    EXPECT_FALSE(e2e::KeyExists(HKEY_CURRENT_USER, kUninstallKey));
    EXPECT_FALSE(e2e::FileExists(StartMenuLink()));
    EXPECT_EQ("<none>", RunValue());
}

TEST_F(Installer, AnotherProgramsUninstallerInASharedFolderIsNeitherReplacedNorRemoved)
{
    const std::string folder = e2e::ScratchDir("installer-shared") + "\\Tools";
    const std::string theirs = folder + "\\Uninstall.exe";
    CreateDirectoryA(folder.c_str(), nullptr);
    FILE* file = fopen(theirs.c_str(), "wb");
    ASSERT_TRUE(file && fputs("another program's uninstaller", file) >= 0 && fclose(file) == 0);
    m_folders.push_back(folder);

    ASSERT_EQ(0, RunToEnd(SetupExe(), "/S /D=" + folder));
    EXPECT_EQ("another program's uninstaller", e2e::ReadFile(theirs));
    ASSERT_EQ(0, Uninstall(folder));
    EXPECT_FALSE(e2e::FileExists(folder + "\\Velorix.exe"));
    EXPECT_EQ("another program's uninstaller", e2e::ReadFile(theirs));
}

TEST_F(Installer, AnUpgradeInPlaceReplacesAnOlderReleasesUninstallExe)
{
    const std::string folder = Install("renamed");
    const std::string old = folder + "\\Uninstall.exe";
    ASSERT_TRUE(MoveFileA((folder + "\\" + kUninstaller).c_str(), old.c_str()));
    e2e::SetString(HKEY_CURRENT_USER, kUninstallKey, "UninstallString", "\"" + old + "\"");

    ASSERT_EQ(0, RunToEnd(SetupExe(), "/S /D=" + folder));
    EXPECT_FALSE(e2e::FileExists(old));
    EXPECT_TRUE(e2e::FileExists(folder + "\\" + kUninstaller));
    EXPECT_EQ("\"" + folder + "\\" + kUninstaller + "\"",
              e2e::GetString(HKEY_CURRENT_USER, kUninstallKey, "UninstallString").value_or(""));
}

TEST_F(Installer, TheFolderPageSaysWhyItRefusesAFolder)
{
    Velorix setup(SetupExe());
    const HWND outer = setup.WaitForWindow("#32770", nullptr, 20000);
    ASSERT_NE(nullptr, outer);
    const HWND page = FindWindowExA(outer, nullptr, "#32770", nullptr);
    ASSERT_NE(nullptr, page);
    const auto shows = [page](const char* words) {
        for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (IsWindowVisible(child) && Velorix::TextOf(child).find(words) != std::string::npos)
                return true;
        return false;
    };
    // A Runic letter is in no ANSI code page; "|" in no file name.
    const std::pair<const wchar_t*, const char*> folders[] = {
        {L"C:\\Apps\\\x16A0", "code page"},
        {L"C:\\Apps\\bad|name", "cannot hold"},
        {L"C:\\Apps\\Velorix", nullptr}};
    for (const auto& [folder, reason] : folders) {
        SendMessageW(GetDlgItem(page, 1019), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder));
        const HWND next = GetDlgItem(outer, IDOK);
        for (int i = 0; i < 100 && (IsWindowEnabled(next) != 0) != !reason; ++i)
            e2e::Pump(20);
        EXPECT_EQ(!reason, IsWindowEnabled(next) != 0) << reason;
        EXPECT_EQ(reason != nullptr, shows(reason ? reason : "code page")) << reason;
    }
    EXPECT_FALSE(shows("cannot hold"));
}

TEST_F(Installer, AnOlderReleasesUninstallExeGoesWhenTheFolderIsInstalledAgainAfterAnother)
{
    // A, then B, then A again: the registration names B by then. A release
    // up to 4.6.0 left its uninstaller as "Uninstall.exe"; another product's
    // file of that name (a system program with a version resource of its
    // own) shares folder C.
    const std::string first = Install("aba-first");
    const std::string older = first + "\\Uninstall.exe";
    ASSERT_TRUE(MoveFileA((first + "\\" + kUninstaller).c_str(), older.c_str()));
    char system[MAX_PATH];
    ASSERT_TRUE(GetSystemDirectoryA(system, sizeof system));
    const std::string shared = e2e::ScratchDir("installer-aba-shared") + "\\Tools";
    ASSERT_TRUE(CreateDirectoryA(shared.c_str(), nullptr));
    ASSERT_TRUE(e2e::CopyInto(std::string(system) + "\\msiexec.exe", shared, "Uninstall.exe"));
    const std::string theirs = e2e::ReadFile(shared + "\\Uninstall.exe");
    m_folders.push_back(shared);
    ASSERT_EQ(0, RunToEnd(SetupExe(), "/S /D=" + shared));
    Install("aba-second");

    for (const std::string& folder : {first, shared})
        ASSERT_EQ(0, RunToEnd(SetupExe(), "/S /D=" + folder)) << folder;
    EXPECT_FALSE(e2e::FileExists(older));
    EXPECT_TRUE(e2e::FileExists(first + "\\" + kUninstaller));
    EXPECT_TRUE(theirs == e2e::ReadFile(shared + "\\Uninstall.exe")) << "another product's file";
}
