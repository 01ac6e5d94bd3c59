// The size of Velorix.exe and what it is made of, from the map of a second
// link of the same inputs.
#pragma once
#include <string>

#include "bench/LinkerMap.h"

struct SizePlan {
    std::string velorixExe;  // the program file measured
    std::string twinExe;     // the same link, with a map
    std::string mapFile;
    std::string sourcesFile;  // the program's sources, one a line
};

struct SizeFigures {
    bool ran = false;
    unsigned long fileBytes = 0;  // Velorix.exe
    unsigned long twinBytes = 0;  // the mapped twin; equal when the map describes the file
    ImageMakeUp makeUp;
};

SizeFigures MeasureSize(const SizePlan& plan);
