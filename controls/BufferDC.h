// CBufferDC: a paint context that draws into an off-screen bitmap the size
// of the window's client area and copies it to the screen in one block
// transfer when it closes, so the user never sees the steps of a paint.
#pragma once
#include "framework/Dc.h"

class CBufferDC : public CPaintDC {
public:
    // Begins painting on window; from here on both handles of this context
    // are the memory context. If no memory context or bitmap can be had,
    // the context draws straight to the screen instead.
    explicit CBufferDC(CWnd* window);
    // Copies the buffer to the screen and ends painting.
    ~CBufferDC() override;

    // Grows the buffer to rect, never shrinking it and keeping what is
    // already drawn, then sets the memory context's bounds rectangle. A null
    // rect only sets the bounds. A bitmap other than the buffer left selected
    // in the context at this call passes to the context and is deleted.
    UINT SetBoundsRect(const RECT* rect, UINT flags);
    // Restores a saved state; once the buffer has been regrown, the current
    // buffer stays selected rather than the bitmap of the saved state.
    BOOL RestoreDC(int saved) override;

private:
    void Regrow(const RECT& rect);

    HDC m_hScreenDC;
    HDC m_hScreenAttribDC;
    CDC m_memDC;  // declared before the bitmap: deleted after it
    CBitmap m_bitmap;
    HGDIOBJ m_hPreviousBitmap = nullptr;
    RECT m_rcBuffer{};
    BOOL m_bRegrown = FALSE;
};
