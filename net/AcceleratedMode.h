// Accelerated mode: whether it is on, and the worker that reads every packet
// arriving at the capture socket while it is.
//
// The user-interface thread switches the mode; the worker receives. They
// share one atomic state word, and the socket is handed from the one to the
// other once per worker:
//   Off              no worker
//   On               a worker owns the socket and receives on it
//   Stopping         the mode is off; the worker, waiting in its receive,
//                    has not yet seen it
//   OnWithoutWorker  the mode is on, but its worker ended after a failed
//                    receive (or could not be started)
// Only the worker closes its socket, once, as it ends; it first moves the
// state out of Stopping (or On), so switching on again can never take back a
// worker whose socket is going. Switching on while the worker is Stopping
// takes that worker back with its socket instead of opening another, and a
// new socket is opened only in Off. So at any time there is at most one
// socket of the mode, no socket is open without the worker that will close
// it, none is closed twice, and none is used after its close.
#pragma once
#include <atomic>

#include "framework/Win32.h"

class CAcceleratedMode {
public:
    using SocketOpener = SOCKET (*)();

    // Both threads.
    bool IsOn() const;

    // User-interface thread. Switching on starts a worker on the socket
    // that openSocket gives (a worker whose receive fails at once when it
    // gives INVALID_SOCKET), unless the last worker is still there to take back.
    void SwitchOn(SocketOpener openSocket);
    void SwitchOff();

    // The worker: receives and drops packets until it sees the mode off
    // (returns 0) or a receive fails (returns 1); closes its socket.
    UINT Watch();

private:
    enum State : int { kOff, kOn, kStopping, kOnWithoutWorker };
    // Hands socket to the worker about to start; only while Off.
    void Hand(SOCKET socket);
    void EndWorkerAfterFailure();

    std::atomic<int> m_state{kOff};
    // Written by the user-interface thread before the worker starts and
    // read by the worker once, as it takes it over.
    SOCKET m_hCaptureSocket = INVALID_SOCKET;
};

// The program's one mode. Trivially destructible: its worker may still be
// receiving while the process ends.
extern CAcceleratedMode g_AcceleratedMode;

// The worker's entry; mode is the CAcceleratedMode whose worker it is.
UINT PacketWatchThread(LPVOID mode);
