#include "net/LocalAddresses.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

LOCAL_ADDRESS g_LocalAddresses[kMaxLocalAddresses] = {};
int g_nLocalAddresses = 0;

namespace {

// The table may grow between the size query and the read; so many tries.
constexpr int kReadAttempts = 3;
// No address table is larger than this (about 43,000 addresses); a larger
// report is not believed, and no allocation is asked for it.
constexpr ULONG kIpAddrTableLargest = 1024 * 1024;

void CopyDotted(char (&text)[16], DWORD address)
{
    in_addr value;
    value.s_addr = address;
    const char* dotted = ::inet_ntoa(value);
    text[0] = '\0';
    if (dotted)
        ::lstrcpynA(text, dotted, sizeof text);
}

}  // namespace

int CopyLocalAddresses(const MIB_IPADDRTABLE& table, DWORD tableBytes, LOCAL_ADDRESS* addresses,
                       int capacity)
{
    constexpr DWORD kHeaderBytes = offsetof(MIB_IPADDRTABLE, table);
    if (!addresses || capacity <= 0 || tableBytes < kHeaderBytes)
        return 0;
    DWORD count = table.dwNumEntries;
    const DWORD fits = (tableBytes - kHeaderBytes) / sizeof(MIB_IPADDRROW);
    if (count > fits)
        count = fits;
    if (count > static_cast<DWORD>(capacity))
        count = static_cast<DWORD>(capacity);
    for (DWORD i = 0; i < count; ++i) {
        CopyDotted(addresses[i].szAddress, table.table[i].dwAddr);
        CopyDotted(addresses[i].szMask, table.table[i].dwMask);
    }
    return static_cast<int>(count);
}

bool ReadLocalAddresses(LOCAL_ADDRESS* addresses, int capacity, int* count)
{
    // Kept from one read to the next, so reading an unchanged table again
    // allocates nothing. Only the user-interface thread reads addresses.
    static std::unique_ptr<DWORD[]> buffer;
    static ULONG bufferBytes = 0;
    if (capacity <= 0 || !count)
        return false;
    ULONG size = bufferBytes;
    DWORD result = ::GetIpAddrTable(reinterpret_cast<MIB_IPADDRTABLE*>(buffer.get()), &size, FALSE);
    for (int attempt = 0; attempt < kReadAttempts && result == ERROR_INSUFFICIENT_BUFFER &&
                          size > bufferBytes && size <= kIpAddrTableLargest;
         ++attempt) {
        // DWORDs, so the table is aligned as the system writes it.
        const ULONG words = (size + sizeof(DWORD) - 1) / sizeof(DWORD);
        std::unique_ptr<DWORD[]> grown(new (std::nothrow) DWORD[words]());
        if (!grown)
            return false;
        buffer = std::move(grown);
        bufferBytes = words * sizeof(DWORD);
        size = bufferBytes;
        result = ::GetIpAddrTable(reinterpret_cast<MIB_IPADDRTABLE*>(buffer.get()), &size, FALSE);
    }
    if (result != NO_ERROR || !buffer)
        return false;
    *count = CopyLocalAddresses(*reinterpret_cast<const MIB_IPADDRTABLE*>(buffer.get()),
                                bufferBytes, addresses, capacity);
    return true;
}

int BuildLocalAddressList(LOCAL_ADDRESS* addresses, int capacity)
{
    int count = 0;
    return ReadLocalAddresses(addresses, capacity, &count) ? count : 0;
}

int ChooseCaptureAddress(const LOCAL_ADDRESS* addresses, int count)
{
    for (int i = 0; addresses && i < count; ++i) {
        const char* text = addresses[i].szAddress;
        const size_t most = sizeof addresses[i].szAddress;
        if (std::strncmp(text, "127.0.0.1", most) != 0 && std::strncmp(text, "0.0.0.0", most) != 0)
            return i;
    }
    return 0;
}
