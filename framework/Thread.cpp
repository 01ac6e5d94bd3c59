#include "framework/Thread.h"

#include <process.h>

#include <new>

#include "framework/Exception.h"

namespace {

struct WorkerStart {
    WorkerProc fn;
    LPVOID param;
};

unsigned __stdcall WorkerEntry(void* raw)
{
    const WorkerStart start = *static_cast<WorkerStart*>(raw);
    delete static_cast<WorkerStart*>(raw);
    // Nothing thrown by the worker may reach the system, which would end
    // the process without a word.
    try {
        return start.fn(start.param);
    } catch (...) {
        TraceCaughtException("the worker thread");
        return 1;
    }
}

}  // namespace

bool StartWorkerThread(WorkerProc fn, LPVOID param, int priority)
{
    // Its callers undo what they prepared for the worker when it does not
    // start, so a lack of memory is reported like any other failure.
    auto* start = new (std::nothrow) WorkerStart{fn, param};
    if (!start)
        return false;
    const uintptr_t handle =
        _beginthreadex(nullptr, 0, &WorkerEntry, start, CREATE_SUSPENDED, nullptr);
    if (!handle) {
        delete start;
        return false;
    }
    HANDLE thread = reinterpret_cast<HANDLE>(handle);
    ::SetThreadPriority(thread, priority);
    ::ResumeThread(thread);
    ::CloseHandle(thread);
    return true;
}
