// The system's change notifications reach the window as one posted message
// however many come before it is taken. The system's calls are stood in for
// through GetProcAddress, as Wine's never call back.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "net/NetworkChangeNotice.h"
#include "tests/support/ImportPatch.h"

namespace {

PUNICAST_IPADDRESS_CHANGE_CALLBACK g_addressCallback = nullptr;
PIPINTERFACE_CHANGE_CALLBACK g_interfaceCallback = nullptr;
PVOID g_context = nullptr;
int g_cancelled = 0;
HANDLE const kAddressNotice = reinterpret_cast<HANDLE>(0x51);
HANDLE const kInterfaceNotice = reinterpret_cast<HANDLE>(0x52);

NETIO_STATUS NETIOAPI_API_ NotifyAddress(ADDRESS_FAMILY,
                                         PUNICAST_IPADDRESS_CHANGE_CALLBACK callback, PVOID context,
                                         BOOLEAN, HANDLE* notice)
{
    g_addressCallback = callback;
    g_context = context;
    *notice = kAddressNotice;
    return NO_ERROR;
}

NETIO_STATUS NETIOAPI_API_ NotifyInterface(ADDRESS_FAMILY, PIPINTERFACE_CHANGE_CALLBACK callback,
                                           PVOID, BOOLEAN, HANDLE* notice)
{
    g_interfaceCallback = callback;
    *notice = kInterfaceNotice;
    return NO_ERROR;
}

NETIO_STATUS NETIOAPI_API_ Cancel(HANDLE notice)
{
    if (notice == kAddressNotice || notice == kInterfaceNotice)
        ++g_cancelled;
    return NO_ERROR;
}

using LookUpFn = decltype(&::GetProcAddress);
LookUpFn g_lookUp = nullptr;

FARPROC WINAPI LookUp(HMODULE module, LPCSTR name)
{
    const bool byName = reinterpret_cast<UINT_PTR>(name) > 0xFFFF;
    const auto entry = [](auto function) {
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
    };
    if (byName && std::strcmp(name, "NotifyUnicastIpAddressChange") == 0)
        return entry(&NotifyAddress);
    if (byName && std::strcmp(name, "NotifyIpInterfaceChange") == 0)
        return entry(&NotifyInterface);
    if (byName && std::strcmp(name, "CancelMibChangeNotify2") == 0)
        return entry(&Cancel);
    return g_lookUp(module, name);
}

constexpr UINT kChanged = WM_APP + 11;

int PostedChanges(HWND window)
{
    int posted = 0;
    MSG msg;
    while (PeekMessageA(&msg, window, kChanged, kChanged, PM_REMOVE))
        ++posted;
    return posted;
}

}  // namespace

TEST(NetworkChangeNotice, ABurstOfChangesPostsOneMessageUntilItIsTaken)
{
    CImportPatch patch("kernel32.dll", "GetProcAddress", reinterpret_cast<const void*>(&LookUp));
    ASSERT_TRUE(patch.Applied());
    g_lookUp = patch.Original<LookUpFn>();
    HWND window =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    g_cancelled = 0;
    {
        CNetworkChangeNotice notice;
        notice.Start(window, kChanged);
        ASSERT_NE(nullptr, g_addressCallback);
        ASSERT_NE(nullptr, g_interfaceCallback);

        // The system calls back on threads of its own.
        std::thread system([] {
            for (int i = 0; i < 5; ++i) {
                g_addressCallback(g_context, nullptr, MibAddInstance);
                g_interfaceCallback(g_context, nullptr, MibParameterNotification);
            }
        });
        system.join();
        EXPECT_EQ(1, PostedChanges(window));
        g_addressCallback(g_context, nullptr, MibDeleteInstance);
        EXPECT_EQ(0, PostedChanges(window)) << "not taken yet";
        notice.Taken();
        g_interfaceCallback(g_context, nullptr, MibDeleteInstance);
        EXPECT_EQ(1, PostedChanges(window));
    }
    EXPECT_EQ(2, g_cancelled);
    DestroyWindow(window);
}
