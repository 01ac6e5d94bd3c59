#include "net/IfTableBuffer.h"

#include <cstddef>
#include <cstring>
#include <new>

namespace {

constexpr DWORD kHeaderBytes = offsetof(MIB_IFTABLE, table);

}  // namespace

DWORD IfTableCapacityFor(DWORD needed)
{
    if (needed == 0 || needed > kIfTableLargest)
        return 0;
    const DWORD bytes = needed + kIfTableSpareRows * sizeof(MIB_IFROW);
    return (bytes + sizeof(DWORD) - 1) / sizeof(DWORD) * sizeof(DWORD);
}

bool CIfTableBuffer::Grow(DWORD needed)
{
    const DWORD capacity = IfTableCapacityFor(needed);
    if (capacity <= m_dwCapacity)
        return false;
    std::unique_ptr<DWORD[]> storage(new (std::nothrow) DWORD[capacity / sizeof(DWORD)]());
    if (!storage)
        return false;
    // The rows of the last successful read move along, so they stay shown
    // should the next read fail.
    if (m_storage)
        std::memcpy(storage.get(), m_storage.get(), m_dwCapacity);
    m_storage = std::move(storage);
    m_dwCapacity = capacity;
    m_pIfTable = reinterpret_cast<MIB_IFTABLE*>(m_storage.get());
    return true;
}

bool CIfTableBuffer::Load(GetIfTableFn getIfTable)
{
    if (!getIfTable)
        return false;
    ULONG size = 0;
    if (getIfTable(nullptr, &size, TRUE) != ERROR_INSUFFICIENT_BUFFER || !Grow(size))
        return false;
    Refresh(getIfTable);
    return true;
}

DWORD CIfTableBuffer::Refresh(GetIfTableFn getIfTable)
{
    if (!getIfTable || !m_pIfTable)
        return ERROR_INVALID_PARAMETER;
    // The system never learns of more room than the buffer has.
    m_dwIfTableSize = m_dwCapacity;
    DWORD result = getIfTable(m_pIfTable, &m_dwIfTableSize, TRUE);
    if (result == ERROR_INSUFFICIENT_BUFFER && m_dwIfTableSize > m_dwCapacity &&
        Grow(m_dwIfTableSize)) {
        m_dwIfTableSize = m_dwCapacity;
        result = getIfTable(m_pIfTable, &m_dwIfTableSize, TRUE);
    }
    return result;
}

DWORD CIfTableBuffer::RowCount() const
{
    if (!m_pIfTable || m_dwCapacity < kHeaderBytes)
        return 0;
    const DWORD fits = (m_dwCapacity - kHeaderBytes) / sizeof(MIB_IFROW);
    return m_pIfTable->dwNumEntries < fits ? m_pIfTable->dwNumEntries : fits;
}

const MIB_IFROW* CIfTableBuffer::RowOfInterface(DWORD ifIndex) const
{
    const DWORD rows = RowCount();
    for (DWORD i = 0; i < rows; ++i) {
        if (m_pIfTable->table[i].dwIndex == ifIndex)
            return &m_pIfTable->table[i];
    }
    return nullptr;
}

const MIB_IFROW* CIfTableBuffer::Row(int position) const
{
    if (position < 0 || static_cast<DWORD>(position) >= RowCount())
        return nullptr;
    return &m_pIfTable->table[position];
}
