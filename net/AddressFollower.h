// Accelerated mode following the host's first non-loopback address: a
// network that arrives after the start (Wi-Fi after logon), a new address
// from DHCP, a worker that ended when its address went away.
#pragma once
#include "net/AcceleratedMode.h"
#include "net/CaptureSocket.h"
#include "net/LocalAddresses.h"

class CAddressFollower {
public:
    CAddressFollower(CAcceleratedMode& mode, CAcceleratedMode::SocketOpener openSocket);

    // The mode was switched on: its worker watches the address chosen now.
    void SwitchedOn();
    // Reads the local addresses again and, while the mode is on, hands the
    // worker over to the address a socket opened now would watch, when that
    // differs from the one it watches or the worker has ended. User-interface
    // thread.
    void Follow();

private:
    void NoteWatched();

    CAcceleratedMode& m_mode;
    CAcceleratedMode::SocketOpener m_openSocket;
    char m_szWatched[sizeof(LOCAL_ADDRESS::szAddress)] = "";
};
