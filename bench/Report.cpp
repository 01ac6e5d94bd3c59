#include "bench/Report.h"

#include <algorithm>

namespace {

double Ratio(double ours, double least)
{
    return least > 0 ? ours / least : 0;
}

double Least(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

const char* Met(bool met)
{
    return met ? "yes" : "NO";
}

void Rule(std::FILE* out)
{
    std::fprintf(out, "%-34s %12s %12s %7s %8s %4s\n", "----------------------------------",
                 "------------", "------------", "-------", "--------", "----");
}

// A figure of Velorix against its bare counterpart, with its goal as the
// largest (or, for atLeast, the smallest) ratio allowed.
void Compared(std::FILE* out, const char* name, bool measured, double ours, double least,
              double goal, bool atLeast)
{
    if (!measured) {
        std::fprintf(out, "%-34s %12s %12s %7s %8s %4s\n", name, "n/a", "n/a", "-", "-", "-");
        return;
    }
    const double ratio = Ratio(ours, least);
    char goalText[16];
    std::snprintf(goalText, sizeof goalText, "%s%.2fx", atLeast ? ">=" : "<=", goal);
    std::fprintf(out, "%-34s %12.1f %12.1f %6.2fx %8s %4s\n", name, ours, least, ratio, goalText,
                 Met(atLeast ? ratio >= goal : ratio <= goal));
}

void Counted(std::FILE* out, const char* name, bool measured, long allocations, long over)
{
    if (!measured || over <= 0) {
        std::fprintf(out, "%-34s %12s %12s %7s %8s %4s\n", name, "n/a", "-", "-", "0", "-");
        return;
    }
    std::fprintf(out, "%-34s %12.4f %12s %7s %8s %4s\n", name,
                 static_cast<double>(allocations) / over, "-", "-", "0", Met(allocations == 0));
}

void PrintSeries(std::FILE* out, const char* name, const char* unit,
                 const std::vector<double>& values)
{
    std::fprintf(out, "  %-18s %s:", name, unit);
    for (double value : values)
        std::fprintf(out, " %.0f", value);
    std::fprintf(out, "\n");
}

void PrintRuns(std::FILE* out, const char* name, const std::vector<double>& runs)
{
    PrintSeries(out, name, "ms", runs);
}

void PrintRounds(std::FILE* out, const char* name, const std::vector<double>& rounds)
{
    PrintSeries(out, name, "packets/s", rounds);
}

void PrintSize(std::FILE* out, const SizeFigures& size)
{
    if (!size.ran) {
        std::fprintf(out, "Size of Velorix.exe: n/a (no program file or linker map)\n");
        return;
    }
    std::fprintf(out, "Size of Velorix.exe: %lu bytes", size.fileBytes);
    if (size.twinBytes != size.fileBytes)
        std::fprintf(out, " (the mapped link is %lu bytes: the map does not describe this file)",
                     size.twinBytes);
    std::fprintf(out, "\n");
    unsigned long attributed = 0;
    for (size_t i = 0; i < static_cast<size_t>(ImagePart::Count); ++i) {
        const auto part = static_cast<ImagePart>(i);
        const unsigned long bytes = size.makeUp.Of(part);
        attributed += bytes;
        if (bytes)
            std::fprintf(out, "  %-34s %9lu  %5.1f%%\n", ImagePartName(part), bytes,
                         100.0 * bytes / size.fileBytes);
    }
    if (size.fileBytes >= attributed)
        std::fprintf(out, "  %-34s %9lu  %5.1f%%\n", "headers and section alignment",
                     size.fileBytes - attributed,
                     100.0 * (size.fileBytes - attributed) / size.fileBytes);
    std::fprintf(out, "Largest inputs (code, data, unwind tables and resources each brings):\n");
    for (const auto& input : size.makeUp.largest)
        std::fprintf(out, "  %-44s %9lu\n", input.first.c_str(), input.second);
}

}  // namespace

void PrintTable(std::FILE* out, const BenchResults& r)
{
    std::fprintf(out, "%-34s %12s %12s %7s %8s %4s\n", "Figure", "Velorix", "Bare", "Ratio", "Goal",
                 "Met");
    Rule(out);
    Compared(out, "Tick, us per panel refresh", r.tick.ran, r.tick.productMicros, r.tick.bareMicros,
             1.10, false);
    Counted(out, "Heap allocations per tick", r.tick.ran, r.tick.productAllocations,
            r.tick.countedTicks);
    Counted(out, "Heap allocations per packet", r.drain.ran, r.drain.workerAllocations,
            r.drain.workerPackets);
    // Each start-up figure twice: against the bare dialog, and against the
    // bare program doing the same system work before its window shows.
    const bool work = r.startup.ran && r.startup.workRuns > 0;
    Compared(out, "Start-up to window visible, ms", r.startup.ran, r.startup.velorixMs,
             r.startup.bareMs, 1.2, false);
    Compared(out, "  against bare with system work", work, r.startup.velorixMs, r.startup.workMs,
             1.15, false);
    Compared(out, "Private bytes at window, KB", r.startup.ran, r.startup.velorixPrivateKb,
             r.startup.barePrivateKb, 1.2, false);
    Compared(out, "  against bare with system work", work, r.startup.velorixPrivateKb,
             r.startup.workPrivateKb, 1.15, false);
    Compared(out, "Working set at window, KB", r.startup.ran, r.startup.velorixWorkingSetKb,
             r.startup.bareWorkingSetKb, 1.2, false);
    Compared(out, "  against bare with system work", work, r.startup.velorixWorkingSetKb,
             r.startup.workWorkingSetKb, 1.15, false);
    Compared(out, "Packet drain, packets/s (best)", r.drain.ran, r.drain.workerPps, r.drain.barePps,
             0.95, true);
    Rule(out);

    if (r.tick.ran) {
        std::fprintf(out,
                     "Tick: %ld refreshes and as many bare ticks timed in turn, allocations counted"
                     " over %ld refreshes; the Connected Time %s.\n",
                     r.tick.timedTicks, r.tick.countedTicks,
                     r.tick.clockAdvanced ? "followed them"
                                          : "did NOT follow them (no refresh ran)");
        std::fprintf(out, "  the refresh's own work: %.1f us a tick beyond the bare calls\n",
                     r.tick.productMicros - r.tick.bareMicros);
        std::fprintf(out,
                     "  per call, us: GetDlgItem %.1f, label text read %.1f, label text write %.1f,"
                     " GetIfTable %.1f, GetIfEntry2 %.1f, InternetGetConnectedState %.1f\n",
                     r.tick.controlLookupMicros, r.tick.textReadMicros, r.tick.textWriteMicros,
                     r.tick.ifTableMicros, r.tick.ifEntry2Micros, r.tick.connectedStateMicros);
    }
    if (r.drain.ran) {
        std::fprintf(
            out,
            "Drain: best of %d rounds each; medians: worker %.0f, bare loop %.0f; median of"
            " the rounds' own ratios %.2fx; %ld datagrams to 127.0.0.1 in all.\n",
            r.drain.roundsCompleted, r.drain.workerMedianPps, r.drain.bareMedianPps,
            r.drain.pairedRatio, r.drain.datagramsSent);
        PrintRounds(out, "worker", r.drain.workerRoundsPps);
        PrintRounds(out, "bare loop", r.drain.bareRoundsPps);
    } else if (r.drain.socketError) {
        std::fprintf(out, "Drain: no raw socket (error %d); it needs the right to raw sockets.\n",
                     r.drain.socketError);
    }
    if (r.startup.ran) {
        std::fprintf(out, "Start-up and memory: median of %d runs each, in turn.\n",
                     r.startup.runs);
        const double fastest = Least(r.startup.velorixRunsMs);
        const double fastestBare = Least(r.startup.bareRunsMs);
        std::fprintf(out, "  fastest runs: Velorix.exe %.0f ms, bare %.0f ms, %.2fx", fastest,
                     fastestBare, Ratio(fastest, fastestBare));
        const double fastestWork = Least(r.startup.workRunsMs);
        if (fastestWork > 0)
            std::fprintf(out, "; bare with system work %.0f ms, %.2fx", fastestWork,
                         Ratio(fastest, fastestWork));
        std::fprintf(out, "\n");
        PrintRuns(out, "Velorix.exe", r.startup.velorixRunsMs);
        PrintRuns(out, "bare", r.startup.bareRunsMs);
        PrintRuns(out, "bare with imports", r.startup.importsRunsMs);
        PrintRuns(out, "bare with work", r.startup.workRunsMs);
        if (r.startup.importsMs > 0)
            std::fprintf(
                out,
                "  the bare program importing Velorix's libraries: %.1f ms, private %.0f KB,"
                " working set %.0f KB\n",
                r.startup.importsMs, r.startup.importsPrivateKb, r.startup.importsWorkingSetKb);
    }
    std::fprintf(out, "\n");
    PrintSize(out, r.size);
}

void PrintFigures(std::FILE* out, const BenchResults& r)
{
    std::fprintf(out, "tick.ran=%d\ntick.clock_advanced=%d\n", r.tick.ran, r.tick.clockAdvanced);
    std::fprintf(out, "tick.bare_us=%.3f\ntick.product_us=%.3f\n", r.tick.bareMicros,
                 r.tick.productMicros);
    std::fprintf(out, "tick.timed=%ld\ntick.counted=%ld\n", r.tick.timedTicks, r.tick.countedTicks);
    std::fprintf(out, "tick.allocations=%ld\ntick.bare_allocations=%ld\n",
                 r.tick.productAllocations, r.tick.bareAllocations);
    std::fprintf(out, "drain.ran=%d\ndrain.socket_error=%d\n", r.drain.ran, r.drain.socketError);
    std::fprintf(out, "drain.bare_pps=%.1f\ndrain.worker_pps=%.1f\ndrain.sender_pps=%.1f\n",
                 r.drain.barePps, r.drain.workerPps, r.drain.senderPps);
    std::fprintf(out, "drain.paired_ratio=%.3f\n", r.drain.pairedRatio);
    std::fprintf(out, "drain.worker_packets=%ld\ndrain.worker_allocations=%ld\ndrain.sent=%ld\n",
                 r.drain.workerPackets, r.drain.workerAllocations, r.drain.datagramsSent);
    std::fprintf(out, "startup.ran=%d\nstartup.runs=%d\n", r.startup.ran, r.startup.runs);
    std::fprintf(out, "startup.velorix_ms=%.3f\nstartup.bare_ms=%.3f\n", r.startup.velorixMs,
                 r.startup.bareMs);
    std::fprintf(out, "memory.velorix_private_kb=%.1f\nmemory.bare_private_kb=%.1f\n",
                 r.startup.velorixPrivateKb, r.startup.barePrivateKb);
    std::fprintf(out, "memory.velorix_working_set_kb=%.1f\nmemory.bare_working_set_kb=%.1f\n",
                 r.startup.velorixWorkingSetKb, r.startup.bareWorkingSetKb);
    std::fprintf(out, "startup.imports_ms=%.3f\nmemory.imports_private_kb=%.1f\n",
                 r.startup.importsMs, r.startup.importsPrivateKb);
    std::fprintf(out, "memory.imports_working_set_kb=%.1f\n", r.startup.importsWorkingSetKb);
    std::fprintf(out, "startup.work_runs=%d\nstartup.work_ms=%.3f\n", r.startup.workRuns,
                 r.startup.workMs);
    std::fprintf(out, "memory.work_private_kb=%.1f\nmemory.work_working_set_kb=%.1f\n",
                 r.startup.workPrivateKb, r.startup.workWorkingSetKb);
    std::fprintf(out, "size.ran=%d\nsize.file=%lu\nsize.twin=%lu\nsize.sections=%lu\n", r.size.ran,
                 r.size.fileBytes, r.size.twinBytes, r.size.makeUp.sectionBytes);
    for (size_t i = 0; i < static_cast<size_t>(ImagePart::Count); ++i) {
        const auto part = static_cast<ImagePart>(i);
        std::fprintf(out, "size.%s=%lu\n", ImagePartKey(part), r.size.makeUp.Of(part));
    }
}
