// The main window's accelerated-mode switch, button 1001.
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
    SetTimer(kAcceleratedTimer, kTimerPeriod);
    m_btnAccelerate.SetWindowText("State: Activated\nPush to stop");
}
