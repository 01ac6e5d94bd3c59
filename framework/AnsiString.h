// CString: the narrow text type of the program. Assigning or formatting into
// a string that already has the room reuses it, so a text refreshed every
// second allocates nothing once it has reached its length.
#pragma once
#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) { Assign(text); }

    CString& operator=(const char* text) { Assign(text); return *this; }
    CString& operator+=(const char* text);

    operator const char*() const { return m_text.c_str(); }
    const char* c_str() const { return m_text.c_str(); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    bool operator==(const char* text) const { return m_text == (text ? text : ""); }
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
    std::string m_text;
};
