#include "net/AcceleratedMode.h"

#include <type_traits>

#include "framework/Thread.h"
#include "net/SocketHandle.h"

CAcceleratedMode g_AcceleratedMode;
static_assert(std::is_trivially_destructible<CAcceleratedMode>::value,
              "the mode outlives its worker only if nothing runs at its destruction");

namespace {

// What the worker receives into: an IPv4 packet of an Ethernet frame fits.
constexpr int kPacketBytes = 1600;

}  // namespace

bool CAcceleratedMode::IsOn() const
{
    const int state = m_state.load();
    return state == kOn || state == kOnWithoutWorker;
}

void CAcceleratedMode::SwitchOn(SocketOpener openSocket)
{
    int state = kStopping;
    if (m_state.compare_exchange_strong(state, kOn) || state != kOff)
        return;
    Hand(openSocket ? openSocket() : INVALID_SOCKET);
    if (!StartWorkerThread(&PacketWatchThread, this)) {
        CSocketHandle unused(m_hCaptureSocket);
        m_hCaptureSocket = INVALID_SOCKET;
        m_state.store(kOnWithoutWorker);
    }
}

void CAcceleratedMode::SwitchOff()
{
    int state = kOn;
    if (!m_state.compare_exchange_strong(state, kStopping) && state == kOnWithoutWorker)
        m_state.compare_exchange_strong(state, kOff);
}

void CAcceleratedMode::Hand(SOCKET socket)
{
    m_hCaptureSocket = socket;
    m_state.store(kOn);
}

void CAcceleratedMode::EndWorkerAfterFailure()
{
    int state = m_state.load();
    while (!m_state.compare_exchange_weak(state, state == kOn ? kOnWithoutWorker : kOff)) {
    }
}

UINT CAcceleratedMode::Watch()
{
    const CSocketHandle socket(m_hCaptureSocket);
    char packet[kPacketBytes];
    sockaddr_in sender;
    for (;;) {
        int state = m_state.load();
        if (state == kStopping) {
            if (m_state.compare_exchange_strong(state, kOff))
                return 0;
            continue;  // switched on again: carry on
        }
        if (state != kOn)
            return 0;
        int senderLength = sizeof sender;
        // A packet larger than the buffer comes with WSAEMSGSIZE: it has
        // been read and dropped like any other.
        if (::recvfrom(socket.Get(), packet, sizeof packet, 0, reinterpret_cast<sockaddr*>(&sender),
                       &senderLength) == SOCKET_ERROR &&
            ::WSAGetLastError() != WSAEMSGSIZE) {
            EndWorkerAfterFailure();
            return 1;
        }
    }
}

UINT PacketWatchThread(LPVOID mode)
{
    return static_cast<CAcceleratedMode*>(mode)->Watch();
}
