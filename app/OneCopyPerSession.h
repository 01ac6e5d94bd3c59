// One Velorix per user session. A later start hands over to the running
// copy: it brings that copy's window back and ends. A start with
// administrator rights takes the place of a copy running without them
// instead, since the user chose the rights that accelerated mode's raw
// socket needs; the running copy ends as its Exit ends it.
#pragma once
#include "framework/Elevation.h"
#include "framework/SingleInstance.h"

enum class LaterStart {
    HandOver,
    TakeOver,
};

// What a start does while another copy runs, by the elevation of each. A
// copy whose rights cannot be read is taken to have as many as this one.
LaterStart ChooseLaterStart(Elevation own, Elevation running);

// True when this start is to run: it is the first copy, or has taken the
// running copy's place; false once it has handed over.
bool ClaimSession(CSingleInstance& instance);
