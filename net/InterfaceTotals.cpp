#include "net/InterfaceTotals.h"

InterfaceTotals QueryInterfaceTotals(const MIB_IFROW& row, GetIfEntry2Fn getIfEntry2)
{
    InterfaceTotals totals;
    if (getIfEntry2) {
        // With no LUID given, the system looks the row up by its index.
        MIB_IF_ROW2 entry;
        ::ZeroMemory(&entry, sizeof entry);
        entry.InterfaceIndex = row.dwIndex;
        if (getIfEntry2(&entry) == NO_ERROR) {
            totals.sent = entry.OutOctets;
            totals.received = entry.InOctets;
            return totals;
        }
    }
    totals.sent = row.dwOutOctets;
    totals.received = row.dwInOctets;
    return totals;
}

void FormatByteCount(CString& text, ULONG64 bytes)
{
    text.Format(" %llu ", static_cast<unsigned long long>(bytes));
}
