// The main window and the display's scale. Under per-monitor awareness the
// window is told when its DPI changes (another monitor, or a new scale of
// its own); the dialog manager re-lays the controls and the template font
// out itself, so the window's own part is its place and the tray icon.
#include "framework/Dpi.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "ui/RapidaneDlg.h"

bool CRapidaneDlg::LoadSmallIcon(int dpi, CIcon& icon)
{
    return icon.Load(AfxGetInstanceHandle(), IDR_MAINFRAME, SystemMetricForDpi(SM_CXSMICON, dpi),
                     SystemMetricForDpi(SM_CYSMICON, dpi));
}

LRESULT CRapidaneDlg::OnDpiChanged(WPARAM dpi, LPARAM suggested)
{
    Default();
    MoveToSuggestedRect(m_hWnd, suggested);
    // The shell has its copy of the new icon before the old one goes.
    CIcon icon;
    if (LoadSmallIcon(DpiOfChange(dpi), icon)) {
        m_trayIcon.SetIcon(icon);
        m_smallIcon.Swap(icon);
    }
    return 0;
}
