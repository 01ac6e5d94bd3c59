// The painting of the hyperlink: through a buffered context, sized to its
// caption, in the colours of its state.
#include <algorithm>
#include <cstring>
#include <vector>

#include "controls/BufferDC.h"
#include "controls/HyperLink.h"

namespace {

// The state saved at construction is restored when the scope ends, through
// the context's own RestoreDC.
class CSavedDCState {
public:
    explicit CSavedDCState(CDC& dc) : m_dc(dc), m_nSaved(dc.SaveDC()) {}
    ~CSavedDCState()
    {
        if (m_nSaved)
            m_dc.RestoreDC(m_nSaved);
    }
    CSavedDCState(const CSavedDCState&) = delete;
    CSavedDCState& operator=(const CSavedDCState&) = delete;

private:
    CDC& m_dc;
    int m_nSaved;
};

bool HighContrastOn()
{
    HIGHCONTRASTA state{};
    state.cbSize = sizeof state;
    return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof state, &state, 0) &&
           (state.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace

// Read at each paint, so a change of scheme needs only a repaint. While high
// contrast is on, the link takes the scheme's own colours: those the user
// chose to read by.
CHyperLink::Palette CHyperLink::CurrentPalette() const
{
    if (!HighContrastOn())
        return {m_crNormal, m_crHover, m_crPressed, ::GetSysColor(COLOR_BTNSHADOW), m_crBackground};
    const COLORREF link = ::GetSysColor(COLOR_HOTLIGHT);
    return {link, link, link, ::GetSysColor(COLOR_GRAYTEXT), ::GetSysColor(COLOR_BTNFACE)};
}

void CHyperLink::ChooseColours(const Palette& palette, COLORREF* caption, COLORREF* underline) const
{
    if (m_bDisabled) {
        // A disabled link shows no underline.
        *caption = palette.disabled;
        *underline = palette.background;
    } else if (m_bHover && !m_bPressed) {
        *caption = *underline = palette.hover;
    } else if (m_bHover) {
        *caption = *underline = palette.pressed;
    } else {
        *caption = palette.normal;
        *underline = m_bUnderlineNormal ? palette.normal : palette.background;
    }
}

void CHyperLink::OnPaint()
{
    // Moving the window below must not start another paint of it.
    if (m_bResizing)
        return;
    CBufferDC dc(this);
    CBrush background;
    CPen underlinePen;
    CSavedDCState state(dc);
    dc.SetMapMode(MM_TEXT);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(m_font);
    const Palette palette = CurrentPalette();
    dc.SetBkColor(palette.background);

    background.Attach(::CreateSolidBrush(palette.background));
    RECT client;
    GetClientRect(&client);
    dc.FillRect(client, ::GetSysColorBrush(COLOR_BTNFACE));

    const int length = GetWindowTextLength();
    std::vector<char> caption(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(m_hWnd, caption.data(), length + 1);
    const int captionLength = static_cast<int>(std::strlen(caption.data()));

    RECT window;
    GetWindowRect(&window);
    HWND parent = GetParent();
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);

    // The extent of the whole caption, trailing line breaks included, sizes
    // the control; only the characters before them are drawn.
    const SIZE extent = dc.GetTextExtent(caption.data(), captionLength);
    const int width = static_cast<int>(extent.cx);
    const int height = static_cast<int>(extent.cy);
    int drawn = captionLength;
    while (drawn > 0 && caption[static_cast<size_t>(drawn) - 1] == '\n')
        --drawn;
    const int lines = drawn > 0 ? 1 : 0;

    const int newWidth = width + 6;
    const int newHeight = height + 2 + lines;
    m_bResizing = TRUE;
    ::MoveWindow(m_hWnd, window.left, window.top, newWidth, newHeight, FALSE);
    m_bResizing = FALSE;
    // This paint reaches only the area the window had when it began; a part
    // it has grown by gets the next one, which finds the size unchanged.
    if (newWidth > window.right - window.left || newHeight > window.bottom - window.top)
        Invalidate(FALSE);

    GetClientRect(&client);
    dc.SetBoundsRect(&client, DCB_DISABLE);
    dc.FillRect(client, background);

    COLORREF captionColour, underlineColour;
    ChooseColours(palette, &captionColour, &underlineColour);
    underlinePen.Attach(::CreatePen(PS_SOLID, 1, underlineColour));
    if (lines > 0) {
        const int clientHeight = static_cast<int>(client.bottom - client.top);
        const int y = std::max(0, (clientHeight - (height + 3)) / 2);
        dc.SetTextColor(captionColour);
        dc.TextOut(1, y, caption.data(), drawn);
        dc.MoveTo(1, y + height);
        dc.SelectObject(underlinePen);
        dc.LineTo(1 + width, y + height);
    }
    if (ShowsFocus())
        dc.DrawFocusRect(client);
}
