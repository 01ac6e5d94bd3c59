// Sizes in pixels that the program chooses itself are given for 96 dots per
// inch (100 % display scaling) and scaled to the system's setting, as a
// program that declares itself DPI-aware must do. Dialog templates scale
// with their font on their own.
#pragma once
#include "framework/Win32.h"

constexpr int kDefaultDpi = 96;

// The dots per inch of the screen, as a system-aware program sees it.
int SystemDpi();

// pixels at 96 dpi, at dpi; rounded to the nearest pixel.
inline int ScaleForDpi(int pixels, int dpi)
{
    return ::MulDiv(pixels, dpi, kDefaultDpi);
}
