#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "settings/SettingsStore.h"

TEST(SettingsStore, LeadingDecimalReadsWhatFormatWrote)
{
    EXPECT_EQ(12, LeadingDecimal("12"));
    EXPECT_EQ(-7, LeadingDecimal("-7"));
    EXPECT_EQ(42, LeadingDecimal("   42abc"));
    EXPECT_EQ(5, LeadingDecimal("+5"));
    EXPECT_EQ(0, LeadingDecimal(""));
    EXPECT_EQ(0, LeadingDecimal("x12"));
    EXPECT_EQ(INT_MIN, LeadingDecimal("-2147483648"));
    EXPECT_EQ(INT_MAX, LeadingDecimal("2147483647"));
}

TEST(SettingsStore, RunEntryIsTheQuotedShortcutPathAndTheArgument)
{
    char data[300];
    ASSERT_TRUE(FormatRunEntry("C:\\Apps\\Tool", data, sizeof data));
    EXPECT_STREQ("\"C:\\Apps\\Tool\\Velorix.lnk\" -tray", data);
}

TEST(SettingsStore, RunEntryIsNeverCut)
{
    char data[300];
    // 255 bytes is the most the 256-byte path buffer holds.
    const std::string fits = "C:\\" + std::string(255 - 3 - 12, 'a');
    ASSERT_TRUE(FormatRunEntry(fits.c_str(), data, sizeof data));
    EXPECT_EQ("\"" + fits + "\\Velorix.lnk\" -tray", std::string(data));

    const std::string tooLong = fits + "b";
    EXPECT_FALSE(FormatRunEntry(tooLong.c_str(), data, sizeof data));
    EXPECT_STREQ("", data);

    char small[20];
    EXPECT_FALSE(FormatRunEntry("C:\\Apps\\Tool", small, sizeof small));
    EXPECT_STREQ("", small);
}
