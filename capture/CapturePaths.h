#pragma once

#include <cstddef>
#include <cstring>

#include "framework/AnsiString.h"

// Sizes of the module's path fields, terminating zero included.
constexpr std::size_t kIniPathSize = 500;
constexpr std::size_t kServicesPathSize = 260;

// The settings file of a program: the program's path with its extension, if
// it has one, replaced by ".ini". Empty when the program path or the result
// does not fit kIniPathSize: a cut path would name some other file.
CString IniPathFor(const char* pszProgramPath);

// The file "services" in the program's folder. Empty when the program path or
// the result does not fit kServicesPathSize.
CString ServicesPathFor(const char* pszProgramPath);

// Stores a path that fits into a path field; anything else leaves it empty.
template <std::size_t N>
void StorePath(const CString& path, char (&szField)[N])
{
    const std::size_t nSize = std::strlen(path);
    const std::size_t nLength = nSize < N ? nSize : 0;
    std::memcpy(szField, path.c_str(), nLength);
    szField[nLength] = '\0';
}
