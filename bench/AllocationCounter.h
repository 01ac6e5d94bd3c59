// Counts the heap allocations this program's own code makes: every
// operator new, and every call through its import table to the C library's
// and the system's allocation functions. Allocations that system libraries
// make for themselves inside a call are theirs, not the program's.
#pragma once
#include <memory>
#include <vector>

#include "tests/support/ImportPatch.h"

// Allocations counted since the process started (operator new always
// counts; the library and system functions once a CAllocationCounting is
// alive).
long AllocationsSoFar();

class CAllocationCounting {
public:
    CAllocationCounting();
    // The allocation functions this program imports, which are watched.
    const std::vector<const char*>& Watched() const { return m_watched; }

private:
    std::vector<std::unique_ptr<CImportPatch>> m_patches;
    std::vector<const char*> m_watched;
};
