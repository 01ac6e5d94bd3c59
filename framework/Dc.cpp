#include "framework/Dc.h"

#include "framework/Exception.h"
#include "framework/Wnd.h"

CDC::~CDC()
{
    if (m_bOwned && m_hDC)
        ::DeleteDC(m_hDC);
}

BOOL CDC::CreateCompatibleDC(HDC reference)
{
    HDC created = ::CreateCompatibleDC(reference);
    if (!created)
        return FALSE;
    if (m_bOwned && m_hDC)
        ::DeleteDC(m_hDC);
    m_hDC = m_hAttribDC = created;
    m_bOwned = true;
    return TRUE;
}

SIZE CDC::GetTextExtent(const char* text, int count) const
{
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hAttribDC, text, count, &size);
    return size;
}

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window->m_hWnd)
{
    HDC dc = ::BeginPaint(m_hWnd, &m_ps);
    if (!dc)
        throw CResourceException();
    m_hDC = m_hAttribDC = dc;
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    m_hDC = m_hAttribDC = nullptr;
}
