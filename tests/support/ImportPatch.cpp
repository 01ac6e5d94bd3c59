#include "tests/support/ImportPatch.h"

namespace {

// The import-table slots of this program that hold address. The unsuffixed
// header types are those of the architecture being compiled: PE32 or PE32+.
std::vector<void**> SlotsHolding(void* address)
{
    std::vector<void**> slots;
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!address || imports.VirtualAddress == 0)
        return slots;
    for (auto* library =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0; ++library) {
        for (auto* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
             thunk->u1.Function != 0; ++thunk) {
            if (reinterpret_cast<void*>(thunk->u1.Function) == address)
                slots.push_back(reinterpret_cast<void**>(&thunk->u1.Function));
        }
    }
    return slots;
}

void Write(void** slot, const void* value)
{
    DWORD protection = 0;
    if (!::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection))
        return;
    *slot = const_cast<void*>(value);
    ::VirtualProtect(slot, sizeof *slot, protection, &protection);
}

}  // namespace

CImportPatch::CImportPatch(const char* module, const char* function, const void* replacement)
{
    HMODULE library = ::GetModuleHandleA(module);
    m_original = library ? reinterpret_cast<void*>(::GetProcAddress(library, function)) : nullptr;
    m_slots = SlotsHolding(m_original);
    for (void** slot : m_slots)
        Write(slot, replacement);
}

CImportPatch::~CImportPatch()
{
    for (void** slot : m_slots)
        Write(slot, m_original);
}
