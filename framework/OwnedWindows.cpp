#include "framework/OwnedWindows.h"

namespace {

struct COwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK VisitThreadWindow(HWND window, LPARAM search)
{
    auto* owned = reinterpret_cast<COwnedSearch*>(search);
    if (::GetWindow(window, GW_OWNER) != owned->owner || !::IsWindowVisible(window))
        return TRUE;
    owned->found = window;
    return FALSE;
}

}  // namespace

// GetLastActivePopup does not serve: it answers owner itself once owner was
// activated, and for a window that is not top-level (one parked under a
// hidden popup).
HWND FrontOwnedWindow(HWND owner)
{
    // Owned windows belong to the owner's thread; ownership has no cycles,
    // but a bound keeps a broken chain from looping.
    for (int depth = 0; owner && !::IsWindowEnabled(owner) && depth < 16; ++depth) {
        COwnedSearch search{owner, nullptr};
        ::EnumThreadWindows(::GetWindowThreadProcessId(owner, nullptr), &VisitThreadWindow,
                            reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            break;
        owner = search.found;
    }
    return owner;
}
