#include "framework/Exception.h"

#include <cstdio>
#include <exception>

#include "framework/Win32.h"

void TraceCaughtException(const char* where)
{
    char line[256];
    const char* place = where ? where : "?";
    // Rethrown only to learn its kind; the caller's handler still owns it.
    try {
        throw;
    } catch (const CException& e) {
        std::snprintf(line, sizeof line, "exception caught in %s: %s\n", place, e.What());
    } catch (const std::exception& e) {
        std::snprintf(line, sizeof line, "exception caught in %s: %s\n", place, e.what());
    } catch (...) {
        std::snprintf(line, sizeof line, "exception caught in %s: unknown exception\n", place);
    }
    ::OutputDebugStringA(line);
}
