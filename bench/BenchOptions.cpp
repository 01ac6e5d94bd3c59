#include "bench/BenchOptions.h"

#include <cstring>

#include "framework/Win32.h"

namespace {

std::string OwnFolder()
{
    char path[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return ".";
    std::string text(path, length);
    return text.substr(0, text.find_last_of('\\'));
}

std::string Parent(const std::string& folder)
{
    const size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? folder + "\\.." : folder.substr(0, slash);
}

void MakeSmall(BenchOptions& options)
{
    options.tick.rounds = 2;
    options.tick.ticksPerRound = 20;
    options.tick.warmUpTicks = 5;
    options.tick.countedTicks = 60;
    options.drain.rounds = 1;
    options.drain.packetsPerRound = 200;
    options.drain.backlog = 300;
    options.drain.roundMs = 2000;
    options.startup.runs = 1;
}

}  // namespace

BenchOptions ParseBenchOptions(int argc, char** argv)
{
    BenchOptions options;
    const std::string bin = OwnFolder();
    std::string benchDir = Parent(bin) + "\\bench";
    std::string scratch;
    options.startup.velorixExe = bin + "\\Velorix.exe";
    options.startup.bareExe = bin + "\\bare_dialog.exe";
    options.startup.bareImportsExe = bin + "\\bare_dialog_imports.exe";
    options.startup.bareWorkExe = bin + "\\bare_startup_work.exe";

    for (int i = 1; i < argc; ++i) {
        const char* name = argv[i];
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(name, "--smoke") == 0) {
            options.smoke = true;
        } else if (hasValue && std::strcmp(name, "--only") == 0) {
            const std::string only = std::string(",") + argv[++i] + ",";
            auto named = [&only](const char* what) {
                return only.find(std::string(",") + what + ",") != std::string::npos;
            };
            options.runSize = named("size");
            options.runStartup = named("startup");
            options.runDrain = named("drain");
            options.runTick = named("tick");
        } else if (hasValue && std::strcmp(name, "--figures") == 0) {
            options.figuresFile = argv[++i];
        } else if (hasValue && std::strcmp(name, "--velorix") == 0) {
            options.startup.velorixExe = argv[++i];
        } else if (hasValue && std::strcmp(name, "--bare") == 0) {
            options.startup.bareExe = argv[++i];
        } else if (hasValue && std::strcmp(name, "--bench-dir") == 0) {
            benchDir = argv[++i];
        } else if (hasValue && std::strcmp(name, "--scratch") == 0) {
            scratch = argv[++i];
        } else {
            options.valid = false;
            options.error = std::string("unknown or incomplete option: ") + name;
            return options;
        }
    }
    if (options.smoke)
        MakeSmall(options);
    options.startup.folder = scratch.empty() ? benchDir + "\\run" : scratch;
    options.size.velorixExe = options.startup.velorixExe;
    options.size.twinExe = benchDir + "\\Velorix.exe";
    options.size.mapFile = benchDir + "\\Velorix.map";
    options.size.sourcesFile = benchDir + "\\velorix-sources.txt";
    return options;
}
