// Counting the receives of the drain measurement at the recvfrom import
// slot, which the bare loop and the worker both call through.
#pragma once
#include "framework/Win32.h"

// Every recvfrom this program makes, counted, with the time and the
// allocation count at the first and the last of a window of receives. The
// count is kept where the replacement in the import slot finds it, so one
// object may exist at a time.
class CReceiveCounting {
public:
    CReceiveCounting();
    ~CReceiveCounting();
    CReceiveCounting(const CReceiveCounting&) = delete;
    CReceiveCounting& operator=(const CReceiveCounting&) = delete;

    bool Applied() const;
    // The window: from the next successful receive to the count-th after it.
    void Watch(long count);
    bool WindowDone() const;
    // Waits at most ms for the window to fill; true when it has.
    bool WaitWindow(DWORD ms) const;
    long Received() const;
    double WindowSeconds() const;
    long WindowAllocations() const;
};
