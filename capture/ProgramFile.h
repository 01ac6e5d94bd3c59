#pragma once

#include <string>

// Full path of this process's program file; empty if the system gives none.
std::string GetProgramFilePath();
