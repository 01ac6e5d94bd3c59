// The layout shared by the probe DLL, which runs on the target's UI thread,
// and the test program that asks it questions. One query travels per shared
// section: the test creates the section, writes a request, sends the
// registered message to a window of the hooked thread and reads the reply
// once SendMessageTimeout returns (the hook runs inside that call).
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <type_traits>

namespace probe {

// Registered with RegisterWindowMessageA; wParam carries the sequence number,
// lParam the test's process identifier, which together name the section.
constexpr char kMessageName[] = "VelorixProbe";
// Section name: prefix, test process id, '-', sequence number.
constexpr char kSectionPrefix[] = "VelorixProbe-";
constexpr char kHookProcName[] = "ProbeCallWndProc";
// Relative to the test program's folder (<build>/bin).
constexpr char kDllPath[] = "..\\standins\\probe\\VelorixProbe.dll";
constexpr char kTargetPath[] = "..\\standins\\probe\\probe_target.exe";

constexpr std::size_t kSectionNameBytes = 64;

inline void FormatSectionName(char (&name)[kSectionNameBytes], DWORD clientProcessId,
                              std::uint32_t sequence)
{
    std::snprintf(name, sizeof name, "%s%lu-%lu", kSectionPrefix,
                  static_cast<unsigned long>(clientProcessId),
                  static_cast<unsigned long>(sequence));
}

// Handles, addresses and message parameters travel as 64-bit values, so the
// section has one layout on i686 and x86_64. A signed LPARAM or LRESULT
// widens with its sign, and narrowing gives it back on a 32-bit side.
template <class T>
std::uint64_t ToWire(T value)
{
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<std::uintptr_t>(value);
    else
        return static_cast<std::uint64_t>(value);
}

template <class T>
T FromWire(std::uint64_t value)
{
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<T>(static_cast<std::uintptr_t>(value));
    else
        return static_cast<T>(value);
}

enum class Query : std::uint32_t {
    OpenMenus = 1,    // every visible "#32768" window of the hooked thread
    SystemMenu = 2,   // GetSystemMenu(window, FALSE)
    Tools = 3,        // tooltip tools whose hwnd or uId is the window
    SendMessage = 4,  // message, wParam, lParam sent in-process to the window
    // wParam 1: the program's Shell_NotifyIconA calls fail; 0: they reach the shell.
    RefuseIcons = 5,
    // The buffer receives a block just taken from the process heap, not zeroed.
    FreshHeap = 6,
    // From now on the program's Shell_NotifyIconA calls reach the shell
    // through the probe, which notes the size of each icon they hand it.
    WatchIcons = 7,
    // result: MAKELONG(width, height) of the last icon watched; 0 for none.
    LastIconSize = 8,
};

enum class Status : std::uint32_t {
    Pending = 0,  // the hook has not answered
    Ok = 1,
    BadRequest = 2,
    NoWindow = 3,
    NoMenu = 4,
};

constexpr std::uint32_t kMaxMenus = 4;
constexpr std::uint32_t kMaxMenuItems = 48;
constexpr std::uint32_t kMaxTools = 16;
constexpr std::uint32_t kTextBytes = 256;
constexpr std::uint32_t kBufferBytes = 1024;

struct MenuItemRecord {
    UINT id;         // wID; for an item that opens a sub-menu, whatever it holds
    UINT type;       // fType (MFT_*)
    UINT state;      // low byte of GetMenuState: MF_CHECKED, MF_GRAYED, MF_DISABLED...
    UINT fullState;  // fState (MFS_*), which alone carries MFS_DEFAULT
    BOOL hasSubMenu;
    char text[kTextBytes];
};

struct MenuRecord {
    std::uint64_t window;  // HWND: the "#32768" window; NULL for a system menu
    RECT windowRect;
    std::uint64_t menu;         // HMENU
    std::uint32_t itemCount;    // as the menu reports it
    std::uint32_t itemsStored;  // at most kMaxMenuItems
    MenuItemRecord items[kMaxMenuItems];
};

struct ToolRecord {
    std::uint64_t tooltip;  // HWND
    BOOL tooltipVisible;
    UINT flags;
    std::uint64_t hwnd;  // HWND
    std::uint64_t id;    // UINT_PTR
    RECT rect;
    BOOL textIsCallback;  // stored text is LPSTR_TEXTCALLBACKA; text is then empty
    char text[kTextBytes];
};

struct Request {
    std::uint32_t sequence;
    Query query;
    std::uint64_t window;  // HWND
    UINT message;
    std::uint64_t wParam;  // WPARAM
    std::uint64_t lParam;  // LPARAM
    // When nonzero, lParam is replaced by the address of the section's buffer,
    // whose first bufferBytes bytes the message may read and write.
    std::uint32_t bufferBytes;
};

struct Reply {
    std::uint32_t sequence;  // copied from the request when answered
    Status status;
    std::uint64_t result;  // LRESULT
    std::uint32_t menuCount;
    MenuRecord menus[kMaxMenus];
    std::uint32_t toolCount;    // tools found, possibly more than stored
    std::uint32_t toolsStored;  // at most kMaxTools
    ToolRecord tools[kMaxTools];
};

struct Section {
    Request request;
    Reply reply;
    unsigned char buffer[kBufferBytes];
};

// What i686 and x86_64 both make of the records above.
static_assert(sizeof(Request) == 48 && sizeof(Reply) == 58176 && sizeof(Section) == 59248,
              "the section has one layout on every architecture");

}  // namespace probe
