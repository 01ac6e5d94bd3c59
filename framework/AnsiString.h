// CString: the narrow text type of the program. Assigning, or formatting a
// text of under 256 characters, into a string that already has the room
// reuses it, so a text refreshed every second allocates nothing once it has
// reached its length. A longer formatted text takes a new buffer.
//
// It keeps its own buffer rather than wrapping std::string: the runtime's
// string brings every one of its functions into the program file (about
// 33 KB), where this needs a handful.
#pragma once
#include <cstdarg>
#include <cstddef>
#include <cstdint>

class CString {
public:
    CString() = default;
    CString(const char* text) { Assign(text); }
    CString(const CString& other) { Assign(other.c_str(), other.m_nLength); }
    CString(CString&& other) noexcept;
    ~CString() { delete[] m_pData; }

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* text)
    {
        Assign(text);
        return *this;
    }
    CString& operator+=(const char* text);

    operator const char*() const { return c_str(); }
    const char* c_str() const { return m_pData ? m_pData : ""; }
    bool IsEmpty() const { return m_nLength == 0; }
    void Empty();

    bool operator==(const char* text) const;
    bool operator!=(const char* text) const { return !(*this == text); }

    void Format(const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));
    void FormatV(const char* format, va_list args);

    // The first count characters (all of them when the text is shorter).
    CString Left(int count) const;
    // Position of the first occurrence of text, or -1.
    int Find(const char* text) const;

    // Room for length characters plus a terminating zero, for system calls
    // that write text; ReleaseBuffer takes the length up to the first zero.
    char* GetBuffer(int length);
    void ReleaseBuffer();

private:
    void Assign(const char* text);
    void Assign(const char* text, size_t length);
    // Room for length characters and the zero, the text kept; throws
    // CMemoryException when it cannot be had.
    void Reserve(size_t length);

    char* m_pData = nullptr;  // null until something is stored
    size_t m_nLength = 0;
    size_t m_nCapacity = 0;  // characters that fit before the zero
};
