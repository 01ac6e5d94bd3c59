#include "framework/Thread.h"

#include <process.h>

namespace {

struct WorkerStart {
    WorkerProc fn;
    LPVOID param;
};

unsigned __stdcall WorkerEntry(void* raw)
{
    const WorkerStart start = *static_cast<WorkerStart*>(raw);
    delete static_cast<WorkerStart*>(raw);
    return start.fn(start.param);
}

}  // namespace

bool StartWorkerThread(WorkerProc fn, LPVOID param, int priority)
{
    auto* start = new WorkerStart{fn, param};
    const uintptr_t handle = _beginthreadex(nullptr, 0, &WorkerEntry, start, CREATE_SUSPENDED, nullptr);
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
