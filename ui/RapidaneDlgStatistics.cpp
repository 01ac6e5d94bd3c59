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

namespace {

const char kNetworkLuidValue[] = "NetworkLuid";                // REG_QWORD
const char kNetworkDescriptionValue[] = "NetworkDescription";  // REG_SZ

}  // namespace

void CRapidaneDlg::FillInterfaceList()
{
    if (!LoadIpHelperEntryPoints()) {
        AfxMessageBox("Error loading Iphlpapi.dll", MB_OK);
        EndDialog(1);
        m_cmbNetwork.SetCurSel(m_nNetwork);
        return;
    }
    m_ifTable.Load(pfnGetIfTable);
    RebuildInterfaceList();
}

// The list follows the adapters: one that comes is offered, one that goes
// is no longer, and the chosen one stays chosen wherever its entry now
// stands, or none while it is gone. An open drop-down list is left alone
// until it closes: the rows still differ at the next tick.
bool CRapidaneDlg::ReadInterfaceTable(bool forceRebuild)
{
    // A table that could not be had at the start is asked for again.
    const bool read = m_ifTable.HasTable() ? m_ifTable.Refresh(pfnGetIfTable) == NO_ERROR
                                           : m_ifTable.Load(pfnGetIfTable);
    if (read && (forceRebuild || m_interfaces.RowsDiffer(m_ifTable)) &&
        !m_cmbNetwork.GetDroppedState())
        RebuildInterfaceList();
    return read;
}

void CRapidaneDlg::RebuildInterfaceList()
{
    m_cmbNetwork.ResetContent();
    m_interfaces.Clear();
    const DWORD rows = m_ifTable.RowCount();
    for (DWORD i = 0; i < rows && m_interfaces.Count() < kMaxInterfaceEntries; ++i) {
        const MIB_IFROW& row = *m_ifTable.Row(static_cast<int>(i));
        FormatInterfaceEntry(m_strIfEntry, row);
        if (IsListedEntry(m_strIfEntry) &&
            m_interfaces.Add(row, QueryInterfaceLuid(row.dwIndex, pfnGetIfEntry2)) &&
            m_cmbNetwork.AddString(m_strIfEntry) < 0)
            m_interfaces.RemoveLast();
    }
    m_interfaces.RememberRows(m_ifTable);
    m_nNetwork = ChooseEntry(m_choice, m_interfaces.Identities(), m_interfaces.Count());
    m_cmbNetwork.SetCurSel(m_nNetwork);
}

// The chosen interface's totals from the table as last read; empty texts
// when the choice names no entry or its interface is gone. Rows move when
// adapters come and go, so the row is found by the interface's index.
void CRapidaneDlg::ShowInterfaceCounters()
{
    DWORD ifIndex = 0;
    const MIB_IFROW* row =
        m_interfaces.IfIndexOf(m_nNetwork, &ifIndex) ? m_ifTable.RowOfInterface(ifIndex) : nullptr;
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
    ReadInterfaceTable();
    ShowInterfaceCounters();
    FollowAddressOnTick();
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
    ChooseByUser(m_choice, m_interfaces.Identities(), m_interfaces.Count(), m_nNetwork);
    m_ifTable.Refresh(pfnGetIfTable);
    ShowInterfaceCounters();
    SaveNetworkChoice();
}

// "Network" is the entry's position, as older versions read it; the
// adapter's identity beside it is what a later start looks for first.
void CRapidaneDlg::LoadNetworkChoice(int storedPosition)
{
    InterfaceIdentity stored;
    ReadQwordSetting(kNetworkLuidValue, &stored.luid);
    ReadTextSetting(kNetworkDescriptionValue, stored.description, sizeof stored.description);
    m_choice = StartChoice(storedPosition, stored);
}

void CRapidaneDlg::SaveNetworkChoice()
{
    const DwordSetting network{"Network", static_cast<DWORD>(m_nNetwork)};
    if (!WriteSettings(&network, 1) || m_nNetwork < 0 || m_nNetwork >= m_interfaces.Count())
        return;
    const InterfaceIdentity& chosen = m_interfaces.Identities()[m_nNetwork];
    WriteQwordSetting(kNetworkLuidValue, chosen.luid);
    WriteTextSetting(kNetworkDescriptionValue, chosen.description);
}
