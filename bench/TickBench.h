// The tick: one refresh of the main window's network panel, as timer 1
// drives it, against the system calls no refresh can do without.
#pragma once

struct TickPlan {
    int rounds = 10;  // each round times the bare calls, then the refresh
    int ticksPerRound = 200;
    int warmUpTicks = 20;  // before counting: texts reach their lengths
    // Refreshes whose allocations are counted, the timed ones included.
    long countedTicks = 10000;
};

struct TickFigures {
    bool ran = false;            // the main window opened and was ticked
    bool clockAdvanced = false;  // its Connected Time followed the ticks
    double bareMicros = 0;       // per tick, median of the rounds
    double productMicros = 0;
    long timedTicks = 0;          // of each kind
    long productAllocations = 0;  // over the counted refreshes
    long countedTicks = 0;
    long bareAllocations = 0;  // over the timed bare ticks

    // Where a refresh's time goes, per call, on the same window.
    double controlLookupMicros = 0;  // GetDlgItem of one label
    double textReadMicros = 0;       // length and text of one label
    double textWriteMicros = 0;      // a changed label text with its repaint request
    double ifTableMicros = 0;        // the bare calls one by one
    double ifEntry2Micros = 0;
    double connectedStateMicros = 0;
};

// Runs the main dialog in this process and sends its window timer 1
// directly, the way the dialog's message loop delivers it.
TickFigures MeasureTicks(const TickPlan& plan);
