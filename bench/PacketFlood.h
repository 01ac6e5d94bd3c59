// A bounded flood of UDP datagrams to 127.0.0.1 and the raw socket that
// sees it: a raw IPPROTO_UDP socket bound to 127.0.0.1 receives every
// loopback UDP datagram, IP header included. Nothing leaves the host.
#pragma once
#include "bench/Handle.h"
#include "framework/Win32.h"

// The raw socket, as accelerated mode holds one, with a receive buffer
// large enough for the backlog a measurement starts from; INVALID_SOCKET
// (and the error in *error) when it cannot be opened, as without the
// right to raw sockets.
SOCKET OpenLoopbackRawSocket(int* error);

// Sends datagrams from its own thread to a port of 127.0.0.1 that a socket
// of its own holds, until stopped, or until it has sent its limit or run
// its time. The raw socket sees them whether or not the port is read.
class CLoopbackFlood {
public:
    CLoopbackFlood(long limit, DWORD maxMs);
    ~CLoopbackFlood();
    CLoopbackFlood(const CLoopbackFlood&) = delete;
    CLoopbackFlood& operator=(const CLoopbackFlood&) = delete;

    bool Start();
    // Waits at most ms for the sender to reach its limit or its time.
    bool WaitSent(DWORD ms);
    void Stop();
    // One more datagram from the calling thread, to wake a receiver.
    void Nudge();
    long Sent() const { return m_sent; }

private:
    static DWORD WINAPI SenderEntry(LPVOID self);
    void Send();

    const long m_limit;
    const DWORD m_maxMs;
    SOCKET m_sink = INVALID_SOCKET;  // holds the port, never read
    SOCKET m_sender = INVALID_SOCKET;
    sockaddr_in m_target{};
    CHandle m_thread;
    volatile LONG m_stop = 0;
    volatile LONG m_sent = 0;
};
