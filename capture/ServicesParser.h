#pragma once

#include "capture/CapturePaths.h"

#include <cstddef>

// What reading the services file came to; nothing in the program uses it.
struct ServicesReadResult
{
    bool bOpened = false;
    std::size_t nCharacters = 0;    // up to the first zero byte of each piece
    std::size_t nLongestPiece = 0;
};

// Each piece is a line, or as much of a longer line as fits the buffer.
constexpr std::size_t kServicesLineSize = 300;

// Opens the file in text mode, reads it through to its end in pieces of at
// most kServicesLineSize bytes and closes it.
ServicesReadResult ReadServicesFile(const char* pszPath);

// Reads the services file beside the program when built.
class CServicesParser
{
public:
    // pszProgramPath: the program file; null means this process's own.
    explicit CServicesParser(const char* pszProgramPath = nullptr);
    virtual ~CServicesParser() = default;
    CServicesParser(const CServicesParser&) = delete;
    CServicesParser& operator=(const CServicesParser&) = delete;

    const char* GetPath() const { return m_szPath; }

private:
    char m_szPath[kServicesPathSize];
};
