#include "bench/PacketFlood.h"

#include "bench/Stopwatch.h"

namespace {

// The usual Linux rmem_max; Linux doubles what it grants for its own
// bookkeeping, and about 10,000 small datagrams fit.
constexpr int kReceiveBuffer = 4 * 1024 * 1024;
constexpr char kPayload[16] = "velorix-bench";

sockaddr_in Loopback(u_short port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = ::htons(port);
    address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
    return address;
}

void CloseIfOpen(SOCKET& socket)
{
    if (socket != INVALID_SOCKET)
        ::closesocket(socket);
    socket = INVALID_SOCKET;
}

}  // namespace

SOCKET OpenLoopbackRawSocket(int* error)
{
    *error = 0;
    SOCKET raw = ::WSASocketA(AF_INET, SOCK_RAW, IPPROTO_UDP, nullptr, 0, WSA_FLAG_OVERLAPPED);
    if (raw == INVALID_SOCKET) {
        *error = ::WSAGetLastError();
        return INVALID_SOCKET;
    }
    const sockaddr_in address = Loopback(0);
    if (::bind(raw, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR) {
        *error = ::WSAGetLastError();
        ::closesocket(raw);
        return INVALID_SOCKET;
    }
    const int size = kReceiveBuffer;
    ::setsockopt(raw, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
    return raw;
}

CLoopbackFlood::CLoopbackFlood(long limit, DWORD maxMs) : m_limit(limit), m_maxMs(maxMs)
{
}

CLoopbackFlood::~CLoopbackFlood()
{
    Stop();
    CloseIfOpen(m_sender);
    CloseIfOpen(m_sink);
}

bool CLoopbackFlood::Start()
{
    m_sink = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    m_sender = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in sink = Loopback(0);
    int length = sizeof sink;
    if (m_sink == INVALID_SOCKET || m_sender == INVALID_SOCKET ||
        ::bind(m_sink, reinterpret_cast<const sockaddr*>(&sink), sizeof sink) == SOCKET_ERROR ||
        ::getsockname(m_sink, reinterpret_cast<sockaddr*>(&m_target), &length) == SOCKET_ERROR)
        return false;
    m_thread.Reset(::CreateThread(nullptr, 0, &SenderEntry, this, 0, nullptr));
    return static_cast<bool>(m_thread);
}

bool CLoopbackFlood::WaitSent(DWORD ms)
{
    return m_thread && ::WaitForSingleObject(m_thread.Get(), ms) == WAIT_OBJECT_0;
}

void CLoopbackFlood::Stop()
{
    ::InterlockedExchange(&m_stop, 1);
    if (m_thread)
        ::WaitForSingleObject(m_thread.Get(), INFINITE);
    m_thread.Reset(nullptr);
}

void CLoopbackFlood::Nudge()
{
    if (m_sender != INVALID_SOCKET &&
        ::sendto(m_sender, kPayload, sizeof kPayload, 0,
                 reinterpret_cast<const sockaddr*>(&m_target), sizeof m_target) != SOCKET_ERROR)
        ::InterlockedIncrement(&m_sent);
}

DWORD WINAPI CLoopbackFlood::SenderEntry(LPVOID self)
{
    static_cast<CLoopbackFlood*>(self)->Send();
    return 0;
}

void CLoopbackFlood::Send()
{
    const CStopwatch clock;
    for (unsigned attempt = 0; !m_stop && m_sent < m_limit; ++attempt) {
        // The clock is read once per hundred datagrams: it costs about as
        // much as a send.
        if (attempt % 100 == 0 && clock.Milliseconds() > m_maxMs)
            break;
        if (::sendto(m_sender, kPayload, sizeof kPayload, 0,
                     reinterpret_cast<const sockaddr*>(&m_target), sizeof m_target) != SOCKET_ERROR)
            ::InterlockedIncrement(&m_sent);
    }
}
