// Where the caption animation of the tray icon ends: the notification
// area as worked out from the taskbar's descendants, from the appbar
// answer, or from the work area alone.
#include <gtest/gtest.h>

#include <vector>

#include "tray/NotificationArea.h"

namespace {

struct Descendant {
    const char* className;
    RECT rect;
};

// Runs the descendants through the rule in enumeration order, as the
// taskbar's enumeration does, until the rule stops it; returns the area and
// how many descendants were looked at.
std::pair<RECT, size_t> AreaOf(const RECT& taskbar, const std::vector<Descendant>& descendants)
{
    RECT area = taskbar;
    size_t seen = 0;
    for (const Descendant& d : descendants) {
        ++seen;
        if (!ApplyTaskbarDescendant(area, d.className, d.rect))
            break;
    }
    return {area, seen};
}

void ExpectRect(const RECT& expected, const RECT& actual)
{
    EXPECT_EQ(expected.left, actual.left);
    EXPECT_EQ(expected.top, actual.top);
    EXPECT_EQ(expected.right, actual.right);
    EXPECT_EQ(expected.bottom, actual.bottom);
}

const RECT kBottomTaskbar{0, 738, 1024, 768};
const RECT kRightTaskbar{944, 0, 1024, 768};

}  // namespace

TEST(TrayNotificationArea, ClockAboveTheIconsTakesTheAreaBelowIt)
{
    // A tall taskbar at the right edge: the clock is the top of the area.
    const auto [area, seen] = AreaOf(kRightTaskbar, {
                                                        {"Button", {944, 0, 1024, 30}},
                                                        {"TrayNotifyWnd", {946, 640, 1022, 766}},
                                                        {"TrayClockWClass", {946, 640, 1022, 670}},
                                                        {"TrayNotifyWnd", {0, 0, 10, 10}},
                                                    });
    ExpectRect({946, 670, 1022, 766}, area);
    EXPECT_EQ(3u, seen) << "the enumeration stops at the clock";
}

TEST(TrayNotificationArea, ClockBesideTheIconsEndsTheAreaAtItsLeftEdge)
{
    const RECT notify{820, 740, 1022, 766};
    ExpectRect({820, 740, 960, 766},
               AreaOf(kBottomTaskbar,
                      {{"TrayNotifyWnd", notify}, {"TrayClockWClass", {960, 742, 1020, 766}}})
                   .first);
    // Within five pixels of the area's bottom the clock counts as beside the
    // icons; one pixel higher it counts as above them.
    ExpectRect({820, 740, 960, 766},
               AreaOf(kBottomTaskbar,
                      {{"TrayNotifyWnd", notify}, {"TrayClockWClass", {960, 742, 1020, 761}}})
                   .first);
    ExpectRect({820, 760, 1022, 766},
               AreaOf(kBottomTaskbar,
                      {{"TrayNotifyWnd", notify}, {"TrayClockWClass", {960, 742, 1020, 760}}})
                   .first);
}

TEST(TrayNotificationArea, WithoutAClockTheLastNotifyWindowOrTheTaskbarIsTheArea)
{
    const auto [area, seen] = AreaOf(kBottomTaskbar, {
                                                         {"TrayNotifyWnd", {800, 740, 900, 766}},
                                                         {"ReBarWindow32", {60, 740, 700, 766}},
                                                         {"TrayNotifyWnd", {850, 741, 1020, 767}},
                                                         {"traynotifywnd", {1, 2, 3, 4}},
                                                         {"TrayClockWClassX", {1, 2, 3, 4}},
                                                     });
    ExpectRect({850, 741, 1020, 767}, area);
    EXPECT_EQ(5u, seen);

    ExpectRect(kBottomTaskbar, AreaOf(kBottomTaskbar, {{"Button", {0, 740, 60, 766}}}).first);
    ExpectRect(kBottomTaskbar, AreaOf(kBottomTaskbar, {}).first);
}

TEST(TrayNotificationArea, AppBarAnswerOnEachEdge)
{
    struct Case {
        UINT edge;
        int dpi;
        RECT taskbar;
        RECT area;
    };
    const Case cases[] = {
        {ABE_LEFT, 96, {0, 0, 60, 768}, {0, 668, 60, 752}},
        {ABE_RIGHT, 96, {964, 0, 1024, 768}, {964, 668, 1024, 752}},
        {ABE_TOP, 96, {0, 0, 1024, 30}, {924, 0, 1008, 30}},
        {ABE_BOTTOM, 96, {0, 738, 1024, 768}, {924, 738, 1008, 768}},
        // At 150 % the estimates are 150 and 24 pixels.
        {ABE_BOTTOM, 144, {0, 1020, 1536, 1080}, {1386, 1020, 1512, 1080}},
        {ABE_RIGHT, 144, {1476, 0, 1536, 1080}, {1476, 930, 1536, 1056}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edge);
        RECT area{-1, -1, -1, -1};
        ASSERT_TRUE(NotificationAreaFromAppBar(c.edge, c.taskbar, c.dpi, &area));
        ExpectRect(c.area, area);
    }
    RECT untouched{1, 2, 3, 4};
    EXPECT_FALSE(NotificationAreaFromAppBar(4, kBottomTaskbar, 96, &untouched));
    ExpectRect({1, 2, 3, 4}, untouched);
}

TEST(TrayNotificationArea, WithNeitherTheCornerOfTheWorkAreaIsTheArea)
{
    ExpectRect({874, 708, 1024, 738}, NotificationAreaFromWorkArea({0, 0, 1024, 738}, 96));
    // A work area that does not start at the origin (a taskbar at the top).
    ExpectRect({1450, 1170, 1600, 1200}, NotificationAreaFromWorkArea({0, 40, 1600, 1200}, 96));
    // At 200 %, twice the size.
    ExpectRect({1748, 1016, 2048, 1076}, NotificationAreaFromWorkArea({0, 0, 2048, 1076}, 192));
}
