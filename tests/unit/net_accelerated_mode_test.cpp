// Accelerated mode's worker on a raw UDP socket bound to 127.0.0.1, which
// sees every loopback UDP packet (raw sockets need root, as the tests run).
// All traffic goes to a receiver on 127.0.0.1 that the test binds itself.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "net/AcceleratedMode.h"
#include "tests/unit/allocation_refusal.h"

namespace {

constexpr DWORD kPatienceMs = 10000;  // for what must happen, not how fast

class CTestSocket {
public:
    explicit CTestSocket(SOCKET socket) : m_hSocket(socket) {}
    ~CTestSocket()
    {
        if (m_hSocket != INVALID_SOCKET)
            closesocket(m_hSocket);
    }
    CTestSocket(const CTestSocket&) = delete;
    CTestSocket& operator=(const CTestSocket&) = delete;
    SOCKET Get() const { return m_hSocket; }

private:
    SOCKET m_hSocket;
};

sockaddr_in Loopback(u_short port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A raw socket on 127.0.0.1 for the worker; whoever takes it closes it.
SOCKET OpenLoopbackRawSocket()
{
    SOCKET raw = WSASocketA(AF_INET, SOCK_RAW, IPPROTO_UDP, nullptr, 0, WSA_FLAG_OVERLAPPED);
    const sockaddr_in address = Loopback(0);
    if (raw != INVALID_SOCKET &&
        bind(raw, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR) {
        closesocket(raw);
        raw = INVALID_SOCKET;
    }
    return raw;
}

bool IsClosed(SOCKET socket)
{
    int type = 0;
    int length = sizeof type;
    return getsockopt(socket, SOL_SOCKET, SO_TYPE, reinterpret_cast<char*>(&type), &length) ==
               SOCKET_ERROR &&
           WSAGetLastError() == WSAENOTSOCK;
}

// Polls until done() holds or the patience runs out.
template <typename Done>
bool Eventually(Done done)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kPatienceMs)
            return false;
        Sleep(1);
    }
    return true;
}

class NetPacketWatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &data));
        m_receiver = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        m_sender = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        sockaddr_in address = Loopback(0);
        ASSERT_EQ(0, bind(m_receiver, reinterpret_cast<const sockaddr*>(&address), sizeof address));
        int length = sizeof m_target;
        ASSERT_EQ(0, getsockname(m_receiver, reinterpret_cast<sockaddr*>(&m_target), &length));
        m_target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    }
    void TearDown() override
    {
        closesocket(m_sender);
        closesocket(m_receiver);
        WSACleanup();
    }

    void Send(int bytes = 32)
    {
        std::vector<char> payload(static_cast<size_t>(bytes), 'p');
        sendto(m_sender, payload.data(), bytes, 0, reinterpret_cast<const sockaddr*>(&m_target),
               sizeof m_target);
    }

    // Runs the worker's entry on a thread of the test's, as the framework
    // would, keeping its exit code.
    void StartWorker(CAcceleratedMode& mode)
    {
        m_worker = std::thread([this, &mode] { m_exitCode = PacketWatchThread(&mode); });
    }
    UINT JoinWorker()
    {
        m_worker.join();
        return m_exitCode;
    }

    SOCKET m_receiver = INVALID_SOCKET;
    SOCKET m_sender = INVALID_SOCKET;
    sockaddr_in m_target{};
    std::thread m_worker;
    UINT m_exitCode = 99;
};

}  // namespace

TEST_F(NetPacketWatch, PacketsAreReadAndDroppedUntilTheModeGoesOff)
{
    const SOCKET raw = OpenLoopbackRawSocket();
    ASSERT_NE(INVALID_SOCKET, raw);
    CAcceleratedMode mode;
    mode.Hand(raw);
    StartWorker(mode);

    // Small and large packets alike; one larger than the worker's buffer
    // does not end it.
    for (int i = 0; i < 20; ++i)
        Send(i % 2 ? 3000 : 40);
    u_long pending = 1;
    EXPECT_TRUE(Eventually([&] { return ioctlsocket(raw, FIONREAD, &pending) == 0 && pending == 0; }));
    EXPECT_TRUE(mode.IsOn());
    EXPECT_TRUE(mode.HasWorker());

    // Dropping a copy takes nothing from the packets' receiver.
    int received = 0;
    char buffer[4096];
    u_long nonBlocking = 1;
    ioctlsocket(m_receiver, FIONBIO, &nonBlocking);
    while (recv(m_receiver, buffer, sizeof buffer, 0) > 0)
        ++received;
    EXPECT_EQ(20, received);

    // Off: the worker sees it before its next receive, after one more packet.
    mode.SwitchOff();
    EXPECT_FALSE(mode.IsOn());
    Send();
    EXPECT_EQ(0u, JoinWorker());
    EXPECT_FALSE(mode.HasWorker());
    EXPECT_TRUE(IsClosed(raw));
}

TEST_F(NetPacketWatch, AFailedReceiveEndsTheWorkerWithOneAndItClosesItsSocket)
{
    // A stream socket that is not connected: its first receive fails at once.
    const SOCKET unconnected = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    ASSERT_NE(INVALID_SOCKET, unconnected);
    CAcceleratedMode mode;
    mode.Hand(unconnected);
    StartWorker(mode);
    EXPECT_EQ(1u, JoinWorker());
    EXPECT_TRUE(IsClosed(unconnected));
    // The mode stays on, as the window shows it, without a worker.
    EXPECT_TRUE(mode.IsOn());
    EXPECT_FALSE(mode.HasWorker());
    mode.SwitchOff();
    EXPECT_FALSE(mode.IsOn());

    // No socket at all, as when the raw socket cannot be had.
    mode.Hand(INVALID_SOCKET);
    StartWorker(mode);
    EXPECT_EQ(1u, JoinWorker());
    EXPECT_TRUE(mode.IsOn());
    EXPECT_FALSE(mode.HasWorker());
}

namespace {

std::atomic<int> g_opened{0};

SOCKET CountedOpen()
{
    ++g_opened;
    return OpenLoopbackRawSocket();
}

}  // namespace

TEST_F(NetPacketWatch, SwitchingOnBeforeTheWorkerEndedTakesItBackWithItsSocket)
{
    const SOCKET raw = OpenLoopbackRawSocket();
    ASSERT_NE(INVALID_SOCKET, raw);
    CAcceleratedMode mode;
    mode.Hand(raw);
    StartWorker(mode);

    g_opened = 0;
    mode.SwitchOff();
    mode.SwitchOn(&CountedOpen);
    EXPECT_EQ(0, g_opened.load());
    EXPECT_TRUE(mode.IsOn());
    for (int i = 0; i < 5; ++i)
        Send();
    u_long pending = 1;
    EXPECT_TRUE(Eventually([&] { return ioctlsocket(raw, FIONREAD, &pending) == 0 && pending == 0; }));
    EXPECT_TRUE(mode.HasWorker());
    EXPECT_FALSE(IsClosed(raw));

    mode.SwitchOff();
    Send();
    EXPECT_EQ(0u, JoinWorker());
    EXPECT_TRUE(IsClosed(raw));
}

namespace {

std::vector<SOCKET> g_openedSockets;

SOCKET RecordedOpen()
{
    const SOCKET raw = OpenLoopbackRawSocket();
    g_openedSockets.push_back(raw);
    return raw;
}

}  // namespace

TEST_F(NetPacketWatch, AThousandQuickTogglesLeaveNoSocketOpenAndCloseNoneTwice)
{
    // Loopback traffic, bounded in count, for as long as the toggling lasts,
    // from senders opened and closed all the while: the handle values the
    // workers free are soon taken by a sender, so a second close of one
    // would close a sender under it.
    std::atomic<bool> sending{true};
    int sendersClosedByOthers = 0;
    std::thread traffic([&] {
        for (int i = 0; i < 50000 && sending; ++i) {
            const SOCKET sender = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
            for (int k = 0; k < 4; ++k)
                sendto(sender, "p", 1, 0, reinterpret_cast<const sockaddr*>(&m_target), sizeof m_target);
            if (closesocket(sender) != 0)
                ++sendersClosedByOthers;
        }
    });

    g_openedSockets.clear();
    CAcceleratedMode mode;  // its workers run on the framework's threads
    mode.SwitchOn(&RecordedOpen);
    bool alwaysWatching = true;
    for (int i = 0; i < 1000; ++i) {
        mode.SwitchOff();
        // Now and then the worker is given the time to end, so the next
        // switch opens a new socket rather than taking the worker back.
        if (i % 4 == 0)
            Eventually([&] { return !mode.HasWorker(); });
        mode.SwitchOn(&RecordedOpen);
        // A worker whose socket another close took from it would have
        // ended with a failed receive.
        alwaysWatching = alwaysWatching && mode.IsOn() && mode.HasWorker();
    }
    mode.SwitchOff();
    const bool ended = Eventually([&] { return !mode.HasWorker(); });
    sending = false;
    traffic.join();

    EXPECT_TRUE(alwaysWatching);
    EXPECT_TRUE(ended);
    EXPECT_EQ(0, sendersClosedByOthers);
    // Each socket opened went to a worker, which closed it.
    EXPECT_GE(g_openedSockets.size(), 250u);
    int leftOpen = 0;
    for (SOCKET raw : g_openedSockets)
        leftOpen += raw == INVALID_SOCKET || !IsClosed(raw);
    EXPECT_EQ(0, leftOpen);
}

namespace {

SOCKET g_lastOpened = INVALID_SOCKET;

// Stores nothing on the heap: it runs while allocations are refused.
SOCKET RememberedOpen()
{
    g_lastOpened = OpenLoopbackRawSocket();
    return g_lastOpened;
}

}  // namespace

TEST_F(NetPacketWatch, WithoutMemoryToStartTheWorkerItsSocketIsClosedAndTheNextSwitchWorks)
{
    CAcceleratedMode mode;
    {
        const CRefusedAllocations refused;
        EXPECT_NO_THROW(mode.SwitchOn(&RememberedOpen));
    }
    ASSERT_NE(INVALID_SOCKET, g_lastOpened);
    EXPECT_TRUE(IsClosed(g_lastOpened));
    // On, as the window shows it, like a worker whose socket failed.
    EXPECT_TRUE(mode.IsOn());
    mode.SwitchOff();
    EXPECT_FALSE(mode.IsOn());

    // The next activation opens a socket of its own and its worker runs.
    mode.SwitchOn(&RememberedOpen);
    const SOCKET second = g_lastOpened;
    ASSERT_NE(INVALID_SOCKET, second);
    EXPECT_FALSE(IsClosed(second));
    mode.SwitchOff();
    EXPECT_TRUE(Eventually([&] {
        Send();
        return IsClosed(second);
    }));
}
