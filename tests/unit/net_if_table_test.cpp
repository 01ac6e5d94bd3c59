// The interface table buffer: sized from the system's report with room to
// grow, never offered to the system as larger than it is, regrown only when
// the table outgrows it, and read only inside the rows it holds.
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "net/IfTableBuffer.h"

namespace {

// A system interface table served from g_rows, as GetIfTable serves it. The
// buffer's size shows in what it offers the system: the whole buffer.
std::vector<MIB_IFROW> g_rows;
DWORD g_failWith = NO_ERROR;
DWORD g_countClaimed = 0;  // when not 0, the row count the table states
struct Call {
    bool table;
    ULONG size;
};
std::vector<Call> g_calls;

ULONG Needed()
{
    return static_cast<ULONG>(offsetof(MIB_IFTABLE, table) + g_rows.size() * sizeof(MIB_IFROW));
}

DWORD WINAPI ScriptedIfTable(PMIB_IFTABLE table, PULONG size, BOOL)
{
    g_calls.push_back({table != nullptr, *size});
    if (g_failWith != NO_ERROR)
        return g_failWith;
    if (!table || *size < Needed()) {
        *size = Needed();
        return ERROR_INSUFFICIENT_BUFFER;
    }
    table->dwNumEntries = g_countClaimed ? g_countClaimed : static_cast<DWORD>(g_rows.size());
    for (size_t i = 0; i < g_rows.size(); ++i)
        table->table[i] = g_rows[i];
    return NO_ERROR;
}

void Script(size_t count, DWORD firstIndex = 1)
{
    g_rows.assign(count, MIB_IFROW{});
    for (size_t i = 0; i < count; ++i)
        g_rows[i].dwIndex = firstIndex + static_cast<DWORD>(i);
}

class NetIfTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_rows.clear();
        g_calls.clear();
        g_failWith = NO_ERROR;
        g_countClaimed = 0;
    }
    // What the last call was offered.
    static ULONG Offered() { return g_calls.empty() ? 0 : g_calls.back().size; }
    // Every size handed over with the buffer fits the buffer.
    void ExpectNoCallOffersMoreThan(DWORD capacity)
    {
        for (const Call& call : g_calls) {
            if (call.table) {
                EXPECT_LE(call.size, capacity);
            }
        }
    }
};

}  // namespace

TEST_F(NetIfTable, CapacityIsTheReportWithSpareRowsWithinReason)
{
    EXPECT_EQ(0u, IfTableCapacityFor(0));
    EXPECT_EQ(0u, IfTableCapacityFor(kIfTableLargest + 1));
    const DWORD one = static_cast<DWORD>(sizeof(MIB_IFTABLE));
    EXPECT_EQ(one + kIfTableSpareRows * sizeof(MIB_IFROW), IfTableCapacityFor(one));
    EXPECT_EQ(0u, IfTableCapacityFor(5) % sizeof(DWORD));
    EXPECT_GE(IfTableCapacityFor(5), 5 + kIfTableSpareRows * sizeof(MIB_IFROW));
}

TEST_F(NetIfTable, LoadReadsTheTableIntoABufferOfItsSizeAndRoom)
{
    Script(3);
    CIfTableBuffer buffer;
    ASSERT_TRUE(buffer.Load(&ScriptedIfTable));
    ASSERT_EQ(2u, g_calls.size());
    EXPECT_FALSE(g_calls[0].table);
    EXPECT_EQ(0u, g_calls[0].size);
    const DWORD capacity = IfTableCapacityFor(Needed());
    EXPECT_TRUE(g_calls[1].table);
    EXPECT_EQ(capacity, g_calls[1].size);
    ASSERT_EQ(3u, buffer.RowCount());
    EXPECT_EQ(2u, buffer.Row(1)->dwIndex);
    EXPECT_EQ(nullptr, buffer.Row(3));
    EXPECT_EQ(nullptr, buffer.Row(-1));
    ExpectNoCallOffersMoreThan(capacity);
}

TEST_F(NetIfTable, NoTableWhenTheSizeQueryDoesNotAskForMore)
{
    g_failWith = ERROR_NOT_SUPPORTED;
    CIfTableBuffer buffer;
    EXPECT_FALSE(buffer.Load(&ScriptedIfTable));
    EXPECT_FALSE(buffer.Load(nullptr));
    EXPECT_EQ(0u, buffer.RowCount());
    EXPECT_EQ(nullptr, buffer.Row(0));
    EXPECT_NE(static_cast<DWORD>(NO_ERROR), buffer.Refresh(&ScriptedIfTable));
}

TEST_F(NetIfTable, RefreshWithinTheRoomKeepsTheBuffer)
{
    Script(2);
    CIfTableBuffer buffer;
    ASSERT_TRUE(buffer.Load(&ScriptedIfTable));
    const MIB_IFROW* before = buffer.Row(0);
    const DWORD capacity = IfTableCapacityFor(Needed());

    for (int tick = 0; tick < 5; ++tick)
        EXPECT_EQ(static_cast<DWORD>(NO_ERROR), buffer.Refresh(&ScriptedIfTable));
    Script(2 + kIfTableSpareRows, 10);  // grows, but into the room left
    g_calls.clear();
    EXPECT_EQ(static_cast<DWORD>(NO_ERROR), buffer.Refresh(&ScriptedIfTable));
    EXPECT_EQ(1u, g_calls.size());
    Script(1);  // shrinks
    EXPECT_EQ(static_cast<DWORD>(NO_ERROR), buffer.Refresh(&ScriptedIfTable));

    EXPECT_EQ(before, buffer.Row(0));
    EXPECT_EQ(capacity, Offered());
    EXPECT_EQ(1u, buffer.RowCount());
    ExpectNoCallOffersMoreThan(capacity);
}

TEST_F(NetIfTable, ATableThatOutgrowsTheBufferIsReadInTheSameRefresh)
{
    Script(2);
    CIfTableBuffer buffer;
    ASSERT_TRUE(buffer.Load(&ScriptedIfTable));
    const DWORD small = IfTableCapacityFor(Needed());

    Script(300, 100);
    g_calls.clear();
    EXPECT_EQ(static_cast<DWORD>(NO_ERROR), buffer.Refresh(&ScriptedIfTable));
    EXPECT_EQ(2u, g_calls.size());
    EXPECT_EQ(small, g_calls[0].size);
    const DWORD grown = IfTableCapacityFor(Needed());
    EXPECT_EQ(grown, g_calls[1].size);
    EXPECT_GT(grown, small);
    ASSERT_EQ(300u, buffer.RowCount());
    EXPECT_EQ(399u, buffer.Row(299)->dwIndex);
    ExpectNoCallOffersMoreThan(grown);
}

TEST_F(NetIfTable, AFailedRefreshKeepsTheRowsOfTheLastRead)
{
    Script(2, 40);
    CIfTableBuffer buffer;
    ASSERT_TRUE(buffer.Load(&ScriptedIfTable));
    g_failWith = ERROR_NOT_ENOUGH_MEMORY;
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), buffer.Refresh(&ScriptedIfTable));
    ASSERT_EQ(2u, buffer.RowCount());
    EXPECT_EQ(41u, buffer.Row(1)->dwIndex);
}

TEST_F(NetIfTable, ACountBeyondTheBufferIsNotBelieved)
{
    Script(1);
    CIfTableBuffer buffer;
    g_countClaimed = 0xFFFFFFFFu;
    ASSERT_TRUE(buffer.Load(&ScriptedIfTable));
    const DWORD fits = (Offered() - offsetof(MIB_IFTABLE, table)) / sizeof(MIB_IFROW);
    EXPECT_EQ(fits, buffer.RowCount());
    EXPECT_NE(nullptr, buffer.Row(static_cast<int>(fits) - 1));
    EXPECT_EQ(nullptr, buffer.Row(static_cast<int>(fits)));
}
