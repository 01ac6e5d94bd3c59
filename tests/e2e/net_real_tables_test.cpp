// The program on Wine's own interface tables: whatever this machine has, the
// list is not empty, and the counters of the interface that carries
// loopback traffic move when the test sends some to itself.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/e2e/net_helpers.h"
#include "tests/standins/common/StandInPaths.h"

namespace {

constexpr int kPackets = 200;
constexpr int kPacketBytes = 1000;

struct Totals {
    unsigned long long received = 0;
    unsigned long long sent = 0;
};

Totals TotalsOf(e2e::Velorix& app, int entry)
{
    net::Choose(app, entry);
    app.Timer(1);
    return {std::strtoull(app.Text(IDC_BYTES_RECEIVED).c_str(), nullptr, 10),
            std::strtoull(app.Text(IDC_BYTES_SENT).c_str(), nullptr, 10)};
}

// Bounded loopback traffic to a receiver the test binds itself.
bool SendLoopbackTraffic()
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return false;
    SOCKET receiver = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    SOCKET sender = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    bool ok = bind(receiver, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
              getsockname(receiver, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    const std::string payload(kPacketBytes, 'v');
    for (int i = 0; ok && i < kPackets; ++i)
        ok = sendto(sender, payload.data(), kPacketBytes, 0, reinterpret_cast<sockaddr*>(&address),
                    sizeof address) == kPacketBytes;
    closesocket(sender);
    closesocket(receiver);
    WSACleanup();
    return ok;
}

}  // namespace

TEST(NetRealTables, TheListIsFilledAndLoopbackTrafficMovesTheCounters)
{
    e2e::ResetUserState();
    standins::ClearNetFakeOverride("Velorix.exe");
    e2e::Velorix app;
    ASSERT_NE(nullptr, net::Opened(app));
    const std::vector<std::string> entries = net::Entries(app);
    ASSERT_FALSE(entries.empty());

    std::vector<Totals> before;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i)
        before.push_back(TotalsOf(app, i));
    ASSERT_TRUE(SendLoopbackTraffic());

    const unsigned long long sentBytes = 1ull * kPackets * kPacketBytes;
    bool moved = false;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const Totals after = TotalsOf(app, i);
        moved = moved || (after.received >= before[i].received + sentBytes &&
                          after.sent >= before[i].sent + sentBytes);
    }
    EXPECT_TRUE(moved) << entries.size() << " entries, the first " << entries.front();
    e2e::ResetUserState();
}
