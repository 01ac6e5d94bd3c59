// A shell that refuses notification icons: the probed program's calls of
// Shell_NotifyIconA answer FALSE through its own import table.
#include "ProbeQueries.h"

#include <shellapi.h>

#include <memory>

#include "tests/support/ImportPatch.h"

namespace probe {
namespace {

BOOL WINAPI Refuse(DWORD, PNOTIFYICONDATAA)
{
    return FALSE;
}

}  // namespace

Status RefuseIcons(bool refuse)
{
    static std::unique_ptr<CImportPatch> patch;
    if (!refuse) {
        patch.reset();
        return Status::Ok;
    }
    if (!patch)
        patch = std::make_unique<CImportPatch>("shell32.dll", "Shell_NotifyIconA",
                                               reinterpret_cast<const void*>(&Refuse));
    return patch->Applied() ? Status::Ok : Status::BadRequest;
}

}  // namespace probe
