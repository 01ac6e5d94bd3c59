#include "tray/ParkingWindow.h"

const MessageMap* CParkingWindow::GetMessageMap() const
{
    static const MessageEntry entries[] = {
        Message<&CParkingWindow::OnSessionMessage>(WM_QUERYENDSESSION),
        Message<&CParkingWindow::OnSessionMessage>(WM_ENDSESSION),
        Message<&CParkingWindow::OnPowerBroadcast>(WM_POWERBROADCAST),
    };
    static const MessageMap map(CWnd::GetMessageMap(), entries);
    return &map;
}

// The system tells only top-level windows that the session ends; a parked
// window is none, so it hears it from here. The session may end when every
// parked window agrees.
LRESULT CParkingWindow::OnSessionMessage(WPARAM w, LPARAM l)
{
    const UINT msg = GetCurrentMessage().message;
    BOOL allAgree = TRUE;
    for (HWND parked = ::GetWindow(m_hWnd, GW_CHILD); parked;
         parked = ::GetWindow(parked, GW_HWNDNEXT)) {
        if (!::SendMessageA(parked, msg, w, l))
            allAgree = FALSE;
    }
    return msg == WM_QUERYENDSESSION ? allAgree : 0;
}

// Sleep and resume, too, are told to top-level windows only.
LRESULT CParkingWindow::OnPowerBroadcast(WPARAM event, LPARAM data)
{
    for (HWND parked = ::GetWindow(m_hWnd, GW_CHILD); parked;
         parked = ::GetWindow(parked, GW_HWNDNEXT))
        ::SendMessageA(parked, WM_POWERBROADCAST, event, data);
    return TRUE;
}
