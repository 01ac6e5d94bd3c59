// Sleep and resume: adapters and addresses are looked at again at once and
// some seconds later, when adapters that come back late are there.
#include "ui/RapidaneDlg.h"

// PBT_APMRESUMEAUTOMATIC comes with every resume, PBT_APMRESUMESUSPEND
// only after user input: either starts the same looks, which are cheap.
LRESULT CRapidaneDlg::OnPowerBroadcast(WPARAM event, LPARAM)
{
    if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) {
        LookAgainAfterResume();
        SetTimer(kResumeTimer, kResumeLookAgainMs);
    }
    return TRUE;
}

void CRapidaneDlg::LookAgainAfterResume()
{
    KillTimer(kResumeTimer);
    ReadInterfaceTable(true);
    FollowLocalAddress();
    // A shell that restarted while the machine slept knows no icon.
    m_trayIcon.AddAgainIfLost();
}
