// The benchmark program, run with a few iterations of each measurement, so
// that it keeps working as the program changes. Its figures are checked for
// being there and making sense, never for how fast anything was.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "tests/e2e/Harness.h"

namespace {

constexpr DWORD kBenchTimeoutMs = 240000;

// Runs the benchmark with its output in a file of folder; its exit code.
DWORD RunBench(const std::string& args, const std::string& folder)
{
    const std::string exe = e2e::BinDir() + "\\velorix_bench.exe";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileA((folder + "\\table.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                &inherit, CREATE_ALWAYS, 0, nullptr);
    if (output == INVALID_HANDLE_VALUE)
        return ~0u;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + exe + "\" " + args;
    DWORD code = ~0u;
    if (CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                       folder.c_str(), &startup, &process)) {
        if (WaitForSingleObject(process.hProcess, kBenchTimeoutMs) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 1);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(output);
    return code;
}

std::map<std::string, double> ReadFigures(const std::string& path)
{
    std::map<std::string, double> figures;
    std::istringstream in(e2e::ReadFile(path));
    std::string line;
    while (std::getline(in, line)) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos)
            figures[line.substr(0, equals)] = std::stod(line.substr(equals + 1));
    }
    return figures;
}

}  // namespace

TEST(BenchSmoke, EveryMeasurementProducesSaneFigures)
{
    e2e::ResetUserState();
    const std::string folder = e2e::ScratchDir("bench_smoke");
    const std::string figuresFile = folder + "\\figures.txt";
    ASSERT_EQ(
        0u, RunBench("--smoke --figures \"" + figuresFile + "\" --scratch \"" + folder + "\\run\"",
                     folder))
        << e2e::ReadFile(folder + "\\table.txt");
    std::map<std::string, double> f = ReadFigures(figuresFile);
    SCOPED_TRACE(e2e::ReadFile(folder + "\\table.txt"));

    // The tick: the real refresh ran (its clock moved), both sides were timed.
    EXPECT_EQ(1, f["tick.ran"]);
    EXPECT_EQ(1, f["tick.clock_advanced"]);
    EXPECT_GT(f["tick.bare_us"], 0);
    EXPECT_GT(f["tick.product_us"], 0);
    EXPECT_GT(f["tick.timed"], 0);
    EXPECT_GE(f["tick.counted"], f["tick.timed"]);
    EXPECT_GE(f["tick.allocations"], 0);
    EXPECT_EQ(0, f["tick.bare_allocations"]) << "the bare ticks allocate nothing of ours";

    // Start-up and memory: both windows showed, and both processes hold memory.
    EXPECT_EQ(1, f["startup.ran"]);
    EXPECT_GT(f["startup.velorix_ms"], 0);
    EXPECT_GT(f["startup.bare_ms"], 0);
    EXPECT_GT(f["memory.velorix_private_kb"], 0);
    EXPECT_GT(f["memory.bare_private_kb"], 0);
    EXPECT_GT(f["memory.velorix_working_set_kb"], 0);
    EXPECT_GT(f["memory.bare_working_set_kb"], 0);
    // The bare program doing Velorix's start-up system work showed its window too.
    EXPECT_EQ(1, f["startup.work_runs"]);
    EXPECT_GT(f["startup.work_ms"], 0);
    EXPECT_GT(f["memory.work_private_kb"], 0);
    EXPECT_GT(f["memory.work_working_set_kb"], 0);

    // Size: the map describes this very file, and its parts fit inside it.
    EXPECT_EQ(1, f["size.ran"]);
    EXPECT_GT(f["size.file"], 0);
    EXPECT_EQ(f["size.file"], f["size.twin"]);
    double parts = 0;
    for (const char* part : {"framework", "program", "cxx_runtime", "threads", "c_runtime",
                             "imports", "resources", "relocations", "padding", "unattributed"})
        parts += f[std::string("size.") + part];
    EXPECT_LE(parts, f["size.file"]);
    EXPECT_GT(parts, f["size.file"] * 0.9) << "most of the file is attributed";
    EXPECT_GT(f["size.framework"], 0);
    EXPECT_GT(f["size.program"], 0);
    EXPECT_GT(f["size.resources"], 0);
    EXPECT_LT(f["size.unattributed"], f["size.file"] * 0.01) << "every input file is known";

    // Drain: needs the right to raw sockets; without it the benchmark says so.
    if (f["drain.socket_error"] == WSAEACCES) {
        RecordProperty("drain", "no right to raw sockets");
        return;
    }
    EXPECT_EQ(0, f["drain.socket_error"]);
    EXPECT_EQ(1, f["drain.ran"]);
    EXPECT_GT(f["drain.bare_pps"], 0);
    EXPECT_GT(f["drain.worker_pps"], 0);
    EXPECT_GT(f["drain.worker_packets"], 0);
    EXPECT_GE(f["drain.worker_allocations"], 0);
    EXPECT_LE(f["drain.sent"], 1000) << "the smoke flood stays small";
}
