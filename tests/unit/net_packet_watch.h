// What the tests of accelerated mode's worker share: a raw UDP socket on
// 127.0.0.1 for the worker, which sees every loopback UDP packet (raw
// sockets need root, as the tests run), a receiver on 127.0.0.1 that the
// test binds itself, and the worker found among the process's threads, as
// the program holds no handle to it.
#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "net/AcceleratedMode.h"
#include "tests/unit/allocation_refusal.h"
// After the system headers it needs.
#include <tlhelp32.h>

namespace packet_watch {

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

inline sockaddr_in Loopback(u_short port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A raw socket on 127.0.0.1 for the worker; whoever takes it closes it.
inline SOCKET OpenLoopbackRawSocket()
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

inline bool IsClosed(SOCKET socket)
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

// The socket the next switch on opens.
inline SOCKET g_handOut = INVALID_SOCKET;

inline SOCKET HandOut()
{
    return std::exchange(g_handOut, INVALID_SOCKET);
}

inline void SwitchOnWith(CAcceleratedMode& mode, SOCKET socket)
{
    g_handOut = socket;
    mode.SwitchOn(&HandOut);
}

// The threads of this process that started after the object: the mode's
// workers. A handle is held to every thread seen, so no thread id is taken
// again by a later thread while the test looks.
class CWorkerThreads {
public:
    CWorkerThreads() { Collect(m_others); }
    ~CWorkerThreads()
    {
        for (HANDLE thread : m_others)
            CloseHandle(thread);
        for (HANDLE thread : m_workers)
            CloseHandle(thread);
    }
    CWorkerThreads(const CWorkerThreads&) = delete;
    CWorkerThreads& operator=(const CWorkerThreads&) = delete;

    // Takes the workers that started since the last look; how many.
    size_t Collect() { return Collect(m_workers); }
    const std::vector<HANDLE>& Workers() const { return m_workers; }
    HANDLE Last() const { return m_workers.empty() ? nullptr : m_workers.back(); }

private:
    size_t Collect(std::vector<HANDLE>& into)
    {
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
        if (snapshot == INVALID_HANDLE_VALUE)
            return 0;
        size_t found = 0;
        THREADENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Thread32First(snapshot, &entry); more;
             more = Thread32Next(snapshot, &entry)) {
            if (entry.th32OwnerProcessID != GetCurrentProcessId() ||
                m_seen.count(entry.th32ThreadID))
                continue;
            const HANDLE thread =
                OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
            if (!thread)
                continue;
            m_seen.insert(entry.th32ThreadID);
            into.push_back(thread);
            ++found;
        }
        CloseHandle(snapshot);
        return found;
    }

    std::set<DWORD> m_seen;
    std::vector<HANDLE> m_others;
    std::vector<HANDLE> m_workers;
};

inline bool IsRunning(HANDLE thread)
{
    return WaitForSingleObject(thread, 0) == WAIT_TIMEOUT;
}

// The thread's exit code once it has ended; STILL_ACTIVE when it does not.
inline DWORD ExitCodeOnceEnded(HANDLE thread)
{
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(thread, kPatienceMs) == WAIT_OBJECT_0)
        GetExitCodeThread(thread, &code);
    return code;
}

inline std::atomic<int> g_opened{0};

inline SOCKET CountedOpen()
{
    ++g_opened;
    return OpenLoopbackRawSocket();
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

    // A mode on without a worker has none to take back: off and on again
    // opens a new socket, whose worker then ends by a stop.
    void ExpectNoWorkerToTakeBack(CAcceleratedMode& mode, CWorkerThreads& threads)
    {
        mode.SwitchOff();
        EXPECT_FALSE(mode.IsOn());
        g_opened = 0;
        mode.SwitchOn(&CountedOpen);
        EXPECT_EQ(1, g_opened.load());
        ASSERT_EQ(1u, threads.Collect());
        mode.SwitchOff();
        Send();
        EXPECT_EQ(0u, ExitCodeOnceEnded(threads.Last()));
    }

    SOCKET m_receiver = INVALID_SOCKET;
    SOCKET m_sender = INVALID_SOCKET;
    sockaddr_in m_target{};
};

}  // namespace packet_watch

using namespace packet_watch;
