// Lack of memory on demand: while a CRefusedAllocations lives, every
// operator new on its thread fails as the library's does when the heap is
// exhausted (the throwing form throws std::bad_alloc, the nothrow form
// answers null). Other threads allocate as usual.
#pragma once

class CRefusedAllocations {
public:
    CRefusedAllocations();
    ~CRefusedAllocations();
    CRefusedAllocations(const CRefusedAllocations&) = delete;
    CRefusedAllocations& operator=(const CRefusedAllocations&) = delete;
};
