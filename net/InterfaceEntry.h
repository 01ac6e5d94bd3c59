// The Network Interface list: the text of an interface's entry, which rows
// are offered, and which interface an entry stands for.
#pragma once
#include "framework/AnsiString.h"
#include "net/IpHelper.h"

// Descriptions are cut to this many characters in the entry.
constexpr int kEntryDescriptionLength = 38;
// Entries the list maps to rows; later rows are not offered.
constexpr int kMaxInterfaceEntries = 256;

// " <description> <speed> Mb": the description's first 38 characters and
// the speed in units of 2^20 bit/s, truncated.
void FormatInterfaceEntry(CString& entry, const MIB_IFROW& row);

// Whether an entry is offered: it does not start with " WAN " or
// " isatap." and holds no "Loopback", all compared byte for byte.
bool IsListedEntry(const char* entry);

// The interface index that entry stands for, in *ifIndex; false when entry
// is not one of the count entries mapped.
bool IfIndexOfEntry(const DWORD* ifIndexOfEntry, int count, int entry, DWORD* ifIndex);
