#include "capture/SettingsRules.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(CaptureSettingsRules, MbDeleteKeepsOnlyOneTo999)
{
    EXPECT_EQ(NormaliseMbDelete(INT_MIN), 1);
    EXPECT_EQ(NormaliseMbDelete(-1), 1);
    EXPECT_EQ(NormaliseMbDelete(0), 1);
    EXPECT_EQ(NormaliseMbDelete(1), 1);
    EXPECT_EQ(NormaliseMbDelete(2), 2);
    EXPECT_EQ(NormaliseMbDelete(999), 999);
    EXPECT_EQ(NormaliseMbDelete(1000), 1);
    EXPECT_EQ(NormaliseMbDelete(INT_MAX), 1);
}

TEST(CaptureSettingsRules, LogTypeKeepsOnlyZeroToSix)
{
    EXPECT_EQ(NormaliseLogType(INT_MIN), 0);
    EXPECT_EQ(NormaliseLogType(-1), 0);
    EXPECT_EQ(NormaliseLogType(0), 0);
    EXPECT_EQ(NormaliseLogType(3), 3);
    EXPECT_EQ(NormaliseLogType(6), 6);
    EXPECT_EQ(NormaliseLogType(7), 0);
    EXPECT_EQ(NormaliseLogType(INT_MAX), 0);
}

TEST(CaptureSettingsRules, IdleSecondsAreAnUnsignedDecimal)
{
    EXPECT_EQ(ParseIdleSeconds("10"), 10u);
    EXPECT_EQ(ParseIdleSeconds(" 42s"), 42u);
    EXPECT_EQ(ParseIdleSeconds(""), 0u);
    EXPECT_EQ(ParseIdleSeconds("abc"), 0u);
    EXPECT_EQ(ParseIdleSeconds("0x10"), 0u);
    EXPECT_EQ(ParseIdleSeconds("4294967295"), 4294967295u);
    EXPECT_EQ(ParseIdleSeconds("99999999999"), 4294967295u);
    EXPECT_EQ(ParseIdleSeconds("-1"), 4294967295u);
    EXPECT_EQ(IdleMilliseconds(10), 10000u);
    EXPECT_EQ(IdleMilliseconds(4294967), 4294967000u);
    EXPECT_EQ(IdleMilliseconds(4294968), 704u);
}

}  // namespace
