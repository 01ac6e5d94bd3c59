// The entries of the Network Interface list: which interface each stands
// for, and whether the system's table still holds the rows the list was
// built from.
#pragma once
#include <vector>

#include "net/IfTableBuffer.h"
#include "net/InterfaceChoice.h"

class CInterfaceList {
public:
    // Whether the table's rows are other interfaces, or in another order,
    // than when last remembered: an adapter came, went or came back under a
    // new index. Makes no call and allocates nothing.
    bool RowsDiffer(const CIfTableBuffer& table) const;
    void RememberRows(const CIfTableBuffer& table);

    void Clear();
    // The next entry stands for row's interface, whose LUID is luid (0 when
    // not known). False when the list is full.
    bool Add(const MIB_IFROW& row, ULONG64 luid);

    int Count() const { return static_cast<int>(m_identities.size()); }
    const InterfaceIdentity* Identities() const { return m_identities.data(); }
    // The interface index entry stands for; false when it is no entry.
    bool IfIndexOf(int entry, DWORD* ifIndex) const;

private:
    std::vector<DWORD> m_rowIndexes;  // of every row, as last remembered
    std::vector<DWORD> m_ifIndexOfEntry;
    std::vector<InterfaceIdentity> m_identities;
};

// The LUID of the interface with index ifIndex, asked of getIfEntry2; 0 when
// it is null or does not answer.
ULONG64 QueryInterfaceLuid(DWORD ifIndex, GetIfEntry2Fn getIfEntry2);
