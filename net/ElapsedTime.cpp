#include "net/ElapsedTime.h"

void StepElapsedTime(int& hours, int& minutes, int& seconds)
{
    if (++seconds == 60) {
        ++minutes;
        seconds = 0;
    }
    if (minutes == 60) {
        ++hours;
        minutes = 0;
    }
}

// One blank before the hours, which take the digits they need (" 0 hrs",
// " 100 hrs"); minutes and seconds in two columns.
void FormatElapsedTime(CString& text, int hours, int minutes, int seconds)
{
    text.Format(" %d hrs : %2d mins : %2d secs", hours, minutes, seconds);
}
