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
//                    receive (or could not be started, or was retired)
//   Waking           the mode is on; the user-interface thread is cancelling
//                    the worker's receive so that it can be retired
//   Retiring         the mode is on; the worker is to end, so that another
//                    can watch a new address
// Only the worker closes its socket, once, as it ends; it first moves the
// state out of Stopping (or On, or Retiring), so switching on again can never take back a
// worker whose socket is going. Switching on while the worker is Stopping
// takes that worker back with its socket instead of opening another, and a
// new socket is opened only in Off. So at any time there is at most one
// socket of the mode, no socket is open without the worker that will close
// it, none is closed twice, and none is used after its close.
//
// Handing over to a new address: the user-interface thread moves On to
// Waking, cancels the worker's pending receive, and moves on to Retiring. A
// worker that finds Waking waits until it is gone, so its socket is still
// open while the user-interface thread cancels on it; in Retiring it moves to
// OnWithoutWorker and closes its socket as it ends. A worker that entered its
// receive just after the cancel is woken again the same way, from Retiring,
// as long as the hand-over waits. From OnWithoutWorker only
// the user-interface thread moves on, opening the next socket and starting
// the next worker: there is never more than one worker receiving.
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
    // While the mode is on: ends the worker, should one run, and starts the
    // next one on the socket that openSocket gives, once the last has gone
    // (which a worker whose receive cannot be cancelled does only with its
    // next packet: a later call then finishes). No worker is started on
    // INVALID_SOCKET. True when a new worker runs.
    bool Rearm(SocketOpener openSocket);
    // Whether the mode is on with no worker: the last one ended after a
    // failed receive, or none could be started.
    bool IsOnWithoutWorker() const;

    // The worker: receives and drops packets until it sees the mode off or
    // is retired (returns 0), or a receive fails (returns 1); closes its
    // socket.
    UINT Watch();

private:
    enum State : int { kOff, kOn, kStopping, kOnWithoutWorker, kWaking, kRetiring };
    // Hands socket to the worker about to start; only while Off or
    // OnWithoutWorker.
    void Hand(SOCKET socket);
    // Hands socket to a new worker and starts it; false when it could not
    // be started (the socket is then closed).
    bool StartWorker(SOCKET socket);
    // Wakes the worker (On or Retiring) until it has left; the state then.
    int Retire(int state);
    // The worker: waits while the user-interface thread is waking it.
    int StateAfterWaking();

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
