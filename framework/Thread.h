// Worker threads. The thread object is the system's alone: the program holds
// no handle to it, and it goes when the thread ends.
#pragma once
#include "framework/Win32.h"

using WorkerProc = UINT (*)(LPVOID param);

// Starts fn(param) at once with the default stack size; false when the
// system could not start it.
bool StartWorkerThread(WorkerProc fn, LPVOID param, int priority = THREAD_PRIORITY_NORMAL);
