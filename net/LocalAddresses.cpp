#include "net/LocalAddresses.h"

// Placeholder; the network monitor replaces it.
LOCAL_ADDRESS g_LocalAddresses[kMaxLocalAddresses] = {};
int g_nLocalAddresses = 0;

int BuildLocalAddressList(LOCAL_ADDRESS*, int)
{
    return 0;
}
