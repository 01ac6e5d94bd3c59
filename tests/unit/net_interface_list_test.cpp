// The Network Interface list: entry texts, which adapters are offered, and
// the entry-to-row lookup.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "net/InterfaceEntry.h"

namespace {

MIB_IFROW Row(const char* description, DWORD speed)
{
    MIB_IFROW row{};
    std::memcpy(row.bDescr, description, std::strlen(description) + 1);
    row.dwSpeed = speed;
    return row;
}

std::string Entry(const MIB_IFROW& row)
{
    CString entry;
    FormatInterfaceEntry(entry, row);
    return entry.c_str();
}

std::string Entry(const char* description, DWORD speed = 0)
{
    return Entry(Row(description, speed));
}

}  // namespace

TEST(NetInterfaceEntry, SpeedIsShiftedByTwentyBitsNotDividedByAMillion)
{
    EXPECT_EQ(" Fast Ethernet 95 Mb", Entry("Fast Ethernet", 100000000));
    EXPECT_EQ(" Ethernet 9 Mb", Entry("Ethernet", 10000000));
    EXPECT_EQ(" Slow 0 Mb", Entry("Slow", 1048575));
    EXPECT_EQ(" Exact 1 Mb", Entry("Exact", 1048576));
    // The whole unsigned range: 0xFFFFFFFF >> 20.
    EXPECT_EQ(" Top 4095 Mb", Entry("Top", 0xFFFFFFFFu));
}

TEST(NetInterfaceEntry, DescriptionIsCutToThirtyEightCharacters)
{
    const std::string forty = "0123456789012345678901234567890123456789";
    EXPECT_EQ(" " + forty.substr(0, 38) + " 0 Mb", Entry(forty.c_str()));
    EXPECT_EQ(" " + forty.substr(0, 38) + " 0 Mb", Entry(forty.substr(0, 38).c_str()));
    EXPECT_EQ("  0 Mb", Entry(""));

    // A description filling bDescr without a terminator is read no further
    // than the cut.
    MIB_IFROW full{};
    std::memset(full.bDescr, 'x', sizeof full.bDescr);
    full.dwSpeed = 2u << 20;
    EXPECT_EQ(" " + std::string(38, 'x') + " 2 Mb", Entry(full));
}

TEST(NetInterfaceEntry, WanIsatapAndLoopbackEntriesAreLeftOut)
{
    EXPECT_FALSE(IsListedEntry(Entry("WAN Miniport (IP)").c_str()));
    EXPECT_FALSE(IsListedEntry(Entry("isatap.{6B2A}").c_str()));
    EXPECT_FALSE(IsListedEntry(Entry("Software Loopback Interface 1").c_str()));
    EXPECT_FALSE(IsListedEntry(Entry("Loopback").c_str()));

    EXPECT_TRUE(IsListedEntry(Entry("WANx Adapter").c_str()));
    // The entry is compared, not the description: " WAN 0 Mb".
    EXPECT_FALSE(IsListedEntry(Entry("WAN").c_str()));
    EXPECT_TRUE(IsListedEntry(Entry("isatap").c_str()));
    EXPECT_TRUE(IsListedEntry(Entry("ISATAP.{6B2A}").c_str()));
    EXPECT_TRUE(IsListedEntry(Entry("wan miniport").c_str()));
    EXPECT_TRUE(IsListedEntry(Entry("MS TCP loopback interface").c_str()));
    EXPECT_TRUE(IsListedEntry(Entry("Intel(R) PRO/1000").c_str()));
}

TEST(NetInterfaceEntry, OnlyTheCutTextIsSearchedForLoopback)
{
    const std::string late = std::string(38, 'a') + "Loopback";
    EXPECT_TRUE(IsListedEntry(Entry(late.c_str()).c_str()));
    const std::string edge = std::string(30, 'a') + "Loopback";  // ends at character 38
    EXPECT_FALSE(IsListedEntry(Entry(edge.c_str()).c_str()));
    const std::string split = std::string(31, 'a') + "Loopback";  // cut inside the word
    EXPECT_TRUE(IsListedEntry(Entry(split.c_str()).c_str()));
}

TEST(NetInterfaceEntry, InterfaceLookupStaysInsideTheMappedEntries)
{
    const DWORD interfaces[] = {1, 12, 7};
    DWORD found = 0;
    EXPECT_TRUE(IfIndexOfEntry(interfaces, 3, 1, &found));
    EXPECT_EQ(12u, found);
    EXPECT_TRUE(IfIndexOfEntry(interfaces, 3, 2, &found));
    EXPECT_EQ(7u, found);
    EXPECT_FALSE(IfIndexOfEntry(interfaces, 3, 3, &found));
    EXPECT_FALSE(IfIndexOfEntry(interfaces, 3, -1, &found));
    EXPECT_FALSE(IfIndexOfEntry(interfaces, 0, 0, &found));
    EXPECT_FALSE(IfIndexOfEntry(nullptr, 3, 0, &found));
    // A count beyond the map's capacity is not trusted.
    EXPECT_FALSE(IfIndexOfEntry(interfaces, kMaxInterfaceEntries + 1, 0, &found));
    EXPECT_EQ(7u, found) << "a failed lookup writes nothing";
}
