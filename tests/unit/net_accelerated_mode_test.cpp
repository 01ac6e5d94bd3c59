// Accelerated mode's worker on a raw UDP socket bound to 127.0.0.1, which
// sees every loopback UDP packet (raw sockets need root, as the tests run).
// All traffic goes to a receiver on 127.0.0.1 that the test binds itself.
// The test hands the mode its socket through the opener SwitchOn takes, and
// finds the worker among the process's threads, as the program holds no
// handle to it: the worker's exit code and the closing of its socket show
// how it ended.
#include "tests/unit/net_packet_watch.h"

TEST_F(NetPacketWatch, PacketsAreReadAndDroppedUntilTheModeGoesOff)
{
    const SOCKET raw = OpenLoopbackRawSocket();
    ASSERT_NE(INVALID_SOCKET, raw);
    CWorkerThreads threads;
    CAcceleratedMode mode;
    SwitchOnWith(mode, raw);
    ASSERT_EQ(1u, threads.Collect());

    // Small and large packets alike; one larger than the worker's buffer
    // does not end it.
    for (int i = 0; i < 20; ++i)
        Send(i % 2 ? 3000 : 40);
    u_long pending = 1;
    EXPECT_TRUE(
        Eventually([&] { return ioctlsocket(raw, FIONREAD, &pending) == 0 && pending == 0; }));
    EXPECT_TRUE(mode.IsOn());
    EXPECT_TRUE(IsRunning(threads.Last()));

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
    EXPECT_EQ(0u, ExitCodeOnceEnded(threads.Last()));
    EXPECT_TRUE(IsClosed(raw));
}

TEST_F(NetPacketWatch, AFailedReceiveEndsTheWorkerWithOneAndItClosesItsSocket)
{
    const SOCKET raw = OpenLoopbackRawSocket();
    ASSERT_NE(INVALID_SOCKET, raw);
    CWorkerThreads threads;
    CAcceleratedMode mode;
    SwitchOnWith(mode, raw);
    ASSERT_EQ(1u, threads.Collect());
    // Non-blocking from now on: the worker's receive after this packet finds
    // nothing waiting and fails.
    u_long nonBlocking = 1;
    ASSERT_EQ(0, ioctlsocket(raw, FIONBIO, &nonBlocking));
    Send();
    EXPECT_EQ(1u, ExitCodeOnceEnded(threads.Last()));
    EXPECT_TRUE(IsClosed(raw));

    // The mode stays on, as the window shows it, without a worker.
    EXPECT_TRUE(mode.IsOn());
    ExpectNoWorkerToTakeBack(mode, threads);

    // No socket at all, as when the raw socket cannot be had: the first
    // receive fails at once, perhaps before the worker can be seen.
    CAcceleratedMode unopened;
    SwitchOnWith(unopened, INVALID_SOCKET);
    if (threads.Collect() == 1) {
        EXPECT_EQ(1u, ExitCodeOnceEnded(threads.Last()));
    }
    EXPECT_TRUE(unopened.IsOn());
    ExpectNoWorkerToTakeBack(unopened, threads);
}

TEST_F(NetPacketWatch, SwitchingOnBeforeTheWorkerEndedTakesItBackWithItsSocket)
{
    const SOCKET raw = OpenLoopbackRawSocket();
    ASSERT_NE(INVALID_SOCKET, raw);
    CWorkerThreads threads;
    CAcceleratedMode mode;
    SwitchOnWith(mode, raw);
    ASSERT_EQ(1u, threads.Collect());

    g_opened = 0;
    mode.SwitchOff();
    mode.SwitchOn(&CountedOpen);
    EXPECT_EQ(0, g_opened.load());
    EXPECT_EQ(0u, threads.Collect());
    EXPECT_TRUE(mode.IsOn());
    for (int i = 0; i < 5; ++i)
        Send();
    u_long pending = 1;
    EXPECT_TRUE(
        Eventually([&] { return ioctlsocket(raw, FIONREAD, &pending) == 0 && pending == 0; }));
    EXPECT_TRUE(IsRunning(threads.Last()));
    EXPECT_FALSE(IsClosed(raw));

    mode.SwitchOff();
    Send();
    EXPECT_EQ(0u, ExitCodeOnceEnded(threads.Last()));
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
                sendto(sender, "p", 1, 0, reinterpret_cast<const sockaddr*>(&m_target),
                       sizeof m_target);
            if (closesocket(sender) != 0)
                ++sendersClosedByOthers;
        }
    });

    g_openedSockets.clear();
    CWorkerThreads threads;
    CAcceleratedMode mode;  // its workers run on the framework's threads
    // A new socket means a new worker, which waits in its receive until the
    // mode goes off: one that is gone at once ended with a failed receive.
    size_t workersGoneAtOnce = 0;
    const auto switchOn = [&] {
        const size_t opened = g_openedSockets.size();
        mode.SwitchOn(&RecordedOpen);
        if (g_openedSockets.size() != opened && threads.Collect() != 1)
            ++workersGoneAtOnce;
    };
    switchOn();
    bool alwaysOn = true;
    for (int i = 0; i < 1000; ++i) {
        mode.SwitchOff();
        // Now and then the worker is given the time to end, so the next
        // switch opens a new socket rather than taking the worker back.
        if (i % 4 == 0)
            WaitForSingleObject(threads.Last(), kPatienceMs);
        switchOn();
        alwaysOn = alwaysOn && mode.IsOn();
    }
    mode.SwitchOff();
    // A worker whose socket another close took from it would have ended
    // with a failed receive: 1.
    int endedByStop = 0;
    for (HANDLE worker : threads.Workers())
        endedByStop += ExitCodeOnceEnded(worker) == 0;
    sending = false;
    traffic.join();

    EXPECT_TRUE(alwaysOn);
    EXPECT_EQ(0u, workersGoneAtOnce);
    EXPECT_EQ(g_openedSockets.size(), threads.Workers().size());
    EXPECT_EQ(static_cast<int>(threads.Workers().size()), endedByStop);
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
