// Accelerated mode following the first non-loopback address, on raw UDP
// sockets that the test's opener binds to the address the list names. The
// local address table is the test's own; 127.0.0.2 stands for a network that
// arrives, and every packet goes to 127.0.0.1.
#include <cstddef>
#include <string>

#include "net/AddressFollower.h"
#include "tests/support/ImportPatch.h"
#include "tests/unit/net_packet_watch.h"

namespace {

std::vector<DWORD> g_addresses;  // network byte order
std::vector<SOCKET> g_opened_sockets;
// For each socket opened, whether the one opened before it was closed by
// then: handed over, never two at once.
std::vector<bool> g_last_closed_first;

DWORD WINAPI ScriptedIpAddrTable(PMIB_IPADDRTABLE table, PULONG size, BOOL)
{
    const ULONG needed = static_cast<ULONG>(offsetof(MIB_IPADDRTABLE, table) +
                                            g_addresses.size() * sizeof(MIB_IPADDRROW));
    if (!table || *size < needed) {
        *size = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    table->dwNumEntries = static_cast<DWORD>(g_addresses.size());
    for (size_t i = 0; i < g_addresses.size(); ++i) {
        table->table[i] = MIB_IPADDRROW{};
        table->table[i].dwAddr = g_addresses[i];
        table->table[i].dwMask = htonl(0xFF000000u);
    }
    return NO_ERROR;
}

SOCKET OpenOnCurrentAddress()
{
    g_last_closed_first.push_back(g_opened_sockets.empty() || IsClosed(g_opened_sockets.back()));
    SOCKET raw = WSASocketA(AF_INET, SOCK_RAW, IPPROTO_UDP, nullptr, 0, WSA_FLAG_OVERLAPPED);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = inet_addr(CurrentCaptureAddress());
    if (raw != INVALID_SOCKET &&
        bind(raw, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR) {
        closesocket(raw);
        raw = INVALID_SOCKET;
    }
    if (raw != INVALID_SOCKET)
        g_opened_sockets.push_back(raw);
    return raw;
}

std::string BoundAddress(SOCKET socket)
{
    sockaddr_in address{};
    int length = sizeof address;
    if (getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return "<closed>";
    return inet_ntoa(address.sin_addr);
}

class NetAddressFollow : public NetPacketWatch {
protected:
    void SetUp() override
    {
        NetPacketWatch::SetUp();
        g_opened_sockets.clear();
        g_last_closed_first.clear();
        g_addresses = {inet_addr("127.0.0.1")};
        g_nLocalAddresses = BuildLocalAddressList(g_LocalAddresses, kMaxLocalAddresses);
    }

    CImportPatch m_patch{"iphlpapi.dll", "GetIpAddrTable",
                         reinterpret_cast<const void*>(&ScriptedIpAddrTable)};
};

}  // namespace

// Started before the network: the worker watches loopback until it comes.
TEST_F(NetAddressFollow, TheWorkerMovesToTheNewAddressAndItsOldSocketClosesOnce)
{
    ASSERT_TRUE(m_patch.Applied());
    CWorkerThreads threads;
    CAcceleratedMode mode;
    CAddressFollower follower(mode, &OpenOnCurrentAddress);
    mode.SwitchOn(&OpenOnCurrentAddress);
    follower.SwitchedOn();
    ASSERT_EQ(1u, threads.Collect());
    const HANDLE loopbackWorker = threads.Last();

    follower.Follow();
    EXPECT_EQ(1u, g_opened_sockets.size()) << "the same address: nothing moves";

    g_addresses.push_back(inet_addr("127.0.0.2"));
    follower.Follow();
    EXPECT_NE(STILL_ACTIVE, ExitCodeOnceEnded(loopbackWorker));
    ASSERT_EQ(2u, g_opened_sockets.size());
    EXPECT_EQ("127.0.0.2", BoundAddress(g_opened_sockets[1]));
    EXPECT_TRUE(mode.IsOn());
    EXPECT_FALSE(mode.IsOnWithoutWorker());

    // And back, so the last worker can be stopped by a packet to 127.0.0.1.
    g_addresses.pop_back();
    follower.Follow();
    ASSERT_EQ(3u, g_opened_sockets.size());
    EXPECT_EQ("127.0.0.1", BoundAddress(g_opened_sockets[2]));
    EXPECT_EQ((std::vector<bool>{true, true, true}), g_last_closed_first);
    mode.SwitchOff();
    Send();
    threads.Collect();
    for (HANDLE worker : threads.Workers())
        EXPECT_NE(STILL_ACTIVE, ExitCodeOnceEnded(worker));
}

TEST_F(NetAddressFollow, AWorkerThatEndedIsStartedAgainAndNoneWhileTheModeIsOff)
{
    ASSERT_TRUE(m_patch.Applied());
    CWorkerThreads threads;
    CAcceleratedMode mode;
    CAddressFollower follower(mode, &OpenOnCurrentAddress);
    SwitchOnWith(mode, INVALID_SOCKET);  // its first receive fails
    ASSERT_TRUE(Eventually([&] { return mode.IsOnWithoutWorker(); }));

    follower.Follow();
    ASSERT_EQ(1u, g_opened_sockets.size());
    EXPECT_EQ("127.0.0.1", BoundAddress(g_opened_sockets[0]));
    EXPECT_FALSE(mode.IsOnWithoutWorker());

    mode.SwitchOff();
    g_addresses.push_back(inet_addr("127.0.0.2"));
    follower.Follow();
    EXPECT_EQ(1u, g_opened_sockets.size());
    Send();
    threads.Collect();
    for (HANDLE worker : threads.Workers())
        EXPECT_NE(STILL_ACTIVE, ExitCodeOnceEnded(worker));
}
