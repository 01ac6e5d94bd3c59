// The elapsed-time counter behind the Connected Time and accelerated-mode
// clocks: one second per timer tick, hours without limit.
#pragma once
#include "framework/AnsiString.h"

void StepElapsedTime(int& hours, int& minutes, int& seconds);
// " 0 hrs :  0 mins : 59 secs", " 100 hrs :  0 mins :  0 secs"
void FormatElapsedTime(CString& text, int hours, int minutes, int seconds);
