// Elapsed time from the performance counter.
#pragma once
#include "framework/Win32.h"

class CStopwatch {
public:
    CStopwatch() { Restart(); }
    void Restart() { ::QueryPerformanceCounter(&m_start); }
    double Seconds() const
    {
        LARGE_INTEGER now, frequency;
        ::QueryPerformanceCounter(&now);
        ::QueryPerformanceFrequency(&frequency);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    }
    double Milliseconds() const { return Seconds() * 1000.0; }

private:
    LARGE_INTEGER m_start{};
};
