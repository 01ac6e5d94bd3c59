// Cancelling another thread's pending I/O on a handle (CancelIoEx, from
// Windows Vista on).
#pragma once
#include "framework/Win32.h"

// Cancels every pending I/O request of this process on handle; false where
// the system lacks CancelIoEx or nothing was pending.
bool CancelPendingIo(HANDLE handle);
