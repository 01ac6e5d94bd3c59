// The byte totals of one interface, as the panel shows them.
#pragma once
#include "framework/AnsiString.h"
#include "net/IpHelper.h"

struct InterfaceTotals {
    ULONG64 sent = 0;
    ULONG64 received = 0;
};

// The 64-bit totals of the row's interface from getIfEntry2 (one row, on
// the stack); the row's own 32-bit counters when getIfEntry2 is null or
// fails for it.
InterfaceTotals QueryInterfaceTotals(const MIB_IFROW& row, GetIfEntry2Fn getIfEntry2);

// " <bytes> " in decimal.
void FormatByteCount(CString& text, ULONG64 bytes);
