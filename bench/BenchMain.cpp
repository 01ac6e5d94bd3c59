// The benchmark: each figure of Velorix measured side by side with a bare
// program or loop doing only the system work it cannot avoid, printed as a
// table with the ratios against their goals.
#include <cstdio>

#include "bench/AllocationCounter.h"
#include "bench/BenchOptions.h"
#include "bench/DesktopHold.h"
#include "bench/Report.h"

int main(int argc, char** argv)
{
    const BenchOptions options = ParseBenchOptions(argc, argv);
    if (!options.valid) {
        std::fprintf(stderr, "%s\n", options.error.c_str());
        return 2;
    }
    const CAllocationCounting counting;
    const CDesktopHold desktop;

    BenchResults results;
    if (options.runSize)
        results.size = MeasureSize(options.size);
    if (options.runStartup)
        results.startup = MeasureStartup(options.startup);
    if (options.runDrain)
        results.drain = MeasureDrain(options.drain);
    if (options.runTick)
        results.tick = MeasureTicks(options.tick);

    PrintTable(stdout, results);
    std::fprintf(stdout, "Allocations counted: operator new and, through the import table,");
    for (const char* function : counting.Watched())
        std::fprintf(stdout, " %s", function);
    std::fprintf(stdout, ".\n");
    if (!options.figuresFile.empty()) {
        std::FILE* file = std::fopen(options.figuresFile.c_str(), "w");
        if (!file)
            return 1;
        PrintFigures(file, results);
        std::fclose(file);
    }
    return 0;
}
