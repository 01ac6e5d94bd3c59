// The main window's outward duties: starting the client from its registered
// folder, opening the tray menu's pages and starting the maker's updater.
#include <cstdio>

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
    ::ShellExecuteA(nullptr, "open", kUpdaterProgram, arguments, nullptr, SW_SHOWNORMAL);
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
