#include "controls/BufferDC.h"

#include "framework/Wnd.h"

namespace {

int Width(const RECT& rect)
{
    return rect.right - rect.left;
}
int Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

}  // namespace

CBufferDC::CBufferDC(CWnd* window)
    : CPaintDC(window), m_hScreenDC(m_hDC), m_hScreenAttribDC(m_hAttribDC)
{
    window->GetClientRect(&m_rcBuffer);
    if (!m_memDC.CreateCompatibleDC(m_hScreenDC))
        return;
    m_bitmap.Attach(::CreateCompatibleBitmap(m_hScreenDC, Width(m_rcBuffer), Height(m_rcBuffer)));
    if (!m_bitmap)
        return;
    m_hPreviousBitmap = m_memDC.SelectObject(m_bitmap);
    if (!m_hPreviousBitmap) {
        m_bitmap.DeleteObject();
        return;
    }
    m_hDC = m_hAttribDC = m_memDC.m_hDC;
}

CBufferDC::~CBufferDC()
{
    if (m_hDC != m_memDC.m_hDC)
        return;  // drawn straight to the screen
    ::BitBlt(m_hScreenDC, m_rcBuffer.left, m_rcBuffer.top, Width(m_rcBuffer), Height(m_rcBuffer),
             m_memDC.m_hDC, 0, 0, SRCCOPY);
    m_memDC.SelectObject(m_hPreviousBitmap);
    m_bitmap.DeleteObject();
    m_hDC = m_hScreenDC;
    m_hAttribDC = m_hScreenAttribDC;
    // The memory context goes with m_memDC; the base then ends painting.
}

UINT CBufferDC::SetBoundsRect(const RECT* rect, UINT flags)
{
    if (rect && m_hDC == m_memDC.m_hDC)
        Regrow(*rect);
    return CDC::SetBoundsRect(rect, flags);
}

void CBufferDC::Regrow(const RECT& rect)
{
    const bool keepSize = Width(m_rcBuffer) > Width(rect) || Height(m_rcBuffer) > Height(rect);
    const RECT target = keepSize ? m_rcBuffer : rect;
    HBITMAP grown = ::CreateCompatibleBitmap(m_hScreenDC, Width(target), Height(target));
    if (!grown)
        return;  // painting goes on in the buffer it has

    CDC copy;
    if (copy.CreateCompatibleDC(m_hScreenDC)) {
        HGDIOBJ before = copy.SelectObject(grown);
        copy.BitBlt(m_rcBuffer.left, m_rcBuffer.top, Width(m_rcBuffer), Height(m_rcBuffer),
                    m_memDC.m_hDC, 0, 0, SRCCOPY);
        copy.SelectObject(before);
    }

    HGDIOBJ out = m_memDC.SelectObject(grown);
    if (!out) {
        ::DeleteObject(grown);
        return;
    }
    // The context's own first bitmap is the system's and is only put back.
    if (out != m_bitmap.m_hObject && out != m_hPreviousBitmap)
        ::DeleteObject(out);
    m_bitmap.Attach(grown);
    m_rcBuffer = target;
    m_bRegrown = TRUE;
}

BOOL CBufferDC::RestoreDC(int saved)
{
    const BOOL restored = CDC::RestoreDC(saved);
    if (m_bRegrown && m_bitmap)
        SelectObject(m_bitmap);
    return restored;
}
