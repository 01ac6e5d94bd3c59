// A hyperlink attached to a static control of a test host, as a dialog's
// data exchange attaches it, with what its tests read back: its window, its
// pixels and the commands its host received.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "controls/HyperLink.h"
#include "tests/unit/controls_windows.h"

// Named apart from the other areas' test helpers in the same program.
namespace controls_test {

constexpr int kLinkId = 1026;
constexpr int kLinkX = 20;
constexpr int kLinkY = 30;
constexpr COLORREF kLinkBack = RGB(232, 232, 233);
constexpr COLORREF kNormalColour = RGB(0, 0, 255);
constexpr COLORREF kHoverColour = RGB(255, 0, 0);
constexpr COLORREF kPressedColour = RGB(200, 0, 225);

class ControlsHyperLinkTest : public ::testing::Test {
protected:
    // The cursor is left where no other test's window opens.
    void TearDown() override { MoveCursorTo({::GetSystemMetrics(SM_CXSCREEN) - 20, 10}); }

    // A static control like the error dialog's link, with caption and the
    // given size, attached and given its background.
    void Attach(const char* caption, int width = 153, int height = 13,
                DWORD style = SS_LEFT | SS_NOTIFY | SS_ENDELLIPSIS)
    {
        ASSERT_TRUE(m_host.Open(400, 120));
        m_hControl = ::CreateWindowExA(
            0, "Static", caption, WS_CHILD | WS_VISIBLE | WS_GROUP | style, kLinkX, kLinkY, width,
            height, m_host.m_hWnd, reinterpret_cast<HMENU>(kLinkId), ::GetModuleHandleA(nullptr),
            nullptr);
        ASSERT_NE(nullptr, m_hControl);
        ASSERT_TRUE(m_link.SubclassWindow(m_hControl));
        m_link.SetBackColor(kLinkBack);
    }

    // One paint of the whole control.
    void PaintOnce()
    {
        ::InvalidateRect(m_hControl, nullptr, TRUE);
        ::UpdateWindow(m_hControl);
    }
    // A paint and the one that follows when the control has grown.
    void Paint()
    {
        PaintOnce();
        ::UpdateWindow(m_hControl);
    }

    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0)
    {
        return ::SendMessageA(m_hControl, msg, w, l);
    }

    RECT WindowInHost() const
    {
        RECT rect;
        ::GetWindowRect(m_hControl, &rect);
        ::MapWindowPoints(nullptr, m_host.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    // The caption's extent in the link's font: Arial, 14 pixels high.
    static SIZE CaptionExtent(const std::string& caption)
    {
        HFONT font = ::CreateFontA(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0,
                                   ANTIALIASED_QUALITY, 0, "Arial");
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ before = ::SelectObject(dc, font);
        SIZE size{0, 0};
        ::GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        ::SelectObject(dc, before);
        ::DeleteDC(dc);
        ::DeleteObject(font);
        return size;
    }

    CWindowShot Shot() const { return CWindowShot(m_hControl); }

    bool CursorOverLink() { return MoveCursorOver(m_hControl, 5, 5); }
    bool CursorAwayFromLink() { return MoveCursorOver(m_host.m_hWnd, 380, 110); }

    // Commands with notification code 0 from the link.
    int Clicks() const
    {
        int count = 0;
        for (WPARAM w : m_host.commands)
            count += (w == MAKEWPARAM(kLinkId, 0)) ? 1 : 0;
        return count;
    }

    CTestHost m_host;
    CHyperLink m_link;  // destroyed before the host, taking the control along
    HWND m_hControl = nullptr;
};

}  // namespace controls_test
