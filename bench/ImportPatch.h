// Points, for the life of the object, the slots of this program's import
// table that hold one system function at a replacement, so every call the
// program's own code makes to it passes through the replacement. Calls the
// system libraries make among themselves are not affected.
#pragma once
#include <vector>

#include "framework/Win32.h"

class CImportPatch {
public:
    CImportPatch(const char* module, const char* function, const void* replacement);
    ~CImportPatch();
    CImportPatch(const CImportPatch&) = delete;
    CImportPatch& operator=(const CImportPatch&) = delete;

    bool Applied() const { return !m_slots.empty(); }
    // The system's function, for a replacement that passes the call on.
    void* Original() const { return m_original; }

private:
    std::vector<void**> m_slots;
    void* m_original = nullptr;
};
