#include "bench/AllocationCounter.h"

#include <objbase.h>
#include <oleauto.h>

#include <cstdlib>
#include <new>

namespace {

volatile LONG g_allocations = 0;

void Count()
{
    ::InterlockedIncrement(&g_allocations);
}

// operator new takes its memory from the C library's malloc directly, not
// through the import slot watched below, so it counts once.
using MallocFn = void*(__cdecl*)(size_t);
MallocFn RealMalloc()
{
    static const MallocFn real = reinterpret_cast<MallocFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("msvcrt.dll"), "malloc")));
    return real;
}

void* CountedNew(size_t size)
{
    Count();
    void* memory = RealMalloc()(size ? size : 1);
    if (!memory)
        throw std::bad_alloc();
    return memory;
}

void* CountedNewNoThrow(size_t size) noexcept
{
    Count();
    return RealMalloc()(size ? size : 1);
}

// Each replacement counts and passes the call on to the function it stands
// for, found in the patch that installed it.
struct WatchedFunction {
    const char* module;
    const char* function;
    const void* replacement;
};

void* g_original[16];

template <int Slot, class R, class... A>
R __cdecl CountCdecl(A... args)
{
    Count();
    return reinterpret_cast<R(__cdecl*)(A...)>(g_original[Slot])(args...);
}

template <int Slot, class R, class... A>
R WINAPI CountStdcall(A... args)
{
    Count();
    return reinterpret_cast<R(WINAPI*)(A...)>(g_original[Slot])(args...);
}

const WatchedFunction kWatched[] = {
    {"msvcrt.dll", "malloc", reinterpret_cast<const void*>(&CountCdecl<0, void*, size_t>)},
    {"msvcrt.dll", "calloc", reinterpret_cast<const void*>(&CountCdecl<1, void*, size_t, size_t>)},
    {"msvcrt.dll", "realloc", reinterpret_cast<const void*>(&CountCdecl<2, void*, void*, size_t>)},
    {"msvcrt.dll", "_strdup", reinterpret_cast<const void*>(&CountCdecl<3, char*, const char*>)},
    {"msvcrt.dll", "_aligned_malloc",
     reinterpret_cast<const void*>(&CountCdecl<4, void*, size_t, size_t>)},
    {"kernel32.dll", "HeapAlloc",
     reinterpret_cast<const void*>(&CountStdcall<5, LPVOID, HANDLE, DWORD, SIZE_T>)},
    {"kernel32.dll", "HeapReAlloc",
     reinterpret_cast<const void*>(&CountStdcall<6, LPVOID, HANDLE, DWORD, LPVOID, SIZE_T>)},
    {"kernel32.dll", "LocalAlloc",
     reinterpret_cast<const void*>(&CountStdcall<7, HLOCAL, UINT, SIZE_T>)},
    {"kernel32.dll", "GlobalAlloc",
     reinterpret_cast<const void*>(&CountStdcall<8, HGLOBAL, UINT, SIZE_T>)},
    {"kernel32.dll", "VirtualAlloc",
     reinterpret_cast<const void*>(&CountStdcall<9, LPVOID, LPVOID, SIZE_T, DWORD, DWORD>)},
    {"ole32.dll", "CoTaskMemAlloc",
     reinterpret_cast<const void*>(&CountStdcall<10, LPVOID, SIZE_T>)},
    {"oleaut32.dll", "SysAllocString",
     reinterpret_cast<const void*>(&CountStdcall<11, BSTR, const OLECHAR*>)},
    {"oleaut32.dll", "SysAllocStringLen",
     reinterpret_cast<const void*>(&CountStdcall<12, BSTR, const OLECHAR*, UINT>)},
};
static_assert(sizeof kWatched / sizeof kWatched[0] <= sizeof g_original / sizeof g_original[0],
              "a slot for every watched function");

}  // namespace

long AllocationsSoFar()
{
    return g_allocations;
}

CAllocationCounting::CAllocationCounting()
{
    int slot = 0;
    for (const WatchedFunction& watched : kWatched) {
        // The replacement finds its original before its slot is pointed at it.
        HMODULE module = ::GetModuleHandleA(watched.module);
        g_original[slot++] =
            module ? reinterpret_cast<void*>(::GetProcAddress(module, watched.function)) : nullptr;
        auto patch =
            std::make_unique<CImportPatch>(watched.module, watched.function, watched.replacement);
        if (patch->Applied()) {
            m_patches.push_back(std::move(patch));
            m_watched.push_back(watched.function);
        }
    }
}

void* operator new(size_t size)
{
    return CountedNew(size);
}
void* operator new[](size_t size)
{
    return CountedNew(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    return CountedNewNoThrow(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept
{
    return CountedNewNoThrow(size);
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, size_t) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
