#include "net/InterfaceList.h"

#include <new>

bool CInterfaceList::RowsDiffer(const CIfTableBuffer& table) const
{
    const DWORD rows = table.RowCount();
    if (rows != m_nRows)
        return true;
    for (DWORD i = 0; i < rows; ++i) {
        if (table.Row(static_cast<int>(i))->dwIndex != m_rowIndexes[i])
            return true;
    }
    return false;
}

bool CInterfaceList::RememberRows(const CIfTableBuffer& table)
{
    const DWORD rows = table.RowCount();
    if (rows > m_nRowCapacity) {
        m_rowIndexes.reset(new (std::nothrow) DWORD[rows]);
        m_nRowCapacity = m_rowIndexes ? rows : 0;
    }
    m_nRows = rows <= m_nRowCapacity ? rows : 0;
    for (DWORD i = 0; i < m_nRows; ++i)
        m_rowIndexes[i] = table.Row(static_cast<int>(i))->dwIndex;
    return m_nRows == rows;
}

bool CInterfaceList::Add(const MIB_IFROW& row, ULONG64 luid)
{
    if (!m_identities)
        m_identities.reset(new (std::nothrow) InterfaceIdentity[kMaxInterfaceEntries]);
    if (!m_identities || m_nEntries >= kMaxInterfaceEntries)
        return false;
    InterfaceIdentity& identity = m_identities[m_nEntries];
    identity.luid = luid;
    SetIdentityDescription(identity, row.bDescr, sizeof row.bDescr);
    m_dwIfIndexOfEntry[m_nEntries++] = row.dwIndex;
    return true;
}

bool CInterfaceList::IfIndexOf(int entry, DWORD* ifIndex) const
{
    return IfIndexOfEntry(m_dwIfIndexOfEntry, m_nEntries, entry, ifIndex);
}

ULONG64 QueryInterfaceLuid(DWORD ifIndex, GetIfEntry2Fn getIfEntry2)
{
    if (!getIfEntry2)
        return 0;
    MIB_IF_ROW2 entry;
    ::ZeroMemory(&entry, sizeof entry);
    entry.InterfaceIndex = ifIndex;
    return getIfEntry2(&entry) == NO_ERROR ? entry.InterfaceLuid.Value : 0;
}
