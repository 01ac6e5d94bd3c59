// CParkingWindow: the hidden popup that windows hidden into the
// notification area are parked under (a window whose parent is never shown
// has no taskbar button).
#pragma once
#include "framework/Wnd.h"

class CParkingWindow : public CWnd {
protected:
    const MessageMap* GetMessageMap() const override;

private:
    LRESULT OnSessionMessage(WPARAM w, LPARAM l);
    LRESULT OnPowerBroadcast(WPARAM event, LPARAM data);
};
