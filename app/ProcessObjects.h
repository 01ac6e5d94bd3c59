// The process-wide objects that other parts of the program reach by name
// (defined, in construction order, in app/ProcessObjects.cpp).
#pragma once
#include "app/RapidaneApp.h"
#include "capture/CaptureModule.h"

extern CSettings g_CaptureSettings;
