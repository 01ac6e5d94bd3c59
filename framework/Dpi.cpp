#include "framework/Dpi.h"

int SystemDpi()
{
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return kDefaultDpi;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDefaultDpi;
}
