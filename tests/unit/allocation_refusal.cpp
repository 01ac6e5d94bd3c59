#include "tests/unit/allocation_refusal.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool t_refused = false;

}  // namespace

CRefusedAllocations::CRefusedAllocations()
{
    t_refused = true;
}

CRefusedAllocations::~CRefusedAllocations()
{
    t_refused = false;
}

// Replaces the library's operator new for the whole test program; its
// nothrow form and the array forms call this one, and its operator delete
// frees with free().
void* operator new(std::size_t size)
{
    if (!t_refused) {
        if (void* memory = std::malloc(size ? size : 1))
            return memory;
    }
    throw std::bad_alloc();
}
