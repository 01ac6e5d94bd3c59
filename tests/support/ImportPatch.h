// Replaces, for the life of the object, one function that this program
// imports from a system library: every call that the program's own code
// makes through its import table reaches the replacement instead. Lets a
// test or the benchmark stand in for a system function without the code
// under measure or test knowing.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <vector>

class CImportPatch {
public:
    CImportPatch(const char* module, const char* function, const void* replacement);
    ~CImportPatch();
    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;

    bool Applied() const { return !m_slots.empty(); }
    // The system's own function, for replacements that pass calls on.
    template <class F>
    F Original() const
    {
        return reinterpret_cast<F>(m_original);
    }

private:
    std::vector<void**> m_slots;
    void* m_original = nullptr;
};
