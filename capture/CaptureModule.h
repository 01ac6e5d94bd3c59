#pragma once

// The traffic-capture module's process-wide objects.
#include "capture/ServicesParser.h"
#include "capture/Settings.h"
