#pragma once

#include "framework/AnsiString.h"

// Full path of this process's program file; empty if the system gives none.
CString GetProgramFilePath();
