#include "bench/ReceiveCounting.h"

#include <memory>

#include "bench/AllocationCounter.h"
#include "tests/support/ImportPatch.h"

namespace {

using RecvFromFn = int(WINAPI*)(SOCKET, char*, int, int, sockaddr*, int*);

std::unique_ptr<CImportPatch> g_patch;
RecvFromFn g_realRecvFrom = nullptr;
volatile LONG g_received = 0;
volatile LONG g_first = 0;  // the receive count that opens the window
volatile LONG g_last = 0;   // and the one that closes it
LARGE_INTEGER g_firstTime, g_lastTime;
long g_firstAllocations = 0, g_lastAllocations = 0;
// Set by the last receive of the window, so the measuring thread can wait
// without waking up beside the reader.
HANDLE g_windowFull = nullptr;

int WINAPI CountedRecvFrom(SOCKET socket, char* buffer, int length, int flags, sockaddr* from,
                           int* fromLength)
{
    const int result = g_realRecvFrom(socket, buffer, length, flags, from, fromLength);
    if (result == SOCKET_ERROR && ::WSAGetLastError() != WSAEMSGSIZE)
        return result;
    const LONG received = ::InterlockedIncrement(&g_received);
    if (received == g_first) {
        ::QueryPerformanceCounter(&g_firstTime);
        g_firstAllocations = AllocationsSoFar();
    } else if (received == g_last) {
        ::QueryPerformanceCounter(&g_lastTime);
        g_lastAllocations = AllocationsSoFar();
        ::SetEvent(g_windowFull);
    }
    return result;
}

}  // namespace

CReceiveCounting::CReceiveCounting()
{
    HMODULE ws2 = ::GetModuleHandleA("ws2_32.dll");
    g_realRecvFrom = ws2 ? reinterpret_cast<RecvFromFn>(
                               reinterpret_cast<void*>(::GetProcAddress(ws2, "recvfrom")))
                         : nullptr;
    g_windowFull = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_patch = std::make_unique<CImportPatch>("ws2_32.dll", "recvfrom",
                                             reinterpret_cast<const void*>(&CountedRecvFrom));
}

CReceiveCounting::~CReceiveCounting()
{
    g_patch.reset();
    if (g_windowFull)
        ::CloseHandle(g_windowFull);
    g_windowFull = nullptr;
}

bool CReceiveCounting::Applied() const
{
    return g_patch && g_patch->Applied() && g_windowFull;
}

void CReceiveCounting::Watch(long count)
{
    ::ResetEvent(g_windowFull);
    g_last = 0;
    g_first = g_received + 1;
    g_last = g_first + count;
}

bool CReceiveCounting::WindowDone() const
{
    return g_received >= g_last;
}

bool CReceiveCounting::WaitWindow(DWORD ms) const
{
    return ::WaitForSingleObject(g_windowFull, ms) == WAIT_OBJECT_0 || WindowDone();
}

long CReceiveCounting::Received() const
{
    return g_received;
}

double CReceiveCounting::WindowSeconds() const
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(g_lastTime.QuadPart - g_firstTime.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

long CReceiveCounting::WindowAllocations() const
{
    return g_lastAllocations - g_firstAllocations;
}
