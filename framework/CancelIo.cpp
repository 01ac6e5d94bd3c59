#include "framework/CancelIo.h"

#include "framework/SystemEntryPoint.h"

bool CancelPendingIo(HANDLE handle)
{
    using CancelIoExFn = BOOL(WINAPI*)(HANDLE file, LPOVERLAPPED overlapped);
    static const CancelIoExFn cancelIoEx =
        SystemEntryPoint<CancelIoExFn>("kernel32.dll", "CancelIoEx");
    return cancelIoEx && cancelIoEx(handle, nullptr);
}
