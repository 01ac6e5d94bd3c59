// The system calls of one panel refresh and nothing else: the interface
// table into a buffer sized once, the 64-bit row of the interface the panel
// shows, and the connection state. Whatever else the refresh comes to call
// belongs in Tick() too, at the rate the refresh calls it (a query made
// every tenth tick: every tenth Tick(), with its own counter here), so the
// ratio keeps comparing like with like.
#pragma once
#include <vector>

#include "bench/Handle.h"
#include "net/IpHelper.h"

class CBareTick {
public:
    // Loads the entry points and sizes the buffer; false when the system
    // lacks them or reports no table.
    bool Prepare();

    void Tick()
    {
        IfTable();
        IfEntry2();
        if (++m_ticksSinceAddresses >= kAddressTicks) {
            m_ticksSinceAddresses = 0;
            AddressTable();
        }
        ConnectedState();
    }
    bool IfTable();
    void IfEntry2();
    void AddressTable();
    static void ConnectedState();

private:
    MIB_IFTABLE* Table() { return reinterpret_cast<MIB_IFTABLE*>(m_table.data()); }
    void ChooseShownRow();

    CModule m_library;
    GetIfTableFn m_getIfTable = nullptr;
    GetIfEntry2Fn m_getIfEntry2 = nullptr;
    std::vector<DWORD> m_table;  // DWORDs: aligned as the system writes the table
    NET_IFINDEX m_index = 0;
    // The local addresses, read every tenth tick into a buffer sized once,
    // as the refresh keeps its own.
    static constexpr int kAddressTicks = 10;
    int m_ticksSinceAddresses = 0;
    std::vector<DWORD> m_addresses;
};
