#include "framework/MessageFilter.h"

#include "framework/SystemEntryPoint.h"

namespace {

// Looked up at run time: Vista lacks the first, older systems both.
using ChangeWindowMessageFilterExFn = BOOL(WINAPI*)(HWND window, UINT message, DWORD action,
                                                    void* status);
using ChangeWindowMessageFilterFn = BOOL(WINAPI*)(UINT message, DWORD flag);
constexpr DWORD kAllowForWindow = 1;   // MSGFLT_ALLOW
constexpr DWORD kAllowForProcess = 1;  // MSGFLT_ADD

}  // namespace

void AllowMessageFromLowerRights(HWND window, UINT message)
{
    if (auto perWindow = SystemEntryPoint<ChangeWindowMessageFilterExFn>(
            "user32.dll", "ChangeWindowMessageFilterEx")) {
        perWindow(window, message, kAllowForWindow, nullptr);
        return;
    }
    if (auto perProcess = SystemEntryPoint<ChangeWindowMessageFilterFn>(
            "user32.dll", "ChangeWindowMessageFilter"))
        perProcess(message, kAllowForProcess);
}
