#include "bench/TickBench.h"

#include <string>
#include <vector>

#include "framework/Win32.h"

#include "bench/AllocationCounter.h"
#include "bench/BareTick.h"
#include "bench/Median.h"
#include "bench/Stopwatch.h"
#include "res/resource.h"
#include "ui/RapidaneDlg.h"

namespace {

constexpr UINT_PTR kStatusTimer = 1;  // the main window's panel timer
// Calls timed for the breakdown: the window calls are quick, the network
// queries take milliseconds under Wine.
constexpr int kWindowCallSamples = 2000;
constexpr int kSystemCallSamples = 50;

template <class Fn>
double MicrosPerCall(int calls, Fn fn)
{
    const CStopwatch clock;
    for (int i = 0; i < calls; ++i)
        fn();
    return clock.Seconds() * 1e6 / calls;
}

std::string TextOf(HWND window)
{
    char text[128] = "";
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// What the timer callback works on: the callback gets no parameter of ours.
struct TickRun {
    const TickPlan* plan;
    TickFigures* figures;
    CBareTick* bare;
    CRapidaneDlg* dialog;
};
TickRun* g_run = nullptr;

void Breakdown(HWND dialog, CBareTick& bare, TickFigures& figures)
{
    HWND label = ::GetDlgItem(dialog, IDC_CONNECTED_TIME);
    figures.controlLookupMicros =
        MicrosPerCall(kWindowCallSamples, [dialog] { ::GetDlgItem(dialog, IDC_CONNECTED_TIME); });
    figures.textReadMicros = MicrosPerCall(kWindowCallSamples, [label] {
        char text[256];
        ::GetWindowTextLengthA(label);
        ::GetWindowTextA(label, text, sizeof text);
    });
    int flip = 0;
    figures.textWriteMicros = MicrosPerCall(kWindowCallSamples, [dialog, label, &flip] {
        ::SetWindowTextA(label, (++flip & 1) ? " 1 hrs :  0 mins :  0 secs"
                                             : " 1 hrs :  0 mins :  1 secs");
        RECT area;
        ::GetWindowRect(label, &area);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
        ::RedrawWindow(dialog, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    });
    figures.ifTableMicros = MicrosPerCall(kSystemCallSamples, [&bare] { bare.IfTable(); });
    figures.ifEntry2Micros = MicrosPerCall(kSystemCallSamples, [&bare] { bare.IfEntry2(); });
    figures.connectedStateMicros =
        MicrosPerCall(kSystemCallSamples, [] { CBareTick::ConnectedState(); });
}

void RunTicks(HWND dialog)
{
    const TickPlan& plan = *g_run->plan;
    TickFigures& figures = *g_run->figures;
    CBareTick& bare = *g_run->bare;
    auto refresh = [dialog] { ::SendMessageA(dialog, WM_TIMER, kStatusTimer, 0); };

    const std::string before = TextOf(::GetDlgItem(dialog, IDC_CONNECTED_TIME));
    for (int i = 0; i < plan.warmUpTicks; ++i) {
        bare.Tick();
        refresh();
    }
    std::vector<double> bareRounds, productRounds;
    bareRounds.reserve(plan.rounds);
    productRounds.reserve(plan.rounds);
    for (int round = 0; round < plan.rounds; ++round) {
        long allocations = AllocationsSoFar();
        const double bareMicros = MicrosPerCall(plan.ticksPerRound, [&bare] { bare.Tick(); });
        figures.bareAllocations += AllocationsSoFar() - allocations;
        allocations = AllocationsSoFar();
        const double productMicros = MicrosPerCall(plan.ticksPerRound, refresh);
        figures.productAllocations += AllocationsSoFar() - allocations;
        bareRounds.push_back(bareMicros);
        productRounds.push_back(productMicros);
        figures.timedTicks += plan.ticksPerRound;
    }
    const long allocations = AllocationsSoFar();
    for (long tick = figures.timedTicks; tick < plan.countedTicks; ++tick)
        refresh();
    figures.productAllocations += AllocationsSoFar() - allocations;
    figures.countedTicks =
        figures.timedTicks > plan.countedTicks ? figures.timedTicks : plan.countedTicks;
    figures.bareMicros = Median(bareRounds);
    figures.productMicros = Median(productRounds);
    const std::string after = TextOf(::GetDlgItem(dialog, IDC_CONNECTED_TIME));
    figures.clockAdvanced = after != before && after.find("hrs") != std::string::npos;
    Breakdown(dialog, bare, figures);
    figures.ran = true;
}

VOID CALLBACK StartTicks(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    HWND dialog = g_run->dialog->m_hWnd;
    if (dialog && ::IsWindowVisible(dialog))
        RunTicks(dialog);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_QUIT, BN_CLICKED), 0);
}

}  // namespace

TickFigures MeasureTicks(const TickPlan& plan)
{
    TickFigures figures;
    CBareTick bare;
    if (!bare.Prepare())
        return figures;
    CRapidaneDlg dialog;
    TickRun run{&plan, &figures, &bare, &dialog};
    g_run = &run;
    // Fires from the dialog's own message loop once the window is up.
    ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &StartTicks);
    dialog.DoModal();
    g_run = nullptr;
    return figures;
}
