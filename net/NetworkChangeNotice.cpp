#include "net/NetworkChangeNotice.h"

#include "framework/SystemEntryPoint.h"

namespace {

using NotifyAddressFn = NETIO_STATUS(NETIOAPI_API_*)(ADDRESS_FAMILY,
                                                     PUNICAST_IPADDRESS_CHANGE_CALLBACK, PVOID,
                                                     BOOLEAN, HANDLE*);
using NotifyInterfaceFn = NETIO_STATUS(NETIOAPI_API_*)(ADDRESS_FAMILY, PIPINTERFACE_CHANGE_CALLBACK,
                                                       PVOID, BOOLEAN, HANDLE*);
using CancelFn = NETIO_STATUS(NETIOAPI_API_*)(HANDLE);

const char kIpHelper[] = "iphlpapi.dll";

}  // namespace

void CNetworkChangeNotice::Start(HWND window, UINT message)
{
    if (m_hWnd)
        return;
    m_hWnd = window;
    m_nMessage = message;
    const auto notifyAddress =
        SystemEntryPoint<NotifyAddressFn>(kIpHelper, "NotifyUnicastIpAddressChange");
    const auto notifyInterface =
        SystemEntryPoint<NotifyInterfaceFn>(kIpHelper, "NotifyIpInterfaceChange");
    HANDLE notice = nullptr;
    if (notifyAddress && notifyAddress(AF_INET, &OnAddressChange, this, FALSE, &notice) == NO_ERROR)
        m_hAddressNotice = notice;
    notice = nullptr;
    if (notifyInterface &&
        notifyInterface(AF_UNSPEC, &OnInterfaceChange, this, FALSE, &notice) == NO_ERROR)
        m_hInterfaceNotice = notice;
}

CNetworkChangeNotice::~CNetworkChangeNotice()
{
    const auto cancel = SystemEntryPoint<CancelFn>(kIpHelper, "CancelMibChangeNotify2");
    if (!cancel)
        return;
    if (m_hAddressNotice)
        cancel(m_hAddressNotice);
    if (m_hInterfaceNotice)
        cancel(m_hInterfaceNotice);
}

void CNetworkChangeNotice::Post()
{
    if (!m_bPosted.exchange(true))
        ::PostMessageA(m_hWnd, m_nMessage, 0, 0);
}

void NETIOAPI_API_ CNetworkChangeNotice::OnAddressChange(PVOID notice, PMIB_UNICASTIPADDRESS_ROW,
                                                         MIB_NOTIFICATION_TYPE)
{
    static_cast<CNetworkChangeNotice*>(notice)->Post();
}

void NETIOAPI_API_ CNetworkChangeNotice::OnInterfaceChange(PVOID notice, PMIB_IPINTERFACE_ROW,
                                                           MIB_NOTIFICATION_TYPE)
{
    static_cast<CNetworkChangeNotice*>(notice)->Post();
}
