#include "net/InterfaceEntry.h"

#include <cstring>

void FormatInterfaceEntry(CString& entry, const MIB_IFROW& row)
{
    static_assert(sizeof row.bDescr >= kEntryDescriptionLength, "the cut lies inside bDescr");
    // With a precision, printf reads no further than the cut, so a bDescr
    // without a terminator is safe.
    entry.Format(" %.*s %d %s", kEntryDescriptionLength, reinterpret_cast<const char*>(row.bDescr),
                 static_cast<int>(row.dwSpeed >> 20), "Mb");
}

bool IsListedEntry(const char* entry)
{
    return std::strncmp(entry, " WAN ", 5) != 0 && std::strncmp(entry, " isatap.", 8) != 0 &&
           std::strstr(entry, "Loopback") == nullptr;
}

bool IfIndexOfEntry(const DWORD* ifIndexOfEntry, int count, int entry, DWORD* ifIndex)
{
    if (!ifIndexOfEntry || entry < 0 || entry >= count || count > kMaxInterfaceEntries)
        return false;
    *ifIndex = ifIndexOfEntry[entry];
    return true;
}
