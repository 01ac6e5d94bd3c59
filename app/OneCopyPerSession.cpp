#include "app/OneCopyPerSession.h"

#include "res/resource.h"
#include "ui/RapidaneDlg.h"

namespace {

// Named in the user's session, so each signed-in user has a Velorix of
// their own, whichever of the two builds it is.
const char kInstanceName[] = "Local\\Velorix.MainWindow";
// How long a later start waits for a first copy that is still starting.
constexpr DWORD kFirstCopyWait = 5000;  // ms
// How long the running copy may take to end, as the setup allows it.
constexpr DWORD kRunningCopyEndWait = 5000;  // ms

// Started by the user, this start may let the running copy take the
// foreground.
void BringBack(HWND running)
{
    DWORD process = 0;
    ::GetWindowThreadProcessId(running, &process);
    ::AllowSetForegroundWindow(process);
    ::PostMessageA(running, CRapidaneDlg::bringBackMessage, 0, 0);
}

// The tray menu's Exit, which writes what the exit writes. UIPI lets a
// process post to one of lower integrity, so the elevated start reaches it.
bool EndRunningCopy(HWND running)
{
    DWORD processId = 0;
    if (!::GetWindowThreadProcessId(running, &processId) || !processId)
        return false;
    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process)
        return false;
    const bool ended = ::PostMessageA(running, WM_COMMAND, ID_APP_EXIT_TRAY, 0) &&
                       ::WaitForSingleObject(process, kRunningCopyEndWait) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}

}  // namespace

LaterStart ChooseLaterStart(Elevation own, Elevation running)
{
    return own == Elevation::Elevated && running == Elevation::NotElevated ? LaterStart::TakeOver
                                                                           : LaterStart::HandOver;
}

bool ClaimSession(CSingleInstance& instance)
{
    if (instance.Claim(kInstanceName))
        return true;
    HWND running = instance.FindFirst(kFirstCopyWait);
    if (!running)
        return false;
    if (ChooseLaterStart(OwnElevation(), ElevationOfWindowProcess(running)) ==
            LaterStart::TakeOver &&
        EndRunningCopy(running)) {
        if (instance.Claim(kInstanceName))
            return true;
        // Another start came first while the old copy ended.
        running = instance.FindFirst(kFirstCopyWait);
        if (!running)
            return false;
    }
    BringBack(running);
    return false;
}
