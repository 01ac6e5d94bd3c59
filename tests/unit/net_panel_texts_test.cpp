// The texts of the network panel: the clocks, the connection type and the
// byte totals.
#include <gtest/gtest.h>

#include <string>

#include "net/ConnectionText.h"
#include "net/ElapsedTime.h"
#include "net/InterfaceTotals.h"

namespace {

std::string ClockAfter(int ticks)
{
    int hours = 0, minutes = 0, seconds = 0;
    for (int i = 0; i < ticks; ++i)
        StepElapsedTime(hours, minutes, seconds);
    CString text;
    FormatElapsedTime(text, hours, minutes, seconds);
    return text.c_str();
}

std::string Type(DWORD flags)
{
    CString text = "previous";
    FormatConnectionType(text, flags);
    return text.c_str();
}

std::string Bytes(ULONG64 value)
{
    CString text;
    FormatByteCount(text, value);
    return text.c_str();
}

}  // namespace

TEST(NetClock, CountsTicksIntoHoursMinutesAndSeconds)
{
    EXPECT_EQ(" 0 hrs :  0 mins :  0 secs", ClockAfter(0));
    EXPECT_EQ(" 0 hrs :  0 mins :  1 secs", ClockAfter(1));
    EXPECT_EQ(" 0 hrs :  0 mins : 59 secs", ClockAfter(59));
    EXPECT_EQ(" 0 hrs :  1 mins :  0 secs", ClockAfter(60));
    EXPECT_EQ(" 0 hrs : 59 mins : 59 secs", ClockAfter(3599));
    EXPECT_EQ(" 1 hrs :  0 mins :  0 secs", ClockAfter(3600));
    EXPECT_EQ(" 24 hrs :  0 mins :  1 secs", ClockAfter(86401));  // no wrap at a day
    EXPECT_EQ(" 100 hrs :  0 mins :  0 secs", ClockAfter(360000));
}

TEST(NetConnectionType, FlagsAppearInTheirFixedOrder)
{
    EXPECT_EQ("", Type(0));
    EXPECT_EQ(" LAN ", Type(0x02));
    EXPECT_EQ(" LAN  Proxy ", Type(0x02 | 0x04));
    EXPECT_EQ(" LAN  Modem  Offline  Proxy ", Type(0x01 | 0x02 | 0x04 | 0x20));
    EXPECT_EQ(" Modem  Offline ", Type(0x21));
    // Wine answers 0x12: LAN and "configured", which is not shown.
    EXPECT_EQ(" LAN ", Type(0x12));
    EXPECT_EQ("", Type(0x08 | 0x10 | 0x40));
}

TEST(NetByteCount, TotalsAreUnsignedAndSixtyFourBitsWide)
{
    EXPECT_EQ(" 0 ", Bytes(0));
    EXPECT_EQ(" 2147483648 ", Bytes(0x80000000ull));
    EXPECT_EQ(" 4294967295 ", Bytes(0xFFFFFFFFull));
    EXPECT_EQ(" 4294967296 ", Bytes(0x100000000ull));
    EXPECT_EQ(" 18446744073709551615 ", Bytes(~0ull));
}

namespace {

ULONG64 g_scriptedIn = 0;
ULONG64 g_scriptedOut = 0;
DWORD g_scriptedAnswer = NO_ERROR;
NET_IFINDEX g_askedIndex = 0;
ULONG64 g_askedLuid = 1;

DWORD WINAPI ScriptedIfEntry2(PMIB_IF_ROW2 row)
{
    g_askedIndex = row->InterfaceIndex;
    g_askedLuid = row->InterfaceLuid.Value;
    if (g_scriptedAnswer != NO_ERROR)
        return g_scriptedAnswer;
    row->InOctets = g_scriptedIn;
    row->OutOctets = g_scriptedOut;
    return NO_ERROR;
}

}  // namespace

TEST(NetByteCount, TotalsComeFromTheWideEntryOfTheRowsInterface)
{
    MIB_IFROW row{};
    row.dwIndex = 7;
    row.dwInOctets = 0x80000001u;  // negative as a signed 32-bit number
    row.dwOutOctets = 12;

    g_scriptedIn = 0x1234567890ull;
    g_scriptedOut = 5;
    g_scriptedAnswer = NO_ERROR;
    InterfaceTotals totals = QueryInterfaceTotals(row, &ScriptedIfEntry2);
    EXPECT_EQ(7u, g_askedIndex);
    EXPECT_EQ(0u, g_askedLuid);  // looked up by index alone
    EXPECT_EQ(0x1234567890ull, totals.received);
    EXPECT_EQ(5u, totals.sent);

    // Without the entry point, or when it fails, the 32-bit counters.
    totals = QueryInterfaceTotals(row, nullptr);
    EXPECT_EQ(0x80000001ull, totals.received);
    EXPECT_EQ(12u, totals.sent);
    g_scriptedAnswer = ERROR_FILE_NOT_FOUND;
    totals = QueryInterfaceTotals(row, &ScriptedIfEntry2);
    EXPECT_EQ(0x80000001ull, totals.received);
    EXPECT_EQ(" 2147483649 ", Bytes(totals.received));
}
