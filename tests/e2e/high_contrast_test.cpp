// The main window under a white-on-black system colour scheme, as a user
// who needs high contrast sets it: its labels must stay readable.
#include <gtest/gtest.h>

#include <vector>

#include "tests/e2e/Harness.h"
#include "tests/e2e/user_state_fixture.h"

using e2e::Velorix;

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const int kElements[] = {COLOR_BTNFACE, COLOR_WINDOW,   COLOR_WINDOWTEXT,
                         COLOR_BTNTEXT, COLOR_HOTLIGHT, COLOR_GRAYTEXT};
const COLORREF kScheme[] = {kBlack, kBlack, kWhite, kWhite, RGB(255, 255, 0), RGB(0, 255, 0)};
constexpr int kCount = sizeof kElements / sizeof kElements[0];

// The scheme for every process of the session while this object lives; the
// colours and the high-contrast state before it come back however the test
// ends. (Wine refuses SPI_SETHIGHCONTRAST; the colours alone are tried there.)
class WhiteOnBlackScheme {
public:
    WhiteOnBlackScheme()
    {
        for (int i = 0; i < kCount; ++i)
            m_saved[i] = GetSysColor(kElements[i]);
        m_state.cbSize = sizeof m_state;
        m_haveState = SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof m_state, &m_state, 0);
        HIGHCONTRASTA on{sizeof on, HCF_HIGHCONTRASTON, nullptr};
        SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof on, &on, SPIF_SENDCHANGE);
        m_applied = SetSysColors(kCount, kElements, kScheme) != FALSE;
    }
    ~WhiteOnBlackScheme()
    {
        SetSysColors(kCount, kElements, m_saved);
        if (m_haveState) {
            HIGHCONTRASTA before{sizeof before, m_state.dwFlags, nullptr};
            SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof before, &before, SPIF_SENDCHANGE);
        }
    }
    WhiteOnBlackScheme(const WhiteOnBlackScheme&) = delete;
    WhiteOnBlackScheme& operator=(const WhiteOnBlackScheme&) = delete;

    bool Applied() const { return m_applied; }

private:
    COLORREF m_saved[kCount]{};
    HIGHCONTRASTA m_state{};
    BOOL m_haveState = FALSE;
    bool m_applied = false;
};

// The pixels of the screen inside a window's client area, shrunk by inset
// on each side (a sunken label's edge is drawn in other colours).
std::vector<COLORREF> ScreenPixels(HWND window, int inset)
{
    RECT client;
    GetClientRect(window, &client);
    InflateRect(&client, -inset, -inset);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (LONG y = client.top; y < client.bottom; ++y)
        for (LONG x = client.left; x < client.right; ++x)
            pixels.push_back(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    return pixels;
}

int CountOtherThan(const std::vector<COLORREF>& pixels, COLORREF background)
{
    int count = 0;
    for (COLORREF pixel : pixels)
        count += pixel != background ? 1 : 0;
    return count;
}

class HighContrast : public e2e::CFreshUserTest {};

}  // namespace

TEST_F(HighContrast, LabelsOfTheMainWindowDrawInTheSchemesTextColour)
{
    // Started after the change: a running Wine process keeps the colours it
    // started with.
    WhiteOnBlackScheme scheme;
    ASSERT_TRUE(scheme.Applied());
    Velorix app;
    ASSERT_NE(nullptr, app.Main());

    // The values are painted anew by the status timer: up to 5 s for both.
    for (int id : {IDC_CONNECTION_TYPE_LABEL, IDC_CONNECTION_TYPE}) {
        std::vector<COLORREF> pixels = ScreenPixels(app.Control(id), 2);
        for (int i = 0; i < 50 && CountOtherThan(pixels, kBlack) <= 10; ++i) {
            e2e::Pump(100);
            pixels = ScreenPixels(app.Control(id), 2);
        }
        ASSERT_FALSE(pixels.empty()) << id;
        // Mostly the dialog's black, with white text on it.
        EXPECT_LT(CountOtherThan(pixels, kBlack), static_cast<int>(pixels.size()) / 2) << id;
        EXPECT_GT(CountOtherThan(pixels, kBlack), 10) << id;
    }
}
