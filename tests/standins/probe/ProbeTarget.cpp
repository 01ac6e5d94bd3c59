// probe_target.exe: a dialog for the probe's own tests. It opens a pop-up
// menu on a posted message, adds items to its system menu and carries
// tooltips on its button and label. Chosen commands appear in IDC_LAST_COMMAND.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include "ProbeTargetIds.h"

namespace {

class OwnedWindow {
public:
    OwnedWindow() = default;
    ~OwnedWindow() { Reset(); }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    void Reset(HWND window = nullptr)
    {
        if (m_window && IsWindow(m_window))
            DestroyWindow(m_window);
        m_window = window;
    }
    HWND Get() const { return m_window; }

private:
    HWND m_window = nullptr;
};

class OwnedMenu {
public:
    OwnedMenu() : m_menu(CreatePopupMenu()) {}
    ~OwnedMenu()
    {
        if (m_menu)
            DestroyMenu(m_menu);
    }
    OwnedMenu(const OwnedMenu&) = delete;
    OwnedMenu& operator=(const OwnedMenu&) = delete;

    HMENU Get() const { return m_menu; }
    // Ownership passes to the menu it is appended to.
    HMENU Release()
    {
        HMENU menu = m_menu;
        m_menu = nullptr;
        return menu;
    }

private:
    HMENU m_menu;
};

struct TargetState {
    OwnedWindow firstTooltip;
    OwnedWindow secondTooltip;
};

HWND CreateTooltip(HWND owner)
{
    return CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void AddTool(HWND tooltip, UINT flags, HWND window, UINT_PTR id, const char* text)
{
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = flags;
    info.hwnd = window;
    info.uId = id;
    if (!(flags & TTF_IDISHWND))
        GetClientRect(window, &info.rect);
    info.lpszText = const_cast<char*>(text);
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void SetUpTooltips(HWND dialog, TargetState& state)
{
    const HWND button = GetDlgItem(dialog, IDC_TIP_BUTTON);
    const HWND label = GetDlgItem(dialog, IDC_CALLBACK_LABEL);
    state.firstTooltip.Reset(CreateTooltip(dialog));
    const HWND first = state.firstTooltip.Get();
    AddTool(first, 0, button, TARGET_BUTTON_TOOL_ID, "Save");
    AddTool(first, TTF_IDISHWND | TTF_SUBCLASS, dialog, reinterpret_cast<UINT_PTR>(label),
            LPSTR_TEXTCALLBACKA);
    AddTool(first, 0, dialog, TARGET_DIALOG_TOOL_ID, "Dialog tip");
    SendMessageA(first, TTM_SETDELAYTIME, TTDT_INITIAL, TARGET_INITIAL_DELAY);
    SendMessageA(first, TTM_SETDELAYTIME, TTDT_AUTOPOP, TARGET_AUTOPOP_DELAY);
    SendMessageA(first, TTM_SETMAXTIPWIDTH, 0, TARGET_MAX_TIP_WIDTH);
    SendMessageA(first, TTM_ACTIVATE, TRUE, 0);

    state.secondTooltip.Reset(CreateTooltip(dialog));
    AddTool(state.secondTooltip.Get(), TTF_IDISHWND, dialog, reinterpret_cast<UINT_PTR>(button),
            "Second tip");
}

void ExtendSystemMenu(HWND dialog)
{
    const HMENU menu = GetSystemMenu(dialog, FALSE);
    if (!menu)
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_TARGET_ABOUT, "&About Probe Target...");
    AppendMenuA(menu, MF_STRING | MF_CHECKED, IDM_TARGET_CHECKED, "C&hecked Extra");
    AppendMenuA(menu, MF_STRING | MF_GRAYED, IDM_TARGET_GRAYED, "&Grayed Extra");
}

void OpenMenu(HWND dialog, int x, int y)
{
    OwnedMenu menu;
    OwnedMenu subMenu;
    if (!menu.Get() || !subMenu.Get())
        return;
    AppendMenuA(subMenu.Get(), MF_STRING, IDM_SUB_ONE, "Sub &One");
    AppendMenuA(subMenu.Get(), MF_STRING | MF_CHECKED, IDM_SUB_TWO, "Sub &Two");
    AppendMenuA(menu.Get(), MF_STRING, IDM_OPEN, "&Open");
    AppendMenuA(menu.Get(), MF_STRING | MF_CHECKED, IDM_CHECKED, "&Checked");
    AppendMenuA(menu.Get(), MF_STRING | MF_GRAYED, IDM_GRAYED, "&Grayed");
    AppendMenuA(menu.Get(), MF_STRING | MF_DISABLED, IDM_DISABLED, "&Disabled");
    AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
    if (AppendMenuA(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(subMenu.Get()), "&More"))
        subMenu.Release();
    AppendMenuA(menu.Get(), MF_STRING, IDM_LAST, "&Last");
    SetMenuDefaultItem(menu.Get(), IDM_OPEN, FALSE);
    // The owner must be foreground, or the menu does not close when the user
    // clicks elsewhere.
    SetForegroundWindow(dialog);
    TrackPopupMenu(menu.Get(), 0, x, y, 0, dialog, nullptr);
    PostMessageA(dialog, WM_NULL, 0, 0);
}

INT_PTR CALLBACK TargetDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        ExtendSystemMenu(dialog);
        SetUpTooltips(dialog, *reinterpret_cast<TargetState*>(lParam));
        return TRUE;
    case WM_TARGET_OPEN_MENU:
        OpenMenu(dialog, static_cast<int>(wParam), static_cast<int>(lParam));
        return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code != TTN_GETDISPINFOA)
            return FALSE;
        reinterpret_cast<NMTTDISPINFOA*>(lParam)->lpszText = const_cast<char*>("Callback text");
        return TRUE;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != IDM_TARGET_ABOUT)
            return FALSE;
        SetDlgItemInt(dialog, IDC_LAST_COMMAND, IDM_TARGET_ABOUT, FALSE);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
        } else if (HIWORD(wParam) == 0 && lParam == 0) {
            SetDlgItemInt(dialog, IDC_LAST_COMMAND, LOWORD(wParam), FALSE);
        }
        return TRUE;
    case WM_DESTROY: {
        auto* state = reinterpret_cast<TargetState*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (state) {
            state->firstTooltip.Reset();
            state->secondTooltip.Reset();
        }
        return FALSE;
    }
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    TargetState state;
    const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PROBE_TARGET), nullptr,
                                           TargetDialogProc, reinterpret_cast<LPARAM>(&state));
    return result == -1 ? 2 : static_cast<int>(result);
}
