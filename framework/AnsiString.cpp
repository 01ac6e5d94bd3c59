#include "framework/AnsiString.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "framework/Exception.h"

void CString::Assign(const char* text)
{
    try {
        m_text.assign(text ? text : "");
    } catch (const std::bad_alloc&) {
        throw CMemoryException();
    }
}

CString& CString::operator+=(const char* text)
{
    try {
        m_text.append(text ? text : "");
    } catch (const std::bad_alloc&) {
        throw CMemoryException();
    }
    return *this;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args)
{
    char small[256];
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (length < 0) {
        m_text.clear();
        return;
    }
    try {
        if (static_cast<size_t>(length) < sizeof small) {
            m_text.assign(small, static_cast<size_t>(length));
        } else {
            m_text.resize(static_cast<size_t>(length));
            std::vsnprintf(&m_text[0], m_text.size() + 1, format, args);
        }
    } catch (const std::bad_alloc&) {
        throw CMemoryException();
    }
}

CString CString::Left(int count) const
{
    CString part;
    if (count > 0) {
        try {
            part.m_text.assign(m_text, 0, static_cast<size_t>(count));
        } catch (const std::bad_alloc&) {
            throw CMemoryException();
        }
    }
    return part;
}

int CString::Find(const char* text) const
{
    const size_t at = m_text.find(text ? text : "");
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

char* CString::GetBuffer(int length)
{
    try {
        m_text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    } catch (const std::bad_alloc&) {
        throw CMemoryException();
    }
    return &m_text[0];
}

void CString::ReleaseBuffer()
{
    m_text.resize(std::strlen(m_text.c_str()));
}
