#pragma once

#include <cstddef>
#include <string>

// Sizes of the module's path fields, terminating zero included.
constexpr std::size_t kIniPathSize = 500;
constexpr std::size_t kServicesPathSize = 260;

// The settings file of a program: the program's path with its extension, if
// it has one, replaced by ".ini". Empty when the program path or the result
// does not fit kIniPathSize: a cut path would name some other file.
std::string IniPathFor(const std::string& programPath);

// The file "services" in the program's folder. Empty when the program path or
// the result does not fit kServicesPathSize.
std::string ServicesPathFor(const std::string& programPath);

// Stores a path that fits into a path field; anything else leaves it empty.
template <std::size_t N>
void StorePath(const std::string& path, char (&szField)[N])
{
    const std::size_t nLength = path.size() < N ? path.size() : 0;
    path.copy(szField, nLength);
    szField[nLength] = '\0';
}
