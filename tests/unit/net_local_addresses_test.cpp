// The local address list and the address the capture socket is bound to.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "net/LocalAddresses.h"
#include "tests/support/ImportPatch.h"

namespace {

class NetLocalAddresses : public ::testing::Test {
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(0, WSAStartup(MAKEWORD(1, 1), &data));
    }
    void TearDown() override { WSACleanup(); }
};

// A table of count rows 10.0.<i / 256>.<i % 256>, masks 255.255.255.0.
std::vector<DWORD> Table(DWORD count)
{
    std::vector<DWORD> words(1 + count * sizeof(MIB_IPADDRROW) / sizeof(DWORD));
    auto* table = reinterpret_cast<MIB_IPADDRTABLE*>(words.data());
    table->dwNumEntries = count;
    for (DWORD i = 0; i < count; ++i) {
        table->table[i].dwAddr = htonl(0x0A000000u | i);
        table->table[i].dwMask = htonl(0xFFFFFF00u);
    }
    return words;
}

DWORD Bytes(const std::vector<DWORD>& words)
{
    return static_cast<DWORD>(words.size() * sizeof(DWORD));
}

LOCAL_ADDRESS Address(const char* text)
{
    LOCAL_ADDRESS record{};
    std::strncpy(record.szAddress, text, sizeof record.szAddress - 1);
    return record;
}

}  // namespace

TEST_F(NetLocalAddresses, TheFirstHundredAreCopiedInTheSystemsOrder)
{
    std::vector<DWORD> table = Table(120);
    std::vector<LOCAL_ADDRESS> list(kMaxLocalAddresses + 1);
    const auto* view = reinterpret_cast<const MIB_IPADDRTABLE*>(table.data());
    ASSERT_EQ(100, CopyLocalAddresses(*view, Bytes(table), list.data(), kMaxLocalAddresses));
    EXPECT_STREQ("10.0.0.0", list[0].szAddress);
    EXPECT_STREQ("255.255.255.0", list[0].szMask);
    EXPECT_STREQ("10.0.0.99", list[99].szAddress);
    EXPECT_STREQ("", list[100].szAddress);  // untouched past the capacity

    // Fewer than the capacity: all of them.
    table = Table(2);
    view = reinterpret_cast<const MIB_IPADDRTABLE*>(table.data());
    EXPECT_EQ(2, CopyLocalAddresses(*view, Bytes(table), list.data(), kMaxLocalAddresses));
    EXPECT_STREQ("10.0.0.1", list[1].szAddress);
}

TEST_F(NetLocalAddresses, ACountBeyondTheTablesBytesIsNotBelieved)
{
    std::vector<DWORD> table = Table(3);
    auto* view = reinterpret_cast<MIB_IPADDRTABLE*>(table.data());
    view->dwNumEntries = 0x7FFFFFFF;
    LOCAL_ADDRESS list[kMaxLocalAddresses] = {};
    EXPECT_EQ(3, CopyLocalAddresses(*view, Bytes(table), list, kMaxLocalAddresses));
    EXPECT_EQ(0, CopyLocalAddresses(*view, 2, list, kMaxLocalAddresses));
    EXPECT_EQ(0, CopyLocalAddresses(*view, Bytes(table), list, 0));
    EXPECT_EQ(0, CopyLocalAddresses(*view, Bytes(table), nullptr, 5));
}

TEST_F(NetLocalAddresses, TheSystemsListFitsItsCapacity)
{
    // Whatever this machine has: never more than asked for, and each one a
    // dotted address.
    LOCAL_ADDRESS list[kMaxLocalAddresses] = {};
    const int count = BuildLocalAddressList(list, kMaxLocalAddresses);
    EXPECT_GE(count, 0);
    EXPECT_LE(count, kMaxLocalAddresses);
    for (int i = 0; i < count; ++i)
        EXPECT_NE(INADDR_NONE, inet_addr(list[i].szAddress)) << list[i].szAddress;
    LOCAL_ADDRESS one[2] = {};
    EXPECT_LE(BuildLocalAddressList(one, 1), 1);
    EXPECT_STREQ("", one[1].szAddress);
    EXPECT_EQ(0, BuildLocalAddressList(one, 0));
}

namespace {

// The size the system's address table claims to need, whatever it is given.
ULONG g_claimedSize = 0;

DWORD WINAPI ClaimSize(PMIB_IPADDRTABLE, PULONG size, BOOL)
{
    *size = g_claimedSize;
    return ERROR_INSUFFICIENT_BUFFER;
}

}  // namespace

TEST_F(NetLocalAddresses, AnAbsurdOrEverGrowingTableSizeMeansNoAddresses)
{
    const CImportPatch patch("iphlpapi.dll", "GetIpAddrTable",
                             reinterpret_cast<const void*>(&ClaimSize));
    ASSERT_TRUE(patch.Applied());
    LOCAL_ADDRESS list[kMaxLocalAddresses] = {};
    // Sizes no table has, a size whose rounding up to whole DWORDs wraps,
    // and a plausible size the table outgrows at every read.
    for (const ULONG size : {0xFFFFFFF0ul, 0xFFFFFFFFul, 0x80000000ul, 0x10000000ul, 2000ul}) {
        g_claimedSize = size;
        int count = -1;
        EXPECT_NO_THROW(count = BuildLocalAddressList(list, kMaxLocalAddresses)) << size;
        EXPECT_EQ(0, count) << size;
    }
}

TEST_F(NetLocalAddresses, TheCaptureAddressIsTheFirstThatIsNotLoopbackOrAny)
{
    const LOCAL_ADDRESS loopbackFirst[] = {Address("127.0.0.1"), Address("192.168.1.5")};
    EXPECT_EQ(1, ChooseCaptureAddress(loopbackFirst, 2));
    EXPECT_EQ(0, ChooseCaptureAddress(loopbackFirst, 1));  // only 127.0.0.1: itself

    const LOCAL_ADDRESS several[] = {Address("0.0.0.0"), Address("127.0.0.1"), Address("10.1.2.3"),
                                     Address("192.168.1.5")};
    EXPECT_EQ(2, ChooseCaptureAddress(several, 4));
    // Exact text: another loopback address is chosen.
    const LOCAL_ADDRESS other[] = {Address("127.0.0.1"), Address("127.0.0.2")};
    EXPECT_EQ(1, ChooseCaptureAddress(other, 2));
    EXPECT_EQ(0, ChooseCaptureAddress(several, 0));
}
