#include "bench/StartupBench.h"

#include <vector>

#include "bench/Median.h"
#include "bench/ProgramLaunch.h"
#include "framework/Win32.h"
#include "res/resource.h"

namespace {

// The template's caption: both programs show the same window.
const char kCaption[] = "Velorix";
constexpr DWORD kShowTimeoutMs = 20000;

std::string CopyBeside(const std::string& exe, const std::string& folder)
{
    const std::string name = exe.substr(exe.find_last_of("\\/") + 1);
    const std::string copy = folder + "\\" + name;
    return ::CopyFileA(exe.c_str(), copy.c_str(), FALSE) ? copy : std::string();
}

LaunchSample Launch(const std::string& exe, const std::string& folder)
{
    // Both end on the quit button's command; the bare program takes it too.
    return LaunchUntilVisible(exe, folder, kCaption, IDC_QUIT, kShowTimeoutMs);
}

struct Samples {
    std::vector<double> ms, privateKb, workingSetKb;
    void Add(const LaunchSample& sample)
    {
        if (!sample.shown)
            return;
        ms.push_back(sample.msToVisible);
        privateKb.push_back(sample.privateBytes / 1024.0);
        workingSetKb.push_back(sample.workingSet / 1024.0);
    }
};

}  // namespace

StartupFigures MeasureStartup(const StartupPlan& plan)
{
    StartupFigures figures;
    ::CreateDirectoryA(plan.folder.c_str(), nullptr);
    const std::string velorix = CopyBeside(plan.velorixExe, plan.folder);
    const std::string bare = CopyBeside(plan.bareExe, plan.folder);
    const std::string imports = CopyBeside(plan.bareImportsExe, plan.folder);
    const std::string work = CopyBeside(plan.bareWorkExe, plan.folder);
    if (velorix.empty() || bare.empty())
        return figures;

    // The first start of each reads its files from disk; later ones do not.
    Launch(velorix, plan.folder);
    Launch(bare, plan.folder);
    if (!imports.empty())
        Launch(imports, plan.folder);
    if (!work.empty())
        Launch(work, plan.folder);
    Samples ours, least, withImports, withWork;
    for (int run = 0; run < plan.runs; ++run) {
        const LaunchSample a = Launch(velorix, plan.folder);
        const LaunchSample b = Launch(bare, plan.folder);
        if (!imports.empty())
            withImports.Add(Launch(imports, plan.folder));
        if (!work.empty())
            withWork.Add(Launch(work, plan.folder));
        if (a.shown && b.shown) {
            ours.Add(a);
            least.Add(b);
        }
    }
    figures.runs = static_cast<int>(ours.ms.size());
    figures.ran = figures.runs > 0;
    figures.velorixMs = Median(ours.ms);
    figures.bareMs = Median(least.ms);
    figures.velorixPrivateKb = Median(ours.privateKb);
    figures.barePrivateKb = Median(least.privateKb);
    figures.velorixWorkingSetKb = Median(ours.workingSetKb);
    figures.bareWorkingSetKb = Median(least.workingSetKb);
    figures.importsMs = Median(withImports.ms);
    figures.importsPrivateKb = Median(withImports.privateKb);
    figures.importsWorkingSetKb = Median(withImports.workingSetKb);
    figures.workRuns = static_cast<int>(withWork.ms.size());
    figures.workMs = Median(withWork.ms);
    figures.workPrivateKb = Median(withWork.privateKb);
    figures.workWorkingSetKb = Median(withWork.workingSetKb);
    figures.workRunsMs = withWork.ms;
    figures.velorixRunsMs = ours.ms;
    figures.bareRunsMs = least.ms;
    figures.importsRunsMs = withImports.ms;
    return figures;
}
