#include "bench/BareTick.h"

#include <cstddef>

#include <wininet.h>

#include "framework/AnsiString.h"
#include "net/InterfaceEntry.h"

namespace {

// Room for rows beyond the reported size, as the program keeps.
constexpr size_t kSpareRows = 16;

}  // namespace

bool CBareTick::Prepare()
{
    m_library.Reset(::LoadLibraryA("Iphlpapi.dll"));
    if (!m_library)
        return false;
    m_getIfTable = reinterpret_cast<GetIfTableFn>(
        reinterpret_cast<void*>(::GetProcAddress(m_library.Get(), "GetIfTable")));
    m_getIfEntry2 = reinterpret_cast<GetIfEntry2Fn>(
        reinterpret_cast<void*>(::GetProcAddress(m_library.Get(), "GetIfEntry2")));
    ULONG size = 0;
    if (!m_getIfTable || !m_getIfEntry2 ||
        m_getIfTable(nullptr, &size, TRUE) != ERROR_INSUFFICIENT_BUFFER)
        return false;
    m_table.assign(size / sizeof(DWORD) + kSpareRows * sizeof(MIB_IFROW) / sizeof(DWORD), 0);
    if (!IfTable())
        return false;
    ULONG addressBytes = 0;
    ::GetIpAddrTable(nullptr, &addressBytes, FALSE);
    m_addresses.assign(addressBytes / sizeof(DWORD) + 1, 0);
    ChooseShownRow();
    return true;
}

bool CBareTick::IfTable()
{
    ULONG size = static_cast<ULONG>(m_table.size() * sizeof(DWORD));
    return m_getIfTable(Table(), &size, TRUE) == NO_ERROR;
}

void CBareTick::IfEntry2()
{
    MIB_IF_ROW2 row;
    ::ZeroMemory(&row, sizeof row);
    row.InterfaceIndex = m_index;
    m_getIfEntry2(&row);
}

void CBareTick::AddressTable()
{
    ULONG size = static_cast<ULONG>(m_addresses.size() * sizeof(DWORD));
    ::GetIpAddrTable(reinterpret_cast<MIB_IPADDRTABLE*>(m_addresses.data()), &size, FALSE);
}

void CBareTick::ConnectedState()
{
    DWORD flags = 0;
    ::InternetGetConnectedState(&flags, 0);
}

// The panel shows the first listed entry when no choice is stored.
void CBareTick::ChooseShownRow()
{
    const DWORD fits = static_cast<DWORD>(
        (m_table.size() * sizeof(DWORD) - offsetof(MIB_IFTABLE, table)) / sizeof(MIB_IFROW));
    const DWORD rows = Table()->dwNumEntries < fits ? Table()->dwNumEntries : fits;
    CString entry;
    for (DWORD i = 0; i < rows; ++i) {
        FormatInterfaceEntry(entry, Table()->table[i]);
        if (IsListedEntry(entry)) {
            m_index = Table()->table[i].dwIndex;
            return;
        }
    }
}
