// The host's IPv4 addresses, from which accelerated mode picks its own.
#pragma once
#include "framework/Win32.h"

#include <iphlpapi.h>

struct LOCAL_ADDRESS {
    char szAddress[16];  // dotted decimal, zero-terminated
    char szMask[16];
};

constexpr int kMaxLocalAddresses = 100;

extern LOCAL_ADDRESS g_LocalAddresses[kMaxLocalAddresses];
extern int g_nLocalAddresses;

// Fills at most capacity records with the system's addresses in the order
// it reports them; returns how many it wrote (0 when the table cannot be
// read, is reported larger than any real one, or its memory is not there).
// Windows Sockets must have been started. Never throws.
int BuildLocalAddressList(LOCAL_ADDRESS* addresses, int capacity);
// The same read, for a list that is read again while the program runs: the
// records and *count are written only when the table was read, so a failed
// read leaves the list as it stood. The table's buffer is kept for the next
// read. User-interface thread only.
bool ReadLocalAddresses(LOCAL_ADDRESS* addresses, int capacity, int* count);

// The records of the first rows of a table that holds tableBytes bytes: at
// most capacity, and no row beyond those the bytes hold. Returns how many.
int CopyLocalAddresses(const MIB_IPADDRTABLE& table, DWORD tableBytes, LOCAL_ADDRESS* addresses,
                       int capacity);

// The record whose address the capture socket is bound to: the first of
// the count records that is neither "127.0.0.1" nor "0.0.0.0", else 0.
int ChooseCaptureAddress(const LOCAL_ADDRESS* addresses, int count);
