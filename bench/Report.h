// The benchmark's table, and the same figures one per line for programs
// that read them.
#pragma once
#include <cstdio>

#include "bench/DrainBench.h"
#include "bench/SizeBench.h"
#include "bench/StartupBench.h"
#include "bench/TickBench.h"

struct BenchResults {
    TickFigures tick;
    DrainFigures drain;
    StartupFigures startup;
    SizeFigures size;
};

void PrintTable(std::FILE* out, const BenchResults& results);
// "name=value" lines.
void PrintFigures(std::FILE* out, const BenchResults& results);
