// Menu items as the hooked thread sees them: open pop-up menus and system menus.
#include "ProbeQueries.h"

#include <algorithm>
#include <cstring>

namespace {

void ReadMenuItem(HMENU menu, UINT position, probe::MenuItemRecord& item)
{
    item = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = item.text;
    info.cch = sizeof item.text;
    if (!GetMenuItemInfoA(menu, position, TRUE, &info)) {
        item.text[0] = '\0';
        return;
    }
    item.id = info.wID;
    item.type = info.fType;
    item.fullState = info.fState;
    item.hasSubMenu = info.hSubMenu != nullptr;
    // fState folds MF_GRAYED and MF_DISABLED into one value; GetMenuState keeps
    // them apart. Its high byte is the item count of a sub-menu.
    const UINT state = GetMenuState(menu, position, MF_BYPOSITION);
    item.state = state == static_cast<UINT>(-1) ? 0 : (state & 0xFF);
    if (info.fType & (MFT_SEPARATOR | MFT_BITMAP | MFT_OWNERDRAW))
        item.text[0] = '\0';
    item.text[sizeof item.text - 1] = '\0';
}

void ReadMenuItems(HMENU menu, probe::MenuRecord& record)
{
    record.menu = probe::ToWire(menu);
    const int count = GetMenuItemCount(menu);
    record.itemCount = count > 0 ? static_cast<std::uint32_t>(count) : 0;
    record.itemsStored = std::min(record.itemCount, probe::kMaxMenuItems);
    for (std::uint32_t i = 0; i < record.itemsStored; ++i)
        ReadMenuItem(menu, i, record.items[i]);
}

bool IsOpenMenuWindow(HWND window)
{
    char className[16] = {};
    return GetClassNameA(window, className, sizeof className) > 0 &&
           std::strcmp(className, "#32768") == 0 && IsWindowVisible(window);
}

BOOL CALLBACK CollectMenuWindow(HWND window, LPARAM context)
{
    auto& reply = *reinterpret_cast<probe::Reply*>(context);
    if (!IsOpenMenuWindow(window))
        return TRUE;
    if (reply.menuCount >= probe::kMaxMenus)
        return FALSE;
    probe::MenuRecord& record = reply.menus[reply.menuCount++];
    record = {};
    record.window = probe::ToWire(window);
    GetWindowRect(window, &record.windowRect);
    const auto menu = reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
    if (menu && IsMenu(menu))
        ReadMenuItems(menu, record);
    return TRUE;
}

}  // namespace

namespace probe {

Status ReadOpenMenus(Reply& reply)
{
    reply.menuCount = 0;
    EnumThreadWindows(GetCurrentThreadId(), CollectMenuWindow, reinterpret_cast<LPARAM>(&reply));
    // Enumeration runs top of the z-order first, and each sub-menu opens above
    // the menu it belongs to.
    std::reverse(reply.menus, reply.menus + reply.menuCount);
    return Status::Ok;
}

Status ReadSystemMenu(HWND window, Reply& reply)
{
    reply.menuCount = 0;
    const HMENU menu = GetSystemMenu(window, FALSE);
    if (!menu)
        return Status::NoMenu;
    reply.menus[0] = {};
    ReadMenuItems(menu, reply.menus[0]);
    reply.menuCount = 1;
    return Status::Ok;
}

}  // namespace probe
