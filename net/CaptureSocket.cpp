#include "net/CaptureSocket.h"

#include <mstcpip.h>

#include "net/LocalAddresses.h"
#include "net/SocketHandle.h"

const char* CurrentCaptureAddress()
{
    const int listed =
        g_nLocalAddresses < kMaxLocalAddresses ? g_nLocalAddresses : kMaxLocalAddresses;
    return g_LocalAddresses[ChooseCaptureAddress(g_LocalAddresses, listed)].szAddress;
}

SOCKET OpenCaptureSocket()
{
    CSocketHandle socket(::WSASocketA(AF_INET, SOCK_RAW, 0, nullptr, 0, WSA_FLAG_OVERLAPPED));
    if (socket.Get() == INVALID_SOCKET)
        return INVALID_SOCKET;

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = ::htons(0);
    address.sin_addr.s_addr = ::inet_addr(CurrentCaptureAddress());
    if (::bind(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
            SOCKET_ERROR &&
        ::WSAGetLastError() != WSAEINPROGRESS)
        return INVALID_SOCKET;

    // Whether receive-all takes is not looked at: without it the socket
    // still receives what a raw socket receives.
    DWORD on = 1;
    DWORD out = 0;
    DWORD returned = 0;
    ::WSAIoctl(socket.Get(), SIO_RCVALL, &on, sizeof on, &out, sizeof out, &returned, nullptr,
               nullptr);
    return socket.Release();
}
