// The main window's network panel: the interface list, the refresh of every
// tick of timer 1, the two clocks and the choice of interface.
#include "framework/Exception.h"
#include "framework/WinApp.h"
#include "net/ConnectionText.h"
#include "net/ElapsedTime.h"
#include "net/InterfaceEntry.h"
#include "net/InterfaceTotals.h"
#include "net/IpHelper.h"
#include "settings/SettingsStore.h"
#include "ui/RapidaneDlg.h"

#include <wininet.h>

void CRapidaneDlg::FillInterfaceList()
{
    if (!LoadIpHelperEntryPoints()) {
        AfxMessageBox("Error loading Iphlpapi.dll", MB_OK);
        EndDialog(1);
    } else if (m_ifTable.Load(pfnGetIfTable)) {
        const DWORD rows = m_ifTable.RowCount();
        for (DWORD i = 0; i < rows && m_nEntries < kMaxInterfaceEntries; ++i) {
            const MIB_IFROW& row = *m_ifTable.Row(static_cast<int>(i));
            FormatInterfaceEntry(m_strIfEntry, row);
            if (IsListedEntry(m_strIfEntry) && m_cmbNetwork.AddString(m_strIfEntry) >= 0)
                m_dwIfIndexOfEntry[m_nEntries++] = row.dwIndex;
        }
    }
    m_cmbNetwork.SetCurSel(m_nNetwork);
}

// The chosen interface's totals from the table as last read; empty texts
// when the choice names no entry or its interface is gone. Rows move when
// adapters come and go, so the row is found by the interface's index.
void CRapidaneDlg::ShowInterfaceCounters()
{
    DWORD ifIndex = 0;
    const MIB_IFROW* row = IfIndexOfEntry(m_dwIfIndexOfEntry, m_nEntries, m_nNetwork, &ifIndex)
                               ? m_ifTable.RowOfInterface(ifIndex)
                               : nullptr;
    if (!row) {
        m_strBytesSent.Empty();
        m_strBytesReceived.Empty();
        return;
    }
    const InterfaceTotals totals = QueryInterfaceTotals(*row, pfnGetIfEntry2);
    FormatByteCount(m_strBytesSent, totals.sent);
    FormatByteCount(m_strBytesReceived, totals.received);
}

int CRapidaneDlg::RefreshConnectionStatus()
{
    UpdateData(TRUE);
    TickConnectedTime();
    m_ifTable.Refresh(pfnGetIfTable);
    ShowInterfaceCounters();
    try {
        DWORD flags = 0;
        if (::InternetGetConnectedState(&flags, 0)) {
            m_strConnectionStatus = kConnectedText;
            FormatConnectionType(m_strConnectionType, flags);
        } else {
            m_strConnectionStatus = kNotConnectedText;
        }
        UpdateData(FALSE);
    } catch (const CException&) {
        // The panel keeps its texts until the next tick.
        TraceCaughtException("the panel refresh");
    }
    return 0;
}

void CRapidaneDlg::TickConnectedTime()
{
    StepElapsedTime(m_nConnHours, m_nConnMins, m_nConnSecs);
    FormatElapsedTime(m_strConnectedTime, m_nConnHours, m_nConnMins, m_nConnSecs);
    UpdateData(FALSE);
}

void CRapidaneDlg::TickAcceleratedTime()
{
    StepElapsedTime(m_nAccHours, m_nAccMins, m_nAccSecs);
    FormatElapsedTime(m_strAccelerated, m_nAccHours, m_nAccMins, m_nAccSecs);
    UpdateData(FALSE);
}

// The new counters show with the next tick; nothing is pushed here.
void CRapidaneDlg::OnSelchangeNetwork()
{
    const int selection = m_cmbNetwork.GetCurSel();
    if (selection == m_nNetwork)
        return;
    m_nNetwork = selection;
    m_ifTable.Refresh(pfnGetIfTable);
    ShowInterfaceCounters();
    const DwordSetting network{"Network", static_cast<DWORD>(m_nNetwork)};
    WriteSettings(&network, 1);
}
