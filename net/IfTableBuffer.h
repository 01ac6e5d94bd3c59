// The buffer that receives the system's interface table. It is sized from
// what the system reports, with room for a few more rows, and grows only
// when the table has outgrown it, so a refresh normally allocates nothing.
#pragma once
#include <memory>

#include "net/IpHelper.h"

// Rows of room beyond the reported size.
constexpr DWORD kIfTableSpareRows = 16;
// No interface table is larger than this; a larger report is not believed.
constexpr DWORD kIfTableLargest = 16u * 1024 * 1024;

// The bytes to allocate for a table the system reports as needed bytes:
// the report plus the spare rows, whole DWORDs; 0 when the report is out
// of reason.
DWORD IfTableCapacityFor(DWORD needed);

class CIfTableBuffer {
public:
    // The first query: asks the size, allocates and reads the table. False
    // (and no table) when the size query does not answer 122 or the memory
    // is not there.
    bool Load(GetIfTableFn getIfTable);
    // Reads the table into the buffer again, growing it first when the
    // system reports a larger table; the system's answer. When it fails the
    // rows of the last successful read stay.
    DWORD Refresh(GetIfTableFn getIfTable);

    // The row at position, or null when there is no table or the position
    // lies outside the rows the buffer holds.
    const MIB_IFROW* Row(int position) const;
    // The row of the interface with index ifIndex, wherever the table holds
    // it now; null when it is not there.
    const MIB_IFROW* RowOfInterface(DWORD ifIndex) const;
    // Whether a table was ever read into the buffer.
    bool HasTable() const { return m_pIfTable != nullptr; }
    // Rows the buffer holds: the table's count, limited to what fits.
    DWORD RowCount() const;

private:
    bool Grow(DWORD needed);

    MIB_IFTABLE* m_pIfTable = nullptr;  // points into m_storage
    DWORD m_dwIfTableSize = 0;          // passed to and returned by GetIfTable
    std::unique_ptr<DWORD[]> m_storage;
    DWORD m_dwCapacity = 0;  // bytes in m_storage
};
