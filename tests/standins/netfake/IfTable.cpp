// The interface queries of the IP Helper stand-in, answered from the script.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <iphlpapi.h>

#include <algorithm>
#include <sstream>

#include "tests/standins/netfake/NetFakeDll.h"

using standins::NetInterface;
using standins::NetScript;

namespace {

const DWORD kEthernet = 6;  // IF_TYPE_ETHERNET_CSMACD
const DWORD kMtu = 1500;

DWORD Clamp32(ULONG64 value)
{
    return value > 0xFFFFFFFFull ? 0xFFFFFFFFul : static_cast<DWORD>(value);
}

// A made-up, locally administered hardware address that differs per index.
void FillPhysicalAddress(DWORD index, BYTE* address)
{
    const BYTE bytes[6] = {0x02,
                           0x00,
                           0x5E,
                           static_cast<BYTE>(index >> 16),
                           static_cast<BYTE>(index >> 8),
                           static_cast<BYTE>(index)};
    CopyMemory(address, bytes, sizeof bytes);
}

void FillRow(const NetInterface& source, MIB_IFROW& row)
{
    ZeroMemory(&row, sizeof row);
    row.dwIndex = source.index;
    row.dwType = kEthernet;
    row.dwMtu = kMtu;
    row.dwSpeed = Clamp32(source.speed);
    row.dwPhysAddrLen = 6;
    FillPhysicalAddress(source.index, row.bPhysAddr);
    row.dwAdminStatus = 1;  // up
    row.dwOperStatus = MIB_IF_OPER_STATUS_OPERATIONAL;
    row.dwInOctets = static_cast<DWORD>(source.inOctets);
    row.dwOutOctets = static_cast<DWORD>(source.outOctets);
    // Up to the whole array; a description that fills it has no terminator.
    const size_t length = std::min(source.description.size(), sizeof row.bDescr);
    CopyMemory(row.bDescr, source.description.data(), length);
    row.dwDescrLen = static_cast<DWORD>(length < sizeof row.bDescr ? length + 1 : length);
}

void FillRow2(const NetInterface& source, MIB_IF_ROW2& row)
{
    ZeroMemory(&row, sizeof row);
    row.InterfaceLuid.Info.NetLuidIndex = source.index & 0xFFFFFF;
    row.InterfaceLuid.Info.IfType = kEthernet;
    row.InterfaceIndex = source.index;
    MultiByteToWideChar(
        CP_ACP, 0, source.description.data(),
        static_cast<int>(std::min<size_t>(source.description.size(), IF_MAX_STRING_SIZE)),
        row.Description, IF_MAX_STRING_SIZE);
    row.PhysicalAddressLength = 6;
    FillPhysicalAddress(source.index, row.PhysicalAddress);
    FillPhysicalAddress(source.index, row.PermanentPhysicalAddress);
    row.Mtu = kMtu;
    row.Type = kEthernet;
    row.OperStatus = IfOperStatusUp;
    row.AdminStatus = NET_IF_ADMIN_STATUS_UP;
    row.MediaConnectState = MediaConnectStateConnected;
    row.TransmitLinkSpeed = source.speed;
    row.ReceiveLinkSpeed = source.speed;
    row.InOctets = source.inOctets;
    row.OutOctets = source.outOctets;
}

const NetInterface* FindByIndex(const NetScript& script, DWORD index)
{
    for (const NetInterface& row : script.interfaces) {
        if (row.index == index)
            return &row;
    }
    return nullptr;
}

DWORD IfTable(PMIB_IFTABLE table, PULONG size, BOOL order, std::ostringstream& log)
{
    log << "GetIfTable size=" << (size ? std::to_string(*size) : "null") << " order=" << order;
    const NetScript script = standins::LoadNetScript();
    DWORD code = 0;
    if (standins::ScriptedFailure(script, "GetIfTable", code))
        return code;
    if (size == NULL)
        return ERROR_INVALID_PARAMETER;
    std::vector<NetInterface> rows = script.interfaces;
    if (order) {
        std::stable_sort(
            rows.begin(), rows.end(),
            [](const NetInterface& a, const NetInterface& b) { return a.index < b.index; });
    }
    const ULONG needed = static_cast<ULONG>(
        std::max(sizeof(MIB_IFTABLE), sizeof(DWORD) + rows.size() * sizeof(MIB_IFROW)));
    if (table == NULL || *size < needed) {
        *size = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    table->dwNumEntries = static_cast<DWORD>(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        FillRow(rows[i], table->table[i]);
    return NO_ERROR;
}

}  // namespace

extern "C" DWORD WINAPI GetIfTable(PMIB_IFTABLE table, PULONG size, BOOL order)
{
    try {
        std::ostringstream log;
        const DWORD result = IfTable(table, size, order, log);
        log << " -> " << result << " size=" << (size ? std::to_string(*size) : "null");
        standins::LogNetCall(log.str());
        return result;
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

extern "C" DWORD WINAPI GetNumberOfInterfaces(PDWORD count)
{
    try {
        const NetScript script = standins::LoadNetScript();
        DWORD result = NO_ERROR;
        if (!standins::ScriptedFailure(script, "GetNumberOfInterfaces", result)) {
            if (count == NULL) {
                result = ERROR_INVALID_PARAMETER;
            } else {
                *count = static_cast<DWORD>(script.interfaces.size());
            }
        }
        standins::LogNetCall("GetNumberOfInterfaces -> " + std::to_string(result) +
                             " count=" + (count ? std::to_string(*count) : "null"));
        return result;
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

extern "C" DWORD WINAPI GetIfEntry(PMIB_IFROW row)
{
    try {
        const NetScript script = standins::LoadNetScript();
        DWORD result = NO_ERROR;
        if (!standins::ScriptedFailure(script, "GetIfEntry", result)) {
            const NetInterface* found = row ? FindByIndex(script, row->dwIndex) : nullptr;
            if (row == NULL) {
                result = ERROR_INVALID_PARAMETER;
            } else if (found == nullptr) {
                result = ERROR_INVALID_DATA;
            } else {
                FillRow(*found, *row);
            }
        }
        standins::LogNetCall("GetIfEntry -> " + std::to_string(result));
        return result;
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

// The row is named by its LUID when that is set, otherwise by its index.
extern "C" DWORD WINAPI GetIfEntry2(PMIB_IF_ROW2 row)
{
    try {
        const NetScript script = standins::LoadNetScript();
        DWORD result = NO_ERROR;
        if (!standins::ScriptedFailure(script, "GetIfEntry2", result)) {
            const NetInterface* found = nullptr;
            if (row != NULL) {
                found = row->InterfaceLuid.Value != 0
                            ? FindByIndex(script,
                                          static_cast<DWORD>(row->InterfaceLuid.Info.NetLuidIndex))
                            : FindByIndex(script, row->InterfaceIndex);
            }
            if (row == NULL) {
                result = ERROR_INVALID_PARAMETER;
            } else if (found == nullptr) {
                result = ERROR_FILE_NOT_FOUND;
            } else {
                FillRow2(*found, *row);
            }
        }
        standins::LogNetCall("GetIfEntry2 -> " + std::to_string(result));
        return result;
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

extern "C" DWORD WINAPI GetIfTable2(PMIB_IF_TABLE2* table)
{
    try {
        const NetScript script = standins::LoadNetScript();
        DWORD result = NO_ERROR;
        if (!standins::ScriptedFailure(script, "GetIfTable2", result)) {
            const size_t count = script.interfaces.size();
            const size_t bytes = sizeof(MIB_IF_TABLE2) + count * sizeof(MIB_IF_ROW2);
            void* memory = table ? HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes) : NULL;
            if (table == NULL) {
                result = ERROR_INVALID_PARAMETER;
            } else if (memory == NULL) {
                result = ERROR_NOT_ENOUGH_MEMORY;
            } else {
                *table = static_cast<PMIB_IF_TABLE2>(memory);
                (*table)->NumEntries = static_cast<ULONG>(count);
                for (size_t i = 0; i < count; ++i)
                    FillRow2(script.interfaces[i], (*table)->Table[i]);
            }
        }
        standins::LogNetCall("GetIfTable2 -> " + std::to_string(result));
        return result;
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

extern "C" void WINAPI FreeMibTable(PVOID memory)
{
    if (memory)
        HeapFree(GetProcessHeap(), 0, memory);
    try {
        standins::LogNetCall("FreeMibTable");
    } catch (...) {
    }
}
