// The entries of the Network Interface list: which interface each stands
// for, and whether the system's table still holds the rows the list was
// built from.
#pragma once
#include <memory>

#include "net/IfTableBuffer.h"
#include "net/InterfaceChoice.h"
#include "net/InterfaceEntry.h"

class CInterfaceList {
public:
    // Whether the table's rows are other interfaces, or in another order,
    // than when last remembered: an adapter came, went or came back under a
    // new index. Makes no call and allocates nothing.
    bool RowsDiffer(const CIfTableBuffer& table) const;
    // False when the memory to remember them was not there: the rows then
    // differ at the next look.
    bool RememberRows(const CIfTableBuffer& table);

    void Clear() { m_nEntries = 0; }
    // The next entry stands for row's interface, whose LUID is luid (0 when
    // not known). False when the list is full or its memory is not there.
    bool Add(const MIB_IFROW& row, ULONG64 luid);
    // Takes back the last entry (its control could not take it).
    void RemoveLast() { m_nEntries -= m_nEntries > 0 ? 1 : 0; }

    int Count() const { return m_nEntries; }
    // Count() of them; null while there are none.
    const InterfaceIdentity* Identities() const { return m_identities.get(); }
    // The interface index entry stands for; false when it is no entry.
    bool IfIndexOf(int entry, DWORD* ifIndex) const;

private:
    // The index of every row as last remembered; grown, never shrunk.
    std::unique_ptr<DWORD[]> m_rowIndexes;
    DWORD m_nRowCapacity = 0;
    DWORD m_nRows = 0;
    DWORD m_dwIfIndexOfEntry[kMaxInterfaceEntries] = {};
    // Allocated with the first entry: a description is 256 bytes.
    std::unique_ptr<InterfaceIdentity[]> m_identities;
    int m_nEntries = 0;
};

// The LUID of the interface with index ifIndex, asked of getIfEntry2; 0 when
// it is null or does not answer.
ULONG64 QueryInterfaceLuid(DWORD ifIndex, GetIfEntry2Fn getIfEntry2);
