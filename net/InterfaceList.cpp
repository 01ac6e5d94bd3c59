#include "net/InterfaceList.h"

#include "net/InterfaceEntry.h"

bool CInterfaceList::RowsDiffer(const CIfTableBuffer& table) const
{
    const DWORD rows = table.RowCount();
    if (rows != m_rowIndexes.size())
        return true;
    for (DWORD i = 0; i < rows; ++i) {
        if (table.Row(static_cast<int>(i))->dwIndex != m_rowIndexes[i])
            return true;
    }
    return false;
}

void CInterfaceList::RememberRows(const CIfTableBuffer& table)
{
    const DWORD rows = table.RowCount();
    m_rowIndexes.resize(rows);
    for (DWORD i = 0; i < rows; ++i)
        m_rowIndexes[i] = table.Row(static_cast<int>(i))->dwIndex;
}

void CInterfaceList::Clear()
{
    m_ifIndexOfEntry.clear();
    m_identities.clear();
}

bool CInterfaceList::Add(const MIB_IFROW& row, ULONG64 luid)
{
    if (Count() >= kMaxInterfaceEntries)
        return false;
    InterfaceIdentity identity;
    identity.luid = luid;
    SetIdentityDescription(identity, row.bDescr, sizeof row.bDescr);
    m_identities.push_back(identity);
    m_ifIndexOfEntry.push_back(row.dwIndex);
    return true;
}

bool CInterfaceList::IfIndexOf(int entry, DWORD* ifIndex) const
{
    return IfIndexOfEntry(m_ifIndexOfEntry.data(), Count(), entry, ifIndex);
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
