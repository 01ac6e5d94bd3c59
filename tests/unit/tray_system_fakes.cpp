#include "tests/unit/tray_system_fakes.h"

#include <algorithm>
#include <cstring>

namespace {

CFakeNotificationArea* g_area = nullptr;
CFakeWindowManager* g_manager = nullptr;
DWORD g_version = 0;

template <class F>
const void* Address(F* function)
{
    return reinterpret_cast<const void*>(function);
}

}  // namespace

CFakeNotificationArea::CFakeNotificationArea()
    : m_patch("shell32.dll", "Shell_NotifyIconA", Address(&NotifyIcon))
{
    g_area = this;
}

CFakeNotificationArea::~CFakeNotificationArea()
{
    g_area = nullptr;
}

bool CFakeNotificationArea::Holds(HWND window, UINT id) const
{
    return std::find(m_icons.begin(), m_icons.end(), std::make_pair(window, id)) != m_icons.end();
}

size_t CFakeNotificationArea::Count(DWORD message) const
{
    return static_cast<size_t>(
        std::count_if(m_requests.begin(), m_requests.end(),
                      [message](const ShellRequest& r) { return r.message == message; }));
}

BOOL WINAPI CFakeNotificationArea::NotifyIcon(DWORD message, PNOTIFYICONDATAA data)
{
    if (!g_area || !data)
        return FALSE;
    ShellRequest request{message, NOTIFYICONDATAA{}, FALSE};
    std::memcpy(&request.record, data, std::min<size_t>(data->cbSize, sizeof request.record));
    request.answer = g_area->Answer(message, request.record);
    g_area->m_requests.push_back(request);
    return request.answer;
}

BOOL CFakeNotificationArea::Answer(DWORD message, const NOTIFYICONDATAA& record)
{
    if (refuseAll)
        return FALSE;
    const auto icon = std::make_pair(record.hWnd, record.uID);
    const bool held = Holds(record.hWnd, record.uID);
    switch (message) {
    case NIM_ADD:
        if (held)
            return FALSE;
        m_icons.push_back(icon);
        return TRUE;
    case NIM_MODIFY:
        return held;
    case NIM_DELETE:
        if (held)
            m_icons.erase(std::find(m_icons.begin(), m_icons.end(), icon));
        return held;
    default:
        return FALSE;
    }
}

const std::vector<UINT> CFakeWindowManager::kSubMenuItems = {101, 102, 0, 103};

CFakeWindowManager::CFakeWindowManager()
    : m_foreground("user32.dll", "SetForegroundWindow", Address(&SetForeground)),
      m_track("user32.dll", "TrackPopupMenu", Address(&TrackMenu)),
      m_animate("user32.dll", "DrawAnimatedRects", Address(&Animate)),
      m_loadMenu("user32.dll", "LoadMenuA", Address(&LoadMenu)),
      m_parameters("user32.dll", "SystemParametersInfoA", Address(&SystemParameters))
{
    g_manager = this;
}

CFakeWindowManager::~CFakeWindowManager()
{
    g_manager = nullptr;
}

std::vector<WindowCall> CFakeWindowManager::CallsOf(WindowCall::Kind kind) const
{
    std::vector<WindowCall> found;
    for (const WindowCall& call : calls) {
        if (call.kind == kind)
            found.push_back(call);
    }
    return found;
}

WindowCall CFakeWindowManager::Call(WindowCall::Kind kind, HWND window) const
{
    WindowCall call;
    call.kind = kind;
    call.window = window;
    call.parent = ::GetAncestor(window, GA_PARENT);
    call.visible = (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
    return call;
}

BOOL WINAPI CFakeWindowManager::SetForeground(HWND window)
{
    if (g_manager)
        g_manager->calls.push_back(g_manager->Call(WindowCall::Kind::Foreground, window));
    return TRUE;
}

BOOL WINAPI CFakeWindowManager::TrackMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner,
                                          const RECT*)
{
    if (!g_manager)
        return FALSE;
    WindowCall call = g_manager->Call(WindowCall::Kind::TrackMenu, owner);
    call.menu = menu;
    call.flags = flags;
    call.at = {x, y};
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        call.items.push_back(::GetMenuItemID(menu, i));
    g_manager->calls.push_back(call);
    return TRUE;
}

BOOL WINAPI CFakeWindowManager::Animate(HWND window, int animation, const RECT* from,
                                        const RECT* to)
{
    if (!g_manager || !from || !to)
        return FALSE;
    WindowCall call = g_manager->Call(WindowCall::Kind::Animation, window);
    call.animation = animation;
    call.from = *from;
    call.to = *to;
    g_manager->calls.push_back(call);
    return TRUE;
}

HMENU WINAPI CFakeWindowManager::LoadMenu(HINSTANCE, LPCSTR name)
{
    if (!g_manager || !IS_INTRESOURCE(name))
        return nullptr;
    const UINT id = LOWORD(reinterpret_cast<ULONG_PTR>(name));
    g_manager->menusLoaded.push_back(id);
    HMENU menu = nullptr;
    if (id == kMenuId) {
        menu = ::CreateMenu();
        HMENU popup = ::CreatePopupMenu();
        for (UINT item : kSubMenuItems)
            ::AppendMenuA(popup, item ? MF_STRING : MF_SEPARATOR, item, item ? "item" : nullptr);
        ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "Settings");
        ::AppendMenuA(menu, MF_STRING, 104, "About");
    } else if (id == kMenuWithoutPopupId) {
        menu = ::CreateMenu();
        ::AppendMenuA(menu, MF_STRING, 104, "About");
    }
    if (menu) {
        g_manager->menusGiven.push_back(menu);
        g_manager->popupsGiven.push_back(::GetSubMenu(menu, 0));
    }
    return menu;
}

BOOL WINAPI CFakeWindowManager::SystemParameters(UINT action, UINT size, PVOID data, UINT flags)
{
    if (g_manager && action == SPI_GETANIMATION) {
        auto* animation = static_cast<ANIMATIONINFO*>(data);
        g_manager->queriedSize = size;
        g_manager->queriedRecordSize = animation ? animation->cbSize : 0;
        if (animation)
            animation->iMinAnimate = g_manager->minimizeAnimation;
        return animation != nullptr;
    }
    using Fn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);
    return g_manager ? g_manager->m_parameters.Original<Fn>()(action, size, data, flags) : FALSE;
}

CFakeSystemVersion::CFakeSystemVersion(BYTE major, BYTE minor)
    : m_patch("kernel32.dll", "GetVersion", Address(&GetVersionFake))
{
    g_version = MAKEWORD(major, minor);
}

CFakeSystemVersion::~CFakeSystemVersion()
{
    g_version = 0;
}

DWORD WINAPI CFakeSystemVersion::GetVersionFake()
{
    return g_version;
}
