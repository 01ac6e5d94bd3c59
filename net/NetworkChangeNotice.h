// Word from the system that interfaces or IPv4 addresses changed, posted to
// a window as one message however many changes come before it handles it.
// The system calls back on threads of its own; Windows Vista and later
// (where the system lacks the calls, or does not call back, as under Wine,
// the tick's own reads see every change a little later).
#pragma once
#include <atomic>

#include "framework/Win32.h"

#include <iphlpapi.h>

class CNetworkChangeNotice {
public:
    CNetworkChangeNotice() = default;
    // Cancels the notifications; the system waits for a callback under way.
    ~CNetworkChangeNotice();
    CNetworkChangeNotice(const CNetworkChangeNotice&) = delete;
    CNetworkChangeNotice& operator=(const CNetworkChangeNotice&) = delete;

    // Asks for notifications, posted to window as message; once.
    void Start(HWND window, UINT message);
    // The window took the posted message: the next change posts again.
    void Taken() { m_bPosted.store(false); }

private:
    static void NETIOAPI_API_ OnAddressChange(PVOID notice, PMIB_UNICASTIPADDRESS_ROW,
                                              MIB_NOTIFICATION_TYPE);
    static void NETIOAPI_API_ OnInterfaceChange(PVOID notice, PMIB_IPINTERFACE_ROW,
                                                MIB_NOTIFICATION_TYPE);
    void Post();

    // Written before the notifications start, then only read.
    HWND m_hWnd = nullptr;
    UINT m_nMessage = 0;
    std::atomic<bool> m_bPosted{false};
    HANDLE m_hAddressNotice = nullptr;
    HANDLE m_hInterfaceNotice = nullptr;
};
