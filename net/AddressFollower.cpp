#include "net/AddressFollower.h"

#include <cstring>

CAddressFollower::CAddressFollower(CAcceleratedMode& mode,
                                   CAcceleratedMode::SocketOpener openSocket)
    : m_mode(mode), m_openSocket(openSocket)
{
}

void CAddressFollower::NoteWatched()
{
    ::lstrcpynA(m_szWatched, CurrentCaptureAddress(), sizeof m_szWatched);
}

void CAddressFollower::SwitchedOn()
{
    NoteWatched();
}

void CAddressFollower::Follow()
{
    int count = 0;
    if (ReadLocalAddresses(g_LocalAddresses, kMaxLocalAddresses, &count))
        g_nLocalAddresses = count;
    if (!m_mode.IsOn())
        return;
    if (!m_mode.IsOnWithoutWorker() &&
        std::strncmp(CurrentCaptureAddress(), m_szWatched, sizeof m_szWatched) == 0)
        return;
    if (m_mode.Rearm(m_openSocket))
        NoteWatched();
}
