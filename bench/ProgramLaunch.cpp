#include "bench/ProgramLaunch.h"

#include <psapi.h>

#include <cstring>

#include "bench/Handle.h"
#include "bench/Stopwatch.h"

namespace {

constexpr DWORD kIdleWaitMs = 5000;
constexpr DWORD kExitWaitMs = 10000;

struct WindowSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindVisibleCaption(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    char text[64] = "";
    if (!::IsWindowVisible(window) || ::GetWindowTextA(window, text, sizeof text) <= 0 ||
        std::strcmp(text, search->caption) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND VisibleWindowOf(DWORD threadId, const char* caption)
{
    WindowSearch search{caption, nullptr};
    ::EnumThreadWindows(threadId, &FindVisibleCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Waits at most ms for handle, answering the messages sent to this
// thread's windows meanwhile: a starting program sends some to every
// top-level window and would wait for them. True when handle is signalled.
bool WaitPumping(HANDLE handle, DWORD ms)
{
    const DWORD result = ::MsgWaitForMultipleObjects(1, &handle, FALSE, ms, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return result == WAIT_OBJECT_0;
}

bool Start(const std::string& exe, const std::string& folder, CProcess& started)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + exe + "\"";
    if (!::CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        return false;
    started.process.Reset(info.hProcess);
    started.thread.Reset(info.hThread);
    started.processId = info.dwProcessId;
    started.threadId = info.dwThreadId;
    return true;
}

// Committed memory of the process's own, less its program images and
// mapped files: what Windows counts as private bytes. Wine leaves the
// counter itself at 0 for other processes.
SIZE_T CommittedPrivateBytes(HANDLE process)
{
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (const BYTE* address = nullptr;
         ::VirtualQueryEx(process, address, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        const BYTE* next = static_cast<const BYTE*>(region.BaseAddress) + region.RegionSize;
        if (next <= address)
            break;
        address = next;
    }
    return total;
}

void End(const CProcess& started, HWND window, WORD closeCommand)
{
    if (window)
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(closeCommand, 0), 0);
    const CStopwatch clock;
    bool ended = false;
    while (!ended && clock.Milliseconds() < kExitWaitMs)
        ended = WaitPumping(started.process.Get(), 10);
    if (!ended) {
        ::TerminateProcess(started.process.Get(), 1);
        ::WaitForSingleObject(started.process.Get(), kExitWaitMs);
    }
}

}  // namespace

LaunchSample LaunchUntilVisible(const std::string& exe, const std::string& folder,
                                const char* caption, WORD closeCommand, DWORD timeoutMs)
{
    LaunchSample sample;
    CProcess started;
    const CStopwatch clock;
    if (!Start(exe, folder, started))
        return sample;

    HWND window = nullptr;
    while (!window && clock.Milliseconds() < timeoutMs) {
        window = VisibleWindowOf(started.threadId, caption);
        if (!window && WaitPumping(started.process.Get(), 1))
            break;
    }
    if (window) {
        sample.shown = true;
        sample.msToVisible = clock.Milliseconds();
        const CStopwatch idle;
        while (::WaitForInputIdle(started.process.Get(), 10) == WAIT_TIMEOUT &&
               idle.Milliseconds() < kIdleWaitMs)
            WaitPumping(started.process.Get(), 0);
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof counters;
        if (::GetProcessMemoryInfo(started.process.Get(),
                                   reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                   sizeof counters)) {
            sample.privateBytes = counters.PrivateUsage;
            sample.workingSet = counters.WorkingSetSize;
        }
        if (sample.privateBytes == 0)
            sample.privateBytes = CommittedPrivateBytes(started.process.Get());
    }
    End(started, window, closeCommand);
    return sample;
}
