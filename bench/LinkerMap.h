// What a program file is made of, from the map its linker wrote: the bytes
// each input file put into the sections that the file holds, grouped by
// where the input came from.
#pragma once
#include <array>
#include <string>
#include <utility>
#include <vector>

enum class ImagePart {
    Framework,    // framework/
    Program,      // the program's own folders
    CxxRuntime,   // libstdc++, libgcc and its unwinder
    Threads,      // winpthread
    CRuntime,     // the MinGW start-up code and C library additions
    Imports,      // import tables and thunks of the system libraries
    Resources,    // the compiled resource script
    Relocations,  // the base relocations the linker adds
    Padding,      // alignment fill between input sections
    Unknown,      // an input file none of the above explains
    Count
};

const char* ImagePartName(ImagePart part);
// A short name without blanks, for figures read by programs.
const char* ImagePartKey(ImagePart part);

struct ImageMakeUp {
    bool parsed = false;  // the map held a memory map with sections
    std::array<unsigned long, static_cast<size_t>(ImagePart::Count)> bytes{};
    // Sum of the output sections held in the file, each rounded as listed.
    unsigned long sectionBytes = 0;
    // The input files that put the most into the file, largest first:
    // "libstdc++.a(cp-demangle.o)", "RapidaneDlg.cpp.obj".
    std::vector<std::pair<std::string, unsigned long>> largest;

    unsigned long Of(ImagePart part) const { return bytes[static_cast<size_t>(part)]; }
};

// sources: the program's source files relative to the source root
// ("framework/Wnd.cpp"); archive members in the map name only the file, so
// this list tells which folder a member came from. Lists the largest
// inputs up to that many.
ImageMakeUp ReadImageMakeUp(const std::string& mapText, const std::vector<std::string>& sources,
                            size_t largestCount = 12);
