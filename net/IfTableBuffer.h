// The buffer that receives the system's interface table.
#pragma once
#include <winsock2.h>
#include <iphlpapi.h>

// Placeholder; the network monitor replaces it.
class CIfTableBuffer {
public:
    MIB_IFTABLE* m_pIfTable = nullptr;
    DWORD m_dwIfTableSize = 0;
};
