// The buffered paint context: drawing goes to an off-screen bitmap that
// reaches the screen when the context closes; regrowing keeps what is drawn.
#include <gtest/gtest.h>

#include "controls/BufferDC.h"
#include "tests/unit/controls_windows.h"

using namespace controls_test;

namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 60;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

SIZE BitmapSize(HDC dc)
{
    BITMAP info{};
    ::GetObjectA(::GetCurrentObject(dc, OBJ_BITMAP), sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

HBITMAP CurrentBitmap(HDC dc)
{
    return static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP));
}

void Fill(CDC& dc, RECT rect, COLORREF colour)
{
    CBrush brush(::CreateSolidBrush(colour));
    dc.FillRect(rect, brush);
}

class ControlsBufferDC : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_host.Open(kWidth, kHeight)); }

    // Runs paint inside one WM_PAINT of the host, with a buffered context.
    void Paint(const std::function<void(CBufferDC&)>& paint)
    {
        m_host.onPaint = [&](CWnd* window) {
            CBufferDC dc(window);
            paint(dc);
        };
        m_host.PaintNow();
        m_host.onPaint = nullptr;
    }

    CTestHost m_host;
};

}  // namespace

TEST_F(ControlsBufferDC, DrawsOffScreenUntilItCloses)
{
    COLORREF onScreenWhileOpen = CLR_INVALID;
    Paint([&](CBufferDC& dc) {
        // Both handles are one memory context the size of the client area.
        EXPECT_EQ(dc.m_hDC, dc.m_hAttribDC);
        EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(dc.m_hDC));
        const SIZE size = BitmapSize(dc.m_hDC);
        EXPECT_EQ(kWidth, size.cx);
        EXPECT_EQ(kHeight, size.cy);
        Fill(dc, {0, 0, kWidth, kHeight}, kBlue);
        Fill(dc, {10, 10, 20, 20}, kRed);
        onScreenWhileOpen = WindowPixel(m_host.m_hWnd, 15, 15);
    });
    EXPECT_NE(kRed, onScreenWhileOpen);
    EXPECT_EQ(kRed, WindowPixel(m_host.m_hWnd, 15, 15));
    EXPECT_EQ(kBlue, WindowPixel(m_host.m_hWnd, 50, 50));
    EXPECT_EQ(kBlue, WindowPixel(m_host.m_hWnd, kWidth - 1, kHeight - 1));
}

TEST_F(ControlsBufferDC, RegrowingKeepsWhatWasDrawnAndTheGrownBitmapStaysSelected)
{
    Paint([&](CBufferDC& dc) {
        const int saved = dc.SaveDC();
        Fill(dc, {0, 0, kWidth, kHeight}, kBlue);
        Fill(dc, {10, 10, 20, 20}, kRed);
        const HBITMAP before = CurrentBitmap(dc.m_hDC);

        const RECT grown{0, 0, kWidth + 60, kHeight + 30};
        dc.SetBoundsRect(&grown, DCB_DISABLE);
        EXPECT_NE(before, CurrentBitmap(dc.m_hDC));
        const SIZE size = BitmapSize(dc.m_hDC);
        EXPECT_EQ(kWidth + 60, size.cx);
        EXPECT_EQ(kHeight + 30, size.cy);
        EXPECT_EQ(kRed, ::GetPixel(dc.m_hDC, 15, 15));
        EXPECT_EQ(kBlue, ::GetPixel(dc.m_hDC, kWidth - 1, kHeight - 1));

        const HBITMAP grownBitmap = CurrentBitmap(dc.m_hDC);
        Fill(dc, {kWidth, kHeight, kWidth + 60, kHeight + 30}, kGreen);
        EXPECT_TRUE(dc.RestoreDC(saved));
        EXPECT_EQ(grownBitmap, CurrentBitmap(dc.m_hDC));
        EXPECT_EQ(kGreen, ::GetPixel(dc.m_hDC, kWidth + 10, kHeight + 10));
    });
    EXPECT_EQ(kRed, WindowPixel(m_host.m_hWnd, 15, 15));
}

TEST_F(ControlsBufferDC, RestoringAStateSavedWithAnotherBitmapKeepsTheBuffer)
{
    // A state saved while a bitmap of the test's own was selected: restoring
    // it after a regrow still leaves the buffer selected.
    const HDC screen = ::GetDC(nullptr);
    CBitmap own(::CreateCompatibleBitmap(screen, 8, 8));
    ::ReleaseDC(nullptr, screen);
    Paint([&](CBufferDC& dc) {
        HGDIOBJ buffer = dc.SelectObject(own);
        const int saved = dc.SaveDC();
        dc.SelectObject(buffer);
        const RECT grown{0, 0, kWidth + 10, kHeight + 10};
        dc.SetBoundsRect(&grown, DCB_DISABLE);
        const HBITMAP grownBitmap = CurrentBitmap(dc.m_hDC);
        dc.RestoreDC(saved);
        EXPECT_EQ(grownBitmap, CurrentBitmap(dc.m_hDC));
        EXPECT_NE(static_cast<HBITMAP>(own), CurrentBitmap(dc.m_hDC));
    });
}

TEST_F(ControlsBufferDC, ASmallerRectangleKeepsTheSizeButStillCountsAsRegrown)
{
    // Narrower but taller, then smaller in both directions: neither shrinks.
    const RECT smaller[] = {{0, 0, kWidth - 40, kHeight + 50}, {0, 0, 10, 10}};
    for (const RECT& rect : smaller) {
        Paint([&](CBufferDC& dc) {
            Fill(dc, {0, 0, kWidth, kHeight}, kBlue);
            Fill(dc, {70, 40, 80, 50}, kRed);
            const int saved = dc.SaveDC();
            const HBITMAP before = CurrentBitmap(dc.m_hDC);
            dc.SetBoundsRect(&rect, DCB_DISABLE);
            const HBITMAP replaced = CurrentBitmap(dc.m_hDC);
            EXPECT_NE(before, replaced);
            const SIZE size = BitmapSize(dc.m_hDC);
            EXPECT_EQ(kWidth, size.cx);
            EXPECT_EQ(kHeight, size.cy);
            EXPECT_EQ(kRed, ::GetPixel(dc.m_hDC, 75, 45));
            // Marked as regrown: restoring keeps the replacement selected.
            dc.RestoreDC(saved);
            EXPECT_EQ(replaced, CurrentBitmap(dc.m_hDC));
        });
        EXPECT_EQ(kRed, WindowPixel(m_host.m_hWnd, 75, 45));
    }
}

TEST_F(ControlsBufferDC, ANullRectangleOnlySetsTheBoundsOfTheMemoryContext)
{
    Paint([&](CBufferDC& dc) {
        Fill(dc, {0, 0, kWidth, kHeight}, kBlue);
        const HBITMAP before = CurrentBitmap(dc.m_hDC);
        const UINT previous = dc.SetBoundsRect(nullptr, DCB_ENABLE | DCB_RESET);
        EXPECT_NE(0u, previous);
        EXPECT_EQ(before, CurrentBitmap(dc.m_hDC));
        EXPECT_EQ(kBlue, ::GetPixel(dc.m_hDC, 5, 5));

        // Bounds now accumulate in the memory context the drawing goes to.
        Fill(dc, {30, 20, 40, 25}, kRed);
        RECT bounds{};
        EXPECT_EQ(static_cast<UINT>(DCB_SET), ::GetBoundsRect(dc.m_hDC, &bounds, 0) & DCB_SET);
        EXPECT_EQ(30, bounds.left);
        EXPECT_EQ(20, bounds.top);
        EXPECT_EQ(40, bounds.right);
        EXPECT_EQ(25, bounds.bottom);
    });
    EXPECT_EQ(kRed, WindowPixel(m_host.m_hWnd, 35, 22));
}

TEST_F(ControlsBufferDC, ClosingCopiesTheGrownBufferToTheScreen)
{
    // A child grows inside its paint, as the hyperlink does, and the buffer
    // grows after it. The screen shows only what the paint may touch, the
    // child's old area: drawn before the regrow on the left, after it on
    // the right.
    CTestHost child;
    ASSERT_TRUE(child.OpenChild(m_host, 10, 10, 40, 20));
    child.onPaint = [&](CWnd* window) {
        CBufferDC dc(window);
        Fill(dc, {0, 0, 40, 20}, kBlue);
        ::SetWindowPos(window->m_hWnd, nullptr, 0, 0, 80, 40,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
        RECT client;
        window->GetClientRect(&client);
        dc.SetBoundsRect(&client, DCB_DISABLE);
        Fill(dc, {30, 0, 80, 40}, kGreen);
        EXPECT_EQ(kGreen, ::GetPixel(dc.m_hDC, 79, 39));
    };
    child.PaintNow();
    child.onPaint = nullptr;
    EXPECT_EQ(kBlue, WindowPixel(child.m_hWnd, 10, 10));
    EXPECT_EQ(kBlue, WindowPixel(child.m_hWnd, 29, 19));
    EXPECT_EQ(kGreen, WindowPixel(child.m_hWnd, 30, 0));
    EXPECT_EQ(kGreen, WindowPixel(child.m_hWnd, 39, 19));
}
