// The probed program's calls of Shell_NotifyIconA, through its own import
// table: refused as by a shell that is still starting, or watched on their
// way to the shell for the icons they carry.
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

// Width and height of the last icon handed to the shell; only the hooked
// thread calls the shell.
LRESULT g_lastIconSize = 0;
std::unique_ptr<CImportPatch> g_watch;

LRESULT SizeOf(HICON icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    const bool colour = info.hbmColor != nullptr;
    const bool read = GetObjectA(colour ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap) > 0;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    if (!read)
        return 0;
    // A monochrome icon's mask holds the AND and the XOR image one above the other.
    return MAKELONG(bitmap.bmWidth, colour ? bitmap.bmHeight : bitmap.bmHeight / 2);
}

BOOL WINAPI Watch(DWORD message, PNOTIFYICONDATAA data)
{
    if (data && (message == NIM_ADD || message == NIM_MODIFY) && (data->uFlags & NIF_ICON))
        g_lastIconSize = SizeOf(data->hIcon);
    return g_watch->Original<BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA)>()(message, data);
}

}  // namespace

Status WatchIcons()
{
    if (!g_watch)
        g_watch = std::make_unique<CImportPatch>("shell32.dll", "Shell_NotifyIconA",
                                                 reinterpret_cast<const void*>(&Watch));
    return g_watch->Applied() ? Status::Ok : Status::BadRequest;
}

Status ReadLastIconSize(Reply& reply)
{
    reply.result = ToWire(g_lastIconSize);
    return Status::Ok;
}

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
