#include "bench/DrainBench.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "bench/Handle.h"
#include "bench/Median.h"
#include "bench/PacketFlood.h"
#include "bench/ReceiveCounting.h"
#include "bench/Stopwatch.h"
#include "net/AcceleratedMode.h"
// After the system headers it needs.
#include <tlhelp32.h>

namespace {

constexpr DWORD kReaderEndMs = 5000;
constexpr DWORD kStallMs = 300;
constexpr int kNudges = 8;

// The least a reader of the socket can do: receive into one buffer until
// told to stop, like the worker's loop without its state.
struct BareReader {
    SOCKET socket;
    volatile LONG stop;
};

DWORD WINAPI BareLoop(LPVOID param)
{
    auto* reader = static_cast<BareReader*>(param);
    char packet[1600];
    sockaddr_in sender;
    while (!reader->stop) {
        int senderLength = sizeof sender;
        if (::recvfrom(reader->socket, packet, sizeof packet, 0,
                       reinterpret_cast<sockaddr*>(&sender), &senderLength) == SOCKET_ERROR &&
            ::WSAGetLastError() != WSAEMSGSIZE)
            return 1;
    }
    return 0;
}

// The socket the worker's mode opens: the one the round prepared.
SOCKET g_roundSocket = INVALID_SOCKET;

SOCKET RoundSocket()
{
    const SOCKET socket = g_roundSocket;
    g_roundSocket = INVALID_SOCKET;
    return socket;
}

// Calls visit with the identifier of each thread of this process.
template <class Visit>
void ForEachThreadOfThisProcess(Visit visit)
{
    const CHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot)
        return;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Thread32First(snapshot.Get(), &entry); more;
         more = ::Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId())
            visit(entry.th32ThreadID);
    }
}

// Sorted, for the search below.
std::vector<DWORD> ThreadsOfThisProcess()
{
    std::vector<DWORD> threads;
    ForEachThreadOfThisProcess([&threads](DWORD id) { threads.push_back(id); });
    std::sort(threads.begin(), threads.end());
    return threads;
}

// The worker runs on a thread of the framework's, which holds no handle to
// it: the one thread that started since before; null when it is not there.
// It runs while the worker may already be receiving, inside the counted
// window, so it allocates nothing.
HANDLE OpenThreadStartedSince(const std::vector<DWORD>& before)
{
    HANDLE found = nullptr;
    bool several = false;
    ForEachThreadOfThisProcess([&](DWORD id) {
        if (several || std::binary_search(before.begin(), before.end(), id))
            return;
        if (found) {
            ::CloseHandle(found);
            found = nullptr;
            several = true;
            return;
        }
        found = ::OpenThread(SYNCHRONIZE, FALSE, id);
    });
    return found;
}

struct RoundResult {
    bool done = false;
    double pps = 0;
    double senderPps = 0;
    long packets = 0;
    long allocations = 0;
    long sent = 0;
};

// Ends a reader that may be waiting for a datagram; false if it would not.
bool EndReader(const CHandle& thread, CLoopbackFlood& flood)
{
    for (int i = 0; i < kNudges; ++i) {
        if (::WaitForSingleObject(thread.Get(), kReaderEndMs / kNudges) == WAIT_OBJECT_0)
            return true;
        flood.Nudge();
    }
    return false;
}

RoundResult RunRound(const DrainPlan& plan, bool worker, CReceiveCounting& counting, int* error)
{
    RoundResult result;
    SOCKET raw = OpenLoopbackRawSocket(error);
    if (raw == INVALID_SOCKET)
        return result;
    CLoopbackFlood flood(plan.backlog, plan.roundMs);
    BareReader bare{raw, 0};
    auto mode = std::make_unique<CAcceleratedMode>();
    const CStopwatch filling;
    if (!flood.Start() || !flood.WaitSent(plan.roundMs + kReaderEndMs)) {
        flood.Stop();
        ::closesocket(raw);
        return result;
    }
    result.senderPps = flood.Sent() / filling.Seconds();

    counting.Watch(plan.packetsPerRound);
    CHandle thread;
    if (worker) {
        // From here the worker owns the socket and closes it as it ends.
        const std::vector<DWORD> before = ThreadsOfThisProcess();
        g_roundSocket = raw;
        mode->SwitchOn(&RoundSocket);
        thread.Reset(OpenThreadStartedSince(before));
    } else {
        thread.Reset(::CreateThread(nullptr, 0, &BareLoop, &bare, 0, nullptr));
    }
    // Done when the window is full; given up when the queue ran dry first
    // (the system dropped datagrams that did not fit) and nothing arrives.
    for (long seen = -1; thread && seen != counting.Received();) {
        seen = counting.Received();
        if (counting.WaitWindow(kStallMs))
            break;
    }
    result.done = counting.WindowDone();

    if (worker)
        mode->SwitchOff();
    else
        ::InterlockedExchange(&bare.stop, 1);
    const bool ended = !thread || EndReader(thread, flood);
    if (!worker) {
        // Closing wakes a receive that no datagram reached.
        ::closesocket(raw);
        if (!ended)
            ::WaitForSingleObject(thread.Get(), kReaderEndMs);
    } else if (!thread || !ended) {
        // A worker still receiving, or one not found, keeps its mode until
        // the process ends.
        static_cast<void>(mode.release());
    }
    result.sent = flood.Sent();
    if (result.done) {
        result.pps = plan.packetsPerRound / counting.WindowSeconds();
        result.packets = plan.packetsPerRound;
        result.allocations = counting.WindowAllocations();
    }
    return result;
}

}  // namespace

DrainFigures MeasureDrain(const DrainPlan& plan)
{
    DrainFigures figures;
    WSADATA wsa;
    if (::WSAStartup(MAKEWORD(2, 2), &wsa) != 0)
        return figures;
    CReceiveCounting counting;
    std::vector<double> bare, worker, offered, paired;
    for (int round = 0; round < plan.rounds && counting.Applied(); ++round) {
        const size_t bareBefore = bare.size(), workerBefore = worker.size();
        // Each reader goes first in every other round.
        const bool workerFirst = round % 2 == 1;
        for (bool isWorker : {workerFirst, !workerFirst}) {
            const RoundResult result = RunRound(plan, isWorker, counting, &figures.socketError);
            figures.datagramsSent += result.sent;
            if (!result.done)
                continue;
            (isWorker ? worker : bare).push_back(result.pps);
            offered.push_back(result.senderPps);
            if (isWorker) {
                figures.workerPackets += result.packets;
                figures.workerAllocations += result.allocations;
            }
        }
        if (figures.socketError)
            break;
        if (bare.size() > bareBefore && worker.size() > workerBefore && bare.back() > 0)
            paired.push_back(worker.back() / bare.back());
        ++figures.roundsCompleted;
    }
    figures.ran = !bare.empty() && !worker.empty();
    figures.barePps = bare.empty() ? 0 : *std::max_element(bare.begin(), bare.end());
    figures.workerPps = worker.empty() ? 0 : *std::max_element(worker.begin(), worker.end());
    figures.bareMedianPps = Median(bare);
    figures.workerMedianPps = Median(worker);
    figures.senderPps = Median(offered);
    figures.pairedRatio = Median(paired);
    figures.bareRoundsPps = bare;
    figures.workerRoundsPps = worker;
    ::WSACleanup();
    return figures;
}
