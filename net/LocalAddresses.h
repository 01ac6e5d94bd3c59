// The host's IPv4 addresses, from which accelerated mode picks its own.
#pragma once

struct LOCAL_ADDRESS {
    char szAddress[16];  // dotted decimal, zero-terminated
    char szMask[16];
};

constexpr int kMaxLocalAddresses = 100;

extern LOCAL_ADDRESS g_LocalAddresses[kMaxLocalAddresses];
extern int g_nLocalAddresses;

// Fills at most capacity records; returns how many it wrote.
int BuildLocalAddressList(LOCAL_ADDRESS* addresses, int capacity);
