// The main window's accelerated-mode switch, button 1001, and the address
// its worker watches.
#include "net/AcceleratedMode.h"
#include "net/CaptureSocket.h"
#include "ui/RapidaneDlg.h"

void CRapidaneDlg::OnAccelerate()
{
    if (g_AcceleratedMode.IsOn()) {
        // The worker ends by itself once its receive returns.
        g_AcceleratedMode.SwitchOff();
        KillTimer(kAcceleratedTimer);
        m_btnAccelerate.SetWindowText("State: Stopped\nPush to activate acceleration");
        return;
    }
    g_AcceleratedMode.SwitchOn(&OpenCaptureSocket);
    m_addressFollower.SwitchedOn();
    SetTimer(kAcceleratedTimer, kTimerPeriod);
    m_btnAccelerate.SetWindowText("State: Activated\nPush to stop");
}

void CRapidaneDlg::FollowLocalAddress()
{
    m_nTicksSinceAddressRead = 0;
    m_addressFollower.Follow();
    m_bWorkerEndSeen = g_AcceleratedMode.IsOnWithoutWorker();
}

// The addresses are read again every few ticks, and at once when the worker
// has just ended (its address may have gone); a worker that cannot be
// started again is tried only at the next of those reads.
void CRapidaneDlg::FollowAddressOnTick()
{
    const bool workerEnded = g_AcceleratedMode.IsOnWithoutWorker();
    if (++m_nTicksSinceAddressRead >= kAddressPollTicks || (workerEnded && !m_bWorkerEndSeen))
        FollowLocalAddress();
    else
        m_bWorkerEndSeen = workerEnded;
}

// The system said interfaces or addresses changed: both are read now rather
// than at the next tick or address read.
LRESULT CRapidaneDlg::OnNetworkChanged(WPARAM, LPARAM)
{
    m_networkChange.Taken();
    ReadInterfaceTable();
    FollowLocalAddress();
    return 0;
}
