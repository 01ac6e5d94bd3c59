// A change of the display's scale as the system announces it to a window
// of a per-monitor aware program: WM_DPICHANGED with the new DPI and a
// suggested rectangle in the window's own process (the probe carries it
// there). Under Wine the dialog manager re-lays nothing, so controls that
// stay where they were show that the program did not move them itself.
#include <gtest/gtest.h>

#include <map>

#include "tests/e2e/Harness.h"
#include "tests/e2e/Probe.h"

using e2e::Velorix;

// Found by the standard containers' comparisons, as RECT is a global type.
static bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

namespace {

constexpr WPARAM kAt144Dpi = MAKEWPARAM(144, 144);  // 150 %
constexpr LONG kSmallIconAt144Dpi = 24;             // 16 pixels at 100 %

// Each child window's rectangle in its parent's client coordinates.
std::map<HWND, RECT> ChildRects(HWND parent)
{
    std::map<HWND, RECT> rects;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        rects[child] = rect;
    }
    return rects;
}

// Half as large again, its top-left corner moved to (40, 30).
RECT SuggestedAt144Dpi(HWND window)
{
    RECT now{};
    GetWindowRect(window, &now);
    return {40, 30, 40 + (now.right - now.left) * 3 / 2, 30 + (now.bottom - now.top) * 3 / 2};
}

bool SendDpiChanged(CProbe& probe, HWND window, const RECT& suggested)
{
    std::vector<unsigned char> buffer(sizeof suggested);
    memcpy(buffer.data(), &suggested, sizeof suggested);
    return probe.SendWithBuffer(window, 0x02E0 /* WM_DPICHANGED */, kAt144Dpi, buffer).has_value();
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

TEST(DisplayScale, TheMainWindowTakesTheSuggestedRectAndTheTrayIconTheNewSmallSize)
{
    e2e::ResetUserState();
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    CProbe probe(app.UiThread());
    ASSERT_TRUE(probe.Attached()) << probe.LastError();
    ASSERT_TRUE(probe.WatchIcons(app.Main())) << probe.LastError();
    const std::map<HWND, RECT> controls = ChildRects(app.Main());
    const RECT suggested = SuggestedAt144Dpi(app.Main());

    ASSERT_TRUE(SendDpiChanged(probe, app.Main(), suggested)) << probe.LastError();

    EXPECT_TRUE(WindowRect(app.Main()) == suggested);
    EXPECT_TRUE(ChildRects(app.Main()) == controls);
    const auto icon = probe.LastIconSize(app.Main());
    ASSERT_TRUE(icon) << probe.LastError();
    EXPECT_EQ(kSmallIconAt144Dpi, icon->cx);
    EXPECT_EQ(kSmallIconAt144Dpi, icon->cy);
}

TEST(DisplayScale, TheErrorDialogTakesTheSuggestedRectAndItsLinkAFontForTheNewDpi)
{
    e2e::ResetUserState();
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    app.Post(WM_COMMAND, IDC_RUN_CLIENT, 0);
    HWND error = app.WaitForWindow("#32770", "Error");
    ASSERT_NE(nullptr, error);
    HWND link = GetDlgItem(error, IDC_DOWNLOAD_LINK);
    ASSERT_NE(nullptr, link);
    CProbe probe(app.UiThread());
    ASSERT_TRUE(probe.Attached()) << probe.LastError();
    // The link has sized itself to its caption at its first paint.
    ASSERT_TRUE(probe.Send(link, WM_PAINT, 0, 0)) << probe.LastError();
    std::map<HWND, RECT> controls = ChildRects(error);
    const RECT linkBefore = controls[link];
    controls.erase(link);
    const RECT suggested = SuggestedAt144Dpi(error);

    ASSERT_TRUE(SendDpiChanged(probe, error, suggested)) << probe.LastError();
    ASSERT_TRUE(probe.Send(link, WM_PAINT, 0, 0)) << probe.LastError();

    EXPECT_TRUE(WindowRect(error) == suggested);
    std::map<HWND, RECT> now = ChildRects(error);
    const RECT linkNow = now[link];
    now.erase(link);
    EXPECT_TRUE(now == controls);
    // The link keeps its place; its caption (3 pixels less than the link)
    // is half as tall again.
    EXPECT_EQ(linkBefore.left, linkNow.left);
    EXPECT_EQ(linkBefore.top, linkNow.top);
    EXPECT_EQ((linkBefore.bottom - linkBefore.top - 3) * 3 / 2, linkNow.bottom - linkNow.top - 3);
    EXPECT_GT(linkNow.right - linkNow.left, (linkBefore.right - linkBefore.left) * 4 / 3);
}
