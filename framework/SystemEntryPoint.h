// Entry points that only newer systems have, looked up at run time so the
// program still starts where they are missing.
#pragma once
#include "framework/Win32.h"

// name in module, which the program has loaded already (it imports from
// it); null when the module or the entry point is not there.
template <typename Fn>
Fn SystemEntryPoint(const char* module, const char* name)
{
    HMODULE library = ::GetModuleHandleA(module);
    if (!library)
        return nullptr;
    // GetProcAddress hands back a generic pointer; the caller names the type.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}
