// The raw IPv4 socket of accelerated mode, in receive-all mode on the first
// local address that is not a loopback or wildcard address.
#pragma once
#include "framework/Win32.h"

// A new capture socket, owned by the caller; INVALID_SOCKET when it could
// not be created or bound. Reads g_LocalAddresses.
SOCKET OpenCaptureSocket();

// The address text a capture socket opened now is bound to: the first local
// address that is neither loopback nor wildcard, else the first. Reads
// g_LocalAddresses.
const char* CurrentCaptureAddress();
