// Stand-ins for the shell and the window manager in the tray icon's unit
// tests: they take the place of the system's functions in this program's
// import table, record what the code hands over and answer as the system
// would, without showing anything. One of each kind exists at a time.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <shellapi.h>

#include <utility>
#include <vector>

#include "tests/support/ImportPatch.h"

struct ShellRequest {
    DWORD message;           // NIM_ADD, NIM_MODIFY or NIM_DELETE
    NOTIFYICONDATAA record;  // the first cbSize bytes as handed over; the rest zero
    BOOL answer;
};

// The shell's notification area. Like the shell, it refuses to add an icon
// it holds and to change or delete one it does not hold.
class CFakeNotificationArea {
public:
    CFakeNotificationArea();
    ~CFakeNotificationArea();

    bool refuseAll = false;  // a shell that refuses every request

    // A new taskbar, which holds no icons.
    void Restart() { m_icons.clear(); }
    bool Holds(HWND window, UINT id) const;
    const std::vector<ShellRequest>& Requests() const { return m_requests; }
    size_t Count(DWORD message) const;
    void ForgetRequests() { m_requests.clear(); }

private:
    static BOOL WINAPI NotifyIcon(DWORD message, PNOTIFYICONDATAA data);
    BOOL Answer(DWORD message, const NOTIFYICONDATAA& record);

    std::vector<std::pair<HWND, UINT>> m_icons;
    std::vector<ShellRequest> m_requests;
    CImportPatch m_patch;
};

// One call of the window manager, with the state of its window at the time.
struct WindowCall {
    enum class Kind { Foreground, TrackMenu, Animation };
    Kind kind = Kind::Foreground;
    HWND window = nullptr;  // the window made foreground, the menu's owner, the animated window
    HWND parent = nullptr;  // GetAncestor(window, GA_PARENT) at the time of the call
    bool visible = false;   // WS_VISIBLE in its style at the time of the call
    // TrackPopupMenu
    HMENU menu = nullptr;
    UINT flags = 0;
    POINT at{};
    std::vector<UINT> items;  // the menu's item identifiers
    // DrawAnimatedRects
    int animation = 0;
    RECT from{};
    RECT to{};
};

// Pop-up menus, animations, the foreground window and the animation setting.
// Menu resource kMenuId is a menu whose first item opens kSubMenuItems;
// kMenuWithoutPopupId has plain items only; any other resource is missing.
class CFakeWindowManager {
public:
    static constexpr UINT kMenuId = 129;
    static constexpr UINT kMenuWithoutPopupId = 130;
    static const std::vector<UINT> kSubMenuItems;

    CFakeWindowManager();
    ~CFakeWindowManager();

    int minimizeAnimation = 0;  // iMinAnimate as SPI_GETANIMATION reports it
    // The last SPI_GETANIMATION query: uiParam and the record's cbSize.
    UINT queriedSize = 0;
    UINT queriedRecordSize = 0;

    std::vector<WindowCall> calls;
    std::vector<UINT> menusLoaded;   // resource identifiers asked for
    std::vector<HMENU> menusGiven;   // what LoadMenuA returned
    std::vector<HMENU> popupsGiven;  // their first sub-menus, or null

    std::vector<WindowCall> CallsOf(WindowCall::Kind kind) const;

private:
    static BOOL WINAPI SetForeground(HWND window);
    static BOOL WINAPI TrackMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                                 const RECT* rect);
    static BOOL WINAPI Animate(HWND window, int animation, const RECT* from, const RECT* to);
    static HMENU WINAPI LoadMenu(HINSTANCE instance, LPCSTR name);
    static BOOL WINAPI SystemParameters(UINT action, UINT size, PVOID data, UINT flags);
    WindowCall Call(WindowCall::Kind kind, HWND window) const;

    CImportPatch m_foreground;
    CImportPatch m_track;
    CImportPatch m_animate;
    CImportPatch m_loadMenu;
    CImportPatch m_parameters;
};

// The major and minor version GetVersion reports.
class CFakeSystemVersion {
public:
    CFakeSystemVersion(BYTE major, BYTE minor);
    ~CFakeSystemVersion();
    bool Applied() const { return m_patch.Applied(); }

private:
    static DWORD WINAPI GetVersionFake();
    CImportPatch m_patch;
};
