#pragma once

#include "capture/CapturePaths.h"

#include <cstddef>

// A settings file named after a program file (see IniPathFor). Without a
// usable path every read gives its default and nothing is written.
class CIniFile {
public:
    // pszProgramPath: the program file; null means this process's own.
    explicit CIniFile(const char* pszProgramPath = nullptr);
    virtual ~CIniFile() = default;
    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    int ReadInt(const char* pszSection, const char* pszKey, int nDefault) const;
    void ReadText(const char* pszSection, const char* pszKey, const char* pszDefault,
                  char* pszBuffer, std::size_t cbBuffer) const;
    template <std::size_t N>
    void ReadText(const char* pszSection, const char* pszKey, const char* pszDefault,
                  char (&szBuffer)[N]) const
    {
        ReadText(pszSection, pszKey, pszDefault, szBuffer, N);
    }

    // False without a path or when the file is marked read-only.
    bool IsWritable() const;
    void WriteText(const char* pszSection, const char* pszKey, const char* pszText) const;

protected:
    bool HasPath() const { return m_szPath[0] != '\0'; }

    char m_szPath[kIniPathSize];
};
