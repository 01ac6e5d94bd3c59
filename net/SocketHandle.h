// CSocketHandle: a socket, closed once, by its owner.
#pragma once
#include "framework/Win32.h"

class CSocketHandle {
public:
    explicit CSocketHandle(SOCKET socket = INVALID_SOCKET) : m_hSocket(socket) {}
    ~CSocketHandle() { Close(); }
    CSocketHandle(const CSocketHandle&) = delete;
    CSocketHandle& operator=(const CSocketHandle&) = delete;

    SOCKET Get() const { return m_hSocket; }
    // Gives the socket up to the caller, who closes it from then on.
    SOCKET Release()
    {
        const SOCKET socket = m_hSocket;
        m_hSocket = INVALID_SOCKET;
        return socket;
    }
    void Close()
    {
        if (m_hSocket != INVALID_SOCKET)
            ::closesocket(m_hSocket);
        m_hSocket = INVALID_SOCKET;
    }

private:
    SOCKET m_hSocket;
};
