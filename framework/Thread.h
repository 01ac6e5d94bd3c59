// Worker threads. The thread object is the system's alone: the program holds
// no handle to it, and it goes when the thread ends.
#pragma once
#include "framework/Win32.h"

using WorkerProc = UINT (*)(LPVOID param);

// Starts fn(param) at once with the default stack size; false, and nothing
// started, when the system could not start it or the memory to hand it over
// was not there. Never throws.
bool StartWorkerThread(WorkerProc fn, LPVOID param, int priority = THREAD_PRIORITY_NORMAL);
