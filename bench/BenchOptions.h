// The benchmark's command line. Every path has a default found from the
// benchmark's own folder in the build tree (bin\, beside Velorix.exe).
#pragma once
#include <string>

#include "bench/DrainBench.h"
#include "bench/SizeBench.h"
#include "bench/StartupBench.h"
#include "bench/TickBench.h"

struct BenchOptions {
    bool valid = true;
    std::string error;
    bool smoke = false;  // a few iterations of everything, to see it still works
    // Which measurements run; all unless named with --only.
    bool runSize = true, runStartup = true, runDrain = true, runTick = true;
    std::string figuresFile;  // also write the figures there, one a line

    TickPlan tick;
    DrainPlan drain;
    StartupPlan startup;
    SizePlan size;
};

//   --smoke              a few iterations of each measurement
//   --only <names>       only these, comma-separated: size,startup,drain,tick
//   --figures <file>     the figures as name=value lines, besides the table
//   --velorix <exe>      the program measured (default bin\Velorix.exe)
//   --bare <exe>         the bare program (default bin\bare_dialog.exe)
//   --bench-dir <dir>    the mapped twin, its map and the source list
//                        (default bin\..\bench)
//   --scratch <dir>      where the programs are run from (default <bench-dir>\run)
BenchOptions ParseBenchOptions(int argc, char** argv);
