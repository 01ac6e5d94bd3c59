// The probe's answers, computed on the hooked thread inside the target.
#pragma once

#include "ProbeProtocol.h"

namespace probe {

// Visible pop-up menu windows of the calling thread, outermost first.
Status ReadOpenMenus(Reply& reply);
Status ReadSystemMenu(HWND window, Reply& reply);
// Tools of every tooltip window of this process whose hwnd or uId is control.
Status ReadTools(HWND control, Reply& reply);
// A shell that refuses every icon, as one still starting at logon does.
Status RefuseIcons(bool refuse);
Status WatchIcons();
Status ReadLastIconSize(Reply& reply);

}  // namespace probe
