// The main window's outward duties: starting the client from its registered
// folder, opening the tray menu's pages and starting the maker's updater.
#include <cstdio>
#include <cstring>

#include "capture/ProgramFile.h"
#include "res/Version.h"
#include "settings/RegKey.h"
#include "ui/Addresses.h"
#include "ui/ErrorMessageDlg.h"
#include "ui/RapidaneDlg.h"

namespace {

const char kClientKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\uTorrent";
const char kInstallLocation[] = "InstallLocation";
constexpr DWORD kLocationSize = 256;
constexpr size_t kClientPathSize = 272;

const char kUpdaterProgram[] = "Renewix.exe";
const char kProductName[] = "Velorix";
const char kUpdaterChannel[] = "5";     // a constant the updater expects
const char kUpdaterSilent[] = "false";  // a constant the updater expects

void OpenPage(const char* address)
{
    ::ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

// The updater beside the program file, never one found by a search: a bare
// name is looked for in the current folder first, where anybody may have
// put a file of that name. Empty when the program has no path.
CString UpdaterPath()
{
    const CString program = GetProgramFilePath();
    const char* name = std::strrchr(program, '\\');
    if (!name)
        return CString();
    CString updater = program.Left(static_cast<int>(name + 1 - program.c_str()));
    updater += kUpdaterProgram;
    return updater;
}

}  // namespace

void CRapidaneDlg::LaunchClient()
{
    CErrorMessageDlg error;
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, kClientKey, KEY_READ)) {
        error.DoModal();
        return;
    }
    // The value may be of any type; the byte after the 256 read keeps even
    // unterminated data a string.
    char location[kLocationSize + 1] = {};
    DWORD size = kLocationSize;
    if (::RegQueryValueExA(key, kInstallLocation, nullptr, nullptr,
                           reinterpret_cast<BYTE*>(location), &size) != ERROR_SUCCESS)
        return;
    char client[kClientPathSize];
    std::snprintf(client, sizeof client, "%s\\uTorrent.exe", location);
    HINSTANCE result = ::ShellExecuteA(nullptr, nullptr, client, nullptr, nullptr, SW_SHOW);
    if (reinterpret_cast<UINT_PTR>(result) <= 32)
        error.DoModal();
}

void CRapidaneDlg::StartUpdater()
{
    // Five quoted arguments, each followed by one blank.
    CString arguments;
    arguments.Format("\"%s\" \"%s\" \"%s\" \"%s\" \"%s\" ", kProductName, kUpdaterChannel,
                     VELORIX_VERSION, kUpdateServerHost, kUpdaterSilent);
    // A missing updater is no error: nothing is started and nothing said.
    const CString updater = UpdaterPath();
    const DWORD attributes = ::GetFileAttributesA(updater);
    if (updater.IsEmpty() || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    ::ShellExecuteA(nullptr, "open", updater, arguments, nullptr, SW_SHOWNORMAL);
}

void CRapidaneDlg::OnLinkSecurity()
{
    OpenPage(kP2PSecurityPage);
}
void CRapidaneDlg::OnLinkFileSharing()
{
    OpenPage(kFileSharingPage);
}
void CRapidaneDlg::OnLinkAnonymous()
{
    OpenPage(kAnonymousDownloadPage);
}
void CRapidaneDlg::OnLinkMusicOffer()
{
    OpenPage(kMusicStorePage);
}
void CRapidaneDlg::OnLinkMedia()
{
    OpenPage(kMediaArchivePage);
}

void CRapidaneDlg::OnLinkHelp()
{
    CString page;
    page.Format("%s%s", kMakerSite, kHelpPath);
    OpenPage(page);
}
