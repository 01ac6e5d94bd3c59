#include "net/AcceleratedMode.h"

#include <type_traits>

#include "framework/CancelIo.h"
#include "framework/Thread.h"
#include "net/SocketHandle.h"

CAcceleratedMode g_AcceleratedMode;
static_assert(std::is_trivially_destructible<CAcceleratedMode>::value,
              "the mode outlives its worker only if nothing runs at its destruction");

namespace {

// What the worker receives into: an IPv4 packet of an Ethernet frame fits.
constexpr int kPacketBytes = 1600;
// How long a hand-over waits for a woken worker to end, in 1 ms steps,
// waking it again after each kWakeAgainMs; after that the next hand-over
// finishes what this one began.
constexpr int kRetireWaitMs = 200;
constexpr int kWakeAgainMs = 10;

}  // namespace

bool CAcceleratedMode::IsOn() const
{
    const int state = m_state.load();
    return state != kOff && state != kStopping;
}

bool CAcceleratedMode::IsOnWithoutWorker() const
{
    return m_state.load() == kOnWithoutWorker;
}

void CAcceleratedMode::SwitchOn(SocketOpener openSocket)
{
    int state = kStopping;
    if (m_state.compare_exchange_strong(state, kOn) || state != kOff)
        return;
    StartWorker(openSocket ? openSocket() : INVALID_SOCKET);
}

void CAcceleratedMode::SwitchOff()
{
    int state = m_state.load();
    for (;;) {
        int next = state;
        if (state == kOn || state == kRetiring)
            next = kStopping;
        else if (state == kOnWithoutWorker)
            next = kOff;
        if (next == state || m_state.compare_exchange_weak(state, next))
            return;
    }
}

bool CAcceleratedMode::Rearm(SocketOpener openSocket)
{
    int state = m_state.load();
    if (state == kOn || state == kRetiring)
        state = Retire(state);
    if (state != kOnWithoutWorker)
        return false;
    const SOCKET socket = openSocket ? openSocket() : INVALID_SOCKET;
    return socket != INVALID_SOCKET && StartWorker(socket);
}

// A worker that had looked at the state but not yet begun its receive when
// that was cancelled receives on: it is woken again every few milliseconds.
int CAcceleratedMode::Retire(int state)
{
    for (int waited = 0; waited < kRetireWaitMs;) {
        if (!m_state.compare_exchange_strong(state, kWaking))
            return state;  // the worker moved first: it ended after a failure
        // The worker keeps its socket open while Waking.
        CancelPendingIo(reinterpret_cast<HANDLE>(m_hCaptureSocket));
        m_state.store(kRetiring);
        for (int step = 0; step < kWakeAgainMs && m_state.load() == kRetiring; ++step, ++waited)
            ::Sleep(1);
        state = m_state.load();
        if (state != kRetiring)
            return state;
    }
    return state;
}

void CAcceleratedMode::Hand(SOCKET socket)
{
    m_hCaptureSocket = socket;
    m_state.store(kOn);
}

bool CAcceleratedMode::StartWorker(SOCKET socket)
{
    Hand(socket);
    if (StartWorkerThread(&PacketWatchThread, this))
        return true;
    CSocketHandle unused(m_hCaptureSocket);
    m_hCaptureSocket = INVALID_SOCKET;
    m_state.store(kOnWithoutWorker);
    return false;
}

int CAcceleratedMode::StateAfterWaking()
{
    int state = m_state.load();
    while (state == kWaking) {
        ::SwitchToThread();
        state = m_state.load();
    }
    return state;
}

UINT CAcceleratedMode::Watch()
{
    const CSocketHandle socket(m_hCaptureSocket);
    char packet[kPacketBytes];
    sockaddr_in sender;
    bool failed = false;
    for (;;) {
        int state = StateAfterWaking();
        int next = state;
        if (state == kStopping)
            next = kOff;
        else if (state == kRetiring || (state == kOn && failed))
            next = kOnWithoutWorker;
        else if (state != kOn)
            return failed ? 1 : 0;
        if (next != state) {
            if (m_state.compare_exchange_strong(state, next))
                return failed ? 1 : 0;
            continue;  // the user-interface thread moved first: switched on again
        }
        int senderLength = sizeof sender;
        // A packet larger than the buffer comes with WSAEMSGSIZE: it has
        // been read and dropped like any other.
        if (::recvfrom(socket.Get(), packet, sizeof packet, 0, reinterpret_cast<sockaddr*>(&sender),
                       &senderLength) == SOCKET_ERROR &&
            ::WSAGetLastError() != WSAEMSGSIZE)
            failed = true;
    }
}

UINT PacketWatchThread(LPVOID mode)
{
    return static_cast<CAcceleratedMode*>(mode)->Watch();
}
