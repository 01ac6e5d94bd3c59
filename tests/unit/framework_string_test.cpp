#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "framework/AnsiString.h"

TEST(FrameworkString, FormatsShortAndLongTexts)
{
    CString text;
    text.Format(" %2d hrs : %2d mins : %2d secs", 100, 0, 5);
    EXPECT_STREQ(" 100 hrs :  0 mins :  5 secs", text);

    const std::string wide(1000, 'x');
    text.Format("<%s>", wide.c_str());
    EXPECT_TRUE(text == ("<" + wide + ">").c_str());
}

TEST(FrameworkString, LongTextFormatsFromItself)
{
    const std::string wide(300, 'x');
    CString text(wide.c_str());
    text.Format("%s|%s", text.c_str(), text.c_str());
    EXPECT_TRUE(text == (wide + "|" + wide).c_str());
}

TEST(FrameworkString, ReformattingReusesTheBuffer)
{
    CString text;
    text.Format("%s", "a text of some thirty characters");
    const char* before = text.c_str();
    text.Format(" %d ", 12345);
    text.Format("%s", "a text of some thirty characters");
    EXPECT_EQ(before, text.c_str());
}

TEST(FrameworkString, ACounterThatGainsADigitKeepsItsBuffer)
{
    CString text;
    text.Format(" %d ", 999999);
    const char* before = text.c_str();
    text.Format(" %d ", 1000000);
    EXPECT_EQ(before, text.c_str());
}

TEST(FrameworkString, LeftFindAndBuffer)
{
    const CString text("Intel(R) PRO/1000 Loopback");
    EXPECT_STREQ("Intel", text.Left(5));
    EXPECT_STREQ("", text.Left(0));
    EXPECT_STREQ(text, text.Left(500));
    EXPECT_EQ(18, text.Find("Loopback"));
    EXPECT_EQ(-1, text.Find("loopback"));

    CString filled;
    char* buffer = filled.GetBuffer(8);
    buffer[0] = 'a';
    buffer[1] = 'b';
    buffer[2] = '\0';
    filled.ReleaseBuffer();
    // The comparison takes the whole text: the buffer's room is gone.
    EXPECT_TRUE(filled == "ab");
}

TEST(FrameworkString, CopiesStandAloneAndAppendingItselfSurvivesGrowth)
{
    CString original("interface");
    CString copy(original);
    copy += " 2";
    EXPECT_STREQ("interface", original);
    EXPECT_STREQ("interface 2", copy);
    original = copy;
    EXPECT_STREQ("interface 2", original);

    CString moved(std::move(copy));
    EXPECT_STREQ("interface 2", moved);
    // A part of the text itself, appended while the buffer must grow.
    moved += moved.c_str() + 9;
    moved += moved;
    EXPECT_STREQ("interface 2 2interface 2 2", moved);
}
