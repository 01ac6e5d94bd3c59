// Device contexts and the GDI objects drawn with them.
#pragma once
#include "framework/Win32.h"

class CWnd;

// CDC holds two handles: drawing goes to the output handle, measuring and
// queries to the attribute handle. A context it created itself is deleted
// with it; one it was given is only borrowed.
class CDC {
public:
    CDC() = default;
    explicit CDC(HDC borrowed) : m_hDC(borrowed), m_hAttribDC(borrowed) {}
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    BOOL CreateCompatibleDC(HDC reference);

    int SaveDC() { return ::SaveDC(m_hDC); }
    virtual BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
    int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    void FillRect(const RECT& rect, HBRUSH brush) { ::FillRect(m_hDC, &rect, brush); }
    BOOL TextOut(int x, int y, const char* text, int count)
    {
        return ::TextOutA(m_hDC, x, y, text, count);
    }
    BOOL MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, nullptr); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    BOOL DrawFocusRect(const RECT& rect) { return ::DrawFocusRect(m_hDC, &rect); }
    SIZE GetTextExtent(const char* text, int count) const;
    UINT SetBoundsRect(const RECT* rect, UINT flags) { return ::SetBoundsRect(m_hDC, rect, flags); }
    BOOL BitBlt(int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, width, height, source, sx, sy, rop);
    }

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;

private:
    bool m_bOwned = false;
};

// Painting of one WM_PAINT: BeginPaint at construction, EndPaint at the end.
class CPaintDC : public CDC {
public:
    // Throws CResourceException when the system gives no device context.
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

// An owned GDI object of one kind, deleted with its owner.
template <class Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_hObject(handle) {}
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    void Attach(Handle handle)
    {
        DeleteObject();
        m_hObject = handle;
    }
    void DeleteObject()
    {
        if (m_hObject)
            ::DeleteObject(m_hObject);
        m_hObject = nullptr;
    }
    operator Handle() const { return m_hObject; }
    Handle m_hObject = nullptr;
};

class CFont : public CGdiObject<HFONT> {
public:
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                    BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* face)
    {
        Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                             strikeOut, charSet, outPrecision, clipPrecision, quality,
                             pitchAndFamily, face));
        return m_hObject != nullptr;
    }
};

using CBrush = CGdiObject<HBRUSH>;
using CPen = CGdiObject<HPEN>;
using CBitmap = CGdiObject<HBITMAP>;
