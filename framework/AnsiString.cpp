#include "framework/AnsiString.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "framework/Exception.h"

namespace {

// Room for length characters in whole blocks of 32 bytes with the zero: a
// text that grows by a digit or two, as a byte counter does, keeps its
// buffer. The heap hands out blocks of 8 or 16 bytes in any case.
size_t RoomFor(size_t length)
{
    constexpr size_t kBlock = 32;
    return length < PTRDIFF_MAX / 2 ? (length / kBlock + 1) * kBlock - 1 : length;
}

}  // namespace

CString::CString(CString&& other) noexcept
    : m_pData(other.m_pData), m_nLength(other.m_nLength), m_nCapacity(other.m_nCapacity)
{
    other.m_pData = nullptr;
    other.m_nLength = other.m_nCapacity = 0;
}

CString& CString::operator=(const CString& other)
{
    if (this != &other)
        Assign(other.c_str(), other.m_nLength);
    return *this;
}

CString& CString::operator=(CString&& other) noexcept
{
    if (this != &other) {
        delete[] m_pData;
        m_pData = other.m_pData;
        m_nLength = other.m_nLength;
        m_nCapacity = other.m_nCapacity;
        other.m_pData = nullptr;
        other.m_nLength = other.m_nCapacity = 0;
    }
    return *this;
}

void CString::Reserve(size_t length)
{
    if (m_pData && length <= m_nCapacity)
        return;
    // Grows at least twofold, so text added piece by piece is copied a
    // bounded number of times.
    size_t capacity = RoomFor(m_nCapacity * 2 > length ? m_nCapacity * 2 : length);
    if (capacity >= PTRDIFF_MAX / 2) {
        if (length >= PTRDIFF_MAX / 2)
            throw CMemoryException();
        capacity = length;
    }
    char* data = new (std::nothrow) char[capacity + 1];
    if (!data)
        throw CMemoryException();
    std::memcpy(data, c_str(), m_nLength + 1);
    delete[] m_pData;
    m_pData = data;
    m_nCapacity = capacity;
}

void CString::Assign(const char* text)
{
    Assign(text ? text : "", text ? std::strlen(text) : 0);
}

void CString::Assign(const char* text, size_t length)
{
    if (m_pData && length <= m_nCapacity) {
        // The text may be a part of this one: memmove copes.
        std::memmove(m_pData, text, length);
    } else {
        const size_t capacity = RoomFor(length);
        char* data = new (std::nothrow) char[capacity + 1];
        if (!data)
            throw CMemoryException();
        std::memcpy(data, text, length);
        delete[] m_pData;
        m_pData = data;
        m_nCapacity = capacity;
    }
    m_pData[length] = '\0';
    m_nLength = length;
}

CString& CString::operator+=(const char* text)
{
    const size_t added = text ? std::strlen(text) : 0;
    if (added == 0)
        return *this;
    if (text >= c_str() && text <= c_str() + m_nLength) {
        const CString copy(text);  // a part of this text, which may move
        return *this += copy.c_str();
    }
    Reserve(m_nLength + added);
    std::memcpy(m_pData + m_nLength, text, added + 1);
    m_nLength += added;
    return *this;
}

void CString::Empty()
{
    m_nLength = 0;
    if (m_pData)
        m_pData[0] = '\0';
}

bool CString::operator==(const char* text) const
{
    const char* other = text ? text : "";
    return std::strlen(other) == m_nLength && std::memcmp(c_str(), other, m_nLength) == 0;
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
        Empty();
        return;
    }
    if (static_cast<size_t>(length) < sizeof small) {
        Assign(small, static_cast<size_t>(length));
        return;
    }
    // A new buffer: the arguments may point into this text.
    CString formatted;
    formatted.Reserve(static_cast<size_t>(length));
    std::vsnprintf(formatted.m_pData, static_cast<size_t>(length) + 1, format, args);
    formatted.m_nLength = static_cast<size_t>(length);
    *this = std::move(formatted);
}

CString CString::Left(int count) const
{
    CString part;
    if (count > 0)
        part.Assign(c_str(), static_cast<size_t>(count) < m_nLength ? static_cast<size_t>(count)
                                                                    : m_nLength);
    return part;
}

int CString::Find(const char* text) const
{
    const char* at = std::strstr(c_str(), text ? text : "");
    return at ? static_cast<int>(at - c_str()) : -1;
}

char* CString::GetBuffer(int length)
{
    const size_t wanted = length > 0 ? static_cast<size_t>(length) : 0;
    Reserve(wanted);
    // As a resized string: what was there stays, what is new is zeros.
    if (wanted > m_nLength)
        std::memset(m_pData + m_nLength, 0, wanted - m_nLength);
    m_pData[wanted] = '\0';
    m_nLength = wanted;
    return m_pData;
}

void CString::ReleaseBuffer()
{
    if (m_pData)
        m_nLength = std::strlen(m_pData);
}
