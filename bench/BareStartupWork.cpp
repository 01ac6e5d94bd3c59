// The bare dialog again, doing before its window shows the system work that
// Velorix.exe cannot avoid there: the same libraries, the capture module's
// files, COM and the skin engine's look-up, the system menu's About item,
// the registry settings, the interface table and its list, the updater
// started through the shell, the timers, centring, the tray icon with its
// hidden owner, four tooltip windows, Windows Sockets, the address table,
// the raw socket attempt and the thread that would read it, and the switch's
// new text. What Velorix takes beyond this program is the cost of its own
// code and framework.
// Written with plain system calls and no code of the program's.
#include "framework/Win32.h"
#include "res/Version.h"

#include <iphlpapi.h>
#include <mstcpip.h>
#include <objbase.h>
#include <process.h>

#include <cstring>

#include "res/resource.h"

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kTrayIconId = 1;
constexpr UINT_PTR kStatusTimer = 1;

struct StartupWork {
    HWND trayOwner = nullptr;
    SOCKET socket = INVALID_SOCKET;
    HANDLE reader = nullptr;
};

// The traffic-capture module's files beside the program: its services file
// and every key of its settings file, which Velorix.exe writes at exit.
void ReadCaptureFiles()
{
    char path[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return;
    char* name = std::strrchr(path, '\\');
    if (!name || static_cast<size_t>(name + 1 - path) + sizeof "Velorix.ini" > sizeof path)
        return;
    std::strcpy(name + 1, "services");
    HANDLE services =
        ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (services != INVALID_HANDLE_VALUE)
        ::CloseHandle(services);
    std::strcpy(name + 1, "Velorix.ini");
    const struct {
        const char* section;
        const char* keys[8];
    } sections[] = {
        {"main", {"alwaysontop", "nsresolve", "portresolve", "idleseconds"}},
        {"filters", {"filtertcp", "filterudp", "filtericmp"}},
        {"mainwindow", {"status", "top", "bottom", "left", "right"}},
        {"list", {"srcaddr", "destaddr", "srcport", "destport", "proto", "traffic", "bs", "abs"}},
        {"log", {"uselogfile", "autodelete", "mbdelete", "logtype", "logfile"}},
    };
    for (const auto& section : sections) {
        for (const char* key : section.keys) {
            if (key)
                ::GetPrivateProfileIntA(section.section, key, 0, path);
        }
    }
}

// The skin engine is looked up (and, where it is registered, created) as
// the program does; under the benchmark it is not registered.
void LookUpSkinEngine()
{
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(L"SkinCrafter.SCSkin3", &clsid)))
        return;
    IUnknown* engine = nullptr;
    if (SUCCEEDED(::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown,
                                     reinterpret_cast<void**>(&engine))) &&
        engine)
        engine->Release();
}

void ReadSettings()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Velorix", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    const char* const names[] = {"AutoResumeDownloads", "CheckPeriodNum", "AccelerateN",
                                 "CheckPeriodCombo",    "Network",        "RunOtherApp"};
    for (const char* name : names) {
        DWORD value = 0;
        DWORD size = sizeof value;
        ::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    }
    ::RegCloseKey(key);
}

// The interface table, read through a library loaded at run time, and each
// interface's description listed in the combo box, as the program does.
void ListInterfaces(HWND dialog)
{
    HMODULE library = ::LoadLibraryA("Iphlpapi.dll");
    if (!library)
        return;
    using GetIfTableFn = DWORD(WINAPI*)(PMIB_IFTABLE, PULONG, BOOL);
    const auto getIfTable = reinterpret_cast<GetIfTableFn>(
        reinterpret_cast<void*>(::GetProcAddress(library, "GetIfTable")));
    ::GetProcAddress(library, "GetNumberOfInterfaces");
    ::GetProcAddress(library, "GetIfEntry2");
    ULONG size = 0;
    if (getIfTable && getIfTable(nullptr, &size, FALSE) == ERROR_INSUFFICIENT_BUFFER && size > 0) {
        auto* table = static_cast<PMIB_IFTABLE>(::HeapAlloc(::GetProcessHeap(), 0, size));
        if (table && getIfTable(table, &size, FALSE) == NO_ERROR) {
            HWND list = ::GetDlgItem(dialog, IDC_NETWORK);
            for (DWORD i = 0; i < table->dwNumEntries; ++i) {
                char entry[MAXLEN_IFDESCR + 1] = "";
                const DWORD length = table->table[i].dwDescrLen < MAXLEN_IFDESCR
                                         ? table->table[i].dwDescrLen
                                         : MAXLEN_IFDESCR;
                std::memcpy(entry, table->table[i].bDescr, length);
                ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
            }
            ::SendMessageA(list, CB_SETCURSEL, 0, 0);
        }
        if (table)
            ::HeapFree(::GetProcessHeap(), 0, table);
    }
    // Kept loaded for the life of the process, as in the program.
}

DWORD FirstLocalAddress()
{
    ULONG size = 0;
    if (::GetIpAddrTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER || size == 0)
        return INADDR_ANY;
    auto* table = static_cast<PMIB_IPADDRTABLE>(::HeapAlloc(::GetProcessHeap(), 0, size));
    if (!table)
        return INADDR_ANY;
    DWORD address = INADDR_ANY;
    if (::GetIpAddrTable(table, &size, FALSE) == NO_ERROR && table->dwNumEntries > 0)
        address = table->table[0].dwAddr;
    ::HeapFree(::GetProcessHeap(), 0, table);
    return address;
}

SOCKET OpenRawSocket(DWORD address)
{
    const SOCKET raw = ::WSASocketA(AF_INET, SOCK_RAW, 0, nullptr, 0, WSA_FLAG_OVERLAPPED);
    if (raw == INVALID_SOCKET)
        return raw;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = address;
    ::bind(raw, reinterpret_cast<const sockaddr*>(&local), sizeof local);
    DWORD on = 1;
    DWORD out = 0;
    DWORD returned = 0;
    ::WSAIoctl(raw, SIO_RCVALL, &on, sizeof on, &out, sizeof out, &returned, nullptr, nullptr);
    return raw;
}

// Reads until its receive fails: at once without a socket (as under Wine),
// otherwise when the socket is closed at exit.
unsigned __stdcall ReadPackets(void* raw)
{
    const SOCKET socket = static_cast<SOCKET>(reinterpret_cast<UINT_PTR>(raw));
    char packet[1600];
    while (socket != INVALID_SOCKET && ::recv(socket, packet, sizeof packet, 0) != SOCKET_ERROR) {
    }
    return 0;
}

void AddTooltip(HWND dialog, int buttonId, const char* text)
{
    HWND button = ::GetDlgItem(dialog, buttonId);
    HWND tip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, button, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
    if (!tip || !button)
        return;
    ::SendMessageA(tip, TTM_ACTIVATE, FALSE, 0);
    ::SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, 400);
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = button;
    tool.uId = 1;
    tool.lpszText = const_cast<char*>(text);
    ::GetClientRect(button, &tool.rect);
    ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(tip, TTM_ACTIVATE, TRUE, 0);
}

NOTIFYICONDATAA TrayRecord(HWND owner)
{
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V3_SIZE;
    icon.hWnd = owner;
    icon.uID = kTrayIconId;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = kTrayMessage;
    icon.hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ::lstrcpynA(icon.szTip, "Velorix", sizeof icon.szTip);
    return icon;
}

void CenterOnScreen(HWND dialog)
{
    RECT window, screen;
    ::GetWindowRect(dialog, &window);
    ::GetWindowRect(::GetDesktopWindow(), &screen);
    const int x = screen.left + (screen.right - screen.left - (window.right - window.left)) / 2;
    const int y = screen.top + (screen.bottom - screen.top - (window.bottom - window.top)) / 2;
    ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void StartWork(HWND dialog, StartupWork& work)
{
    if (HMENU systemMenu = ::GetSystemMenu(dialog, FALSE)) {
        char about[128] = "";
        if (::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUTBOX, about, sizeof about) > 0) {
            ::AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    ReadSettings();
    ListInterfaces(dialog);
    ::ShellExecuteA(nullptr, "open", "Renewix.exe",
                    "\"Velorix\" \"5\" \"" VELORIX_VERSION "\" \"update.velorix.net\" \"false\" ",
                    nullptr, SW_SHOWNORMAL);
    ::SetTimer(dialog, kStatusTimer, 1000, nullptr);
    CenterOnScreen(dialog);

    work.trayOwner = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       ::GetModuleHandleA(nullptr), nullptr);
    NOTIFYICONDATAA icon = TrayRecord(dialog);
    ::Shell_NotifyIconA(NIM_ADD, &icon);

    AddTooltip(dialog, IDC_RUN_CLIENT, "Run uTorrent");
    AddTooltip(dialog, IDC_ACCELERATE, "Accelerate uTorrent");
    AddTooltip(dialog, IDC_QUIT, "Exit");
    AddTooltip(dialog, IDCANCEL, "Save");

    WSADATA wsa;
    ::WSAStartup(MAKEWORD(1, 1), &wsa);
    work.socket = OpenRawSocket(FirstLocalAddress());
    const uintptr_t thread = ::_beginthreadex(
        nullptr, 0, &ReadPackets, reinterpret_cast<void*>(static_cast<UINT_PTR>(work.socket)),
        CREATE_SUSPENDED, nullptr);
    if (thread) {
        work.reader = reinterpret_cast<HANDLE>(thread);
        ::SetThreadPriority(work.reader, THREAD_PRIORITY_NORMAL);
        ::ResumeThread(work.reader);
    }
    ::SetTimer(dialog, kStatusTimer + 1, 1000, nullptr);
    ::SetDlgItemTextA(dialog, IDC_ACCELERATE, "State: Activated\nPush to stop");
    ::CheckDlgButton(dialog, IDC_ACCELERATE, BST_CHECKED);
}

void EndWork(HWND dialog, StartupWork& work)
{
    NOTIFYICONDATAA icon = TrayRecord(dialog);
    ::Shell_NotifyIconA(NIM_DELETE, &icon);
    if (work.socket != INVALID_SOCKET)
        ::closesocket(work.socket);
    work.socket = INVALID_SOCKET;
    if (work.reader) {
        ::WaitForSingleObject(work.reader, 5000);
        ::CloseHandle(work.reader);
        work.reader = nullptr;
    }
    if (work.trayOwner)
        ::DestroyWindow(work.trayOwner);
    work.trayOwner = nullptr;
}

INT_PTR CALLBACK BareWorkDialogProc(HWND dialog, UINT msg, WPARAM w, LPARAM)
{
    static StartupWork work;
    switch (msg) {
    case WM_INITDIALOG:
        StartWork(dialog, work);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL || LOWORD(w) == IDC_QUIT) {
            EndWork(dialog, work);
            ::EndDialog(dialog, LOWORD(w));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndWork(dialog, work);
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ReadCaptureFiles();
    ::InitCommonControls();
    ::CoInitialize(nullptr);
    LookUpSkinEngine();
    return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_VELORIX_DIALOG),
                                              nullptr, &BareWorkDialogProc, 0));
}
