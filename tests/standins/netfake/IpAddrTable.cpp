// The local address table of the IP Helper stand-in, and the calls Wine's
// own DLLs make into IP Helper, answered as a machine without adapters or
// routes would. With our DLL in place of the system's, ws2_32 and rpcrt4
// resolve these on first use.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <iphlpapi.h>

#include <algorithm>
#include <sstream>

#include "tests/standins/netfake/NetFakeDll.h"

using standins::NetAddress;
using standins::NetScript;

namespace {

// Network to host byte order, without linking Windows Sockets into IP Helper.
DWORD HostOrder(DWORD address)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&address);
    return (DWORD(bytes[0]) << 24) | (DWORD(bytes[1]) << 16) | (DWORD(bytes[2]) << 8) | bytes[3];
}

struct AddressRow {
    DWORD address = 0;
    DWORD mask = 0;
    DWORD index = 0;
};

std::vector<AddressRow> AddressRows(const NetScript& script, BOOL order)
{
    std::vector<AddressRow> rows;
    for (const NetAddress& source : script.addresses) {
        AddressRow row;
        standins::ParseDottedAddress(source.address, row.address);
        standins::ParseDottedAddress(source.mask, row.mask);
        row.index = source.interfaceIndex;
        rows.push_back(row);
    }
    if (order) {
        std::stable_sort(rows.begin(), rows.end(), [](const AddressRow& a, const AddressRow& b) {
            return HostOrder(a.address) < HostOrder(b.address);
        });
    }
    return rows;
}

DWORD IpAddrTable(PMIB_IPADDRTABLE table, PULONG size, BOOL order)
{
    const NetScript script = standins::LoadNetScript();
    DWORD code = 0;
    if (standins::ScriptedFailure(script, "GetIpAddrTable", code))
        return code;
    if (size == NULL)
        return ERROR_INVALID_PARAMETER;
    const std::vector<AddressRow> rows = AddressRows(script, order);
    const ULONG needed = static_cast<ULONG>(
        std::max(sizeof(MIB_IPADDRTABLE), sizeof(DWORD) + rows.size() * sizeof(MIB_IPADDRROW)));
    if (table == NULL || *size < needed) {
        *size = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    table->dwNumEntries = static_cast<DWORD>(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        MIB_IPADDRROW& row = table->table[i];
        ZeroMemory(&row, sizeof row);
        row.dwAddr = rows[i].address;
        row.dwIndex = rows[i].index;
        row.dwMask = rows[i].mask;
        row.dwBCastAddr = 1;
        row.dwReasmSize = 65535;
    }
    return NO_ERROR;
}

DWORD Unsupported(const char* function, DWORD answer)
{
    try {
        const NetScript script = standins::LoadNetScript();
        standins::ScriptedFailure(script, function, answer);
        standins::LogNetCall(std::string(function) + " -> " + std::to_string(answer));
    } catch (...) {
    }
    return answer;
}

}  // namespace

extern "C" DWORD WINAPI GetIpAddrTable(PMIB_IPADDRTABLE table, PULONG size, BOOL order)
{
    try {
        std::ostringstream log;
        log << "GetIpAddrTable size=" << (size ? std::to_string(*size) : "null")
            << " order=" << order;
        const DWORD result = IpAddrTable(table, size, order);
        log << " -> " << result << " size=" << (size ? std::to_string(*size) : "null");
        standins::LogNetCall(log.str());
        return result;
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

extern "C" ULONG WINAPI GetAdaptersInfo(PIP_ADAPTER_INFO, PULONG)
{
    return Unsupported("GetAdaptersInfo", ERROR_NO_DATA);
}

extern "C" ULONG WINAPI GetAdaptersAddresses(ULONG, ULONG, PVOID, PIP_ADAPTER_ADDRESSES, PULONG)
{
    return Unsupported("GetAdaptersAddresses", ERROR_NO_DATA);
}

extern "C" DWORD WINAPI GetBestRoute(DWORD, DWORD, PMIB_IPFORWARDROW)
{
    return Unsupported("GetBestRoute", ERROR_NOT_SUPPORTED);
}

extern "C" DWORD WINAPI GetIpForwardTable(PMIB_IPFORWARDTABLE, PULONG, BOOL)
{
    return Unsupported("GetIpForwardTable", ERROR_NOT_SUPPORTED);
}
