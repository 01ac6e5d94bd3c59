#include "tests/e2e/tray_shell_view.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

namespace tray_view {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using ProcessHandle = std::unique_ptr<void, HandleCloser>;

// Memory inside another process, for messages whose parameters point to it.
class CRemoteBuffer {
public:
    CRemoteBuffer(HANDLE process, SIZE_T size)
        : m_process(process), m_address(static_cast<BYTE*>(::VirtualAllocEx(
                                  process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)))
    {
    }
    ~CRemoteBuffer()
    {
        if (m_address)
            ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    }
    CRemoteBuffer(const CRemoteBuffer&) = delete;
    CRemoteBuffer& operator=(const CRemoteBuffer&) = delete;

    BYTE* At(SIZE_T offset) const { return m_address ? m_address + offset : nullptr; }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const
    {
        return m_address && ::WriteProcessMemory(m_process, At(offset), data, size, nullptr);
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const
    {
        return m_address && ::ReadProcessMemory(m_process, At(offset), data, size, nullptr);
    }

private:
    HANDLE m_process;
    BYTE* m_address;
};

constexpr SIZE_T kToolOffset = 0;
constexpr SIZE_T kTextOffset = 4096;
constexpr SIZE_T kTextChars = 1024;  // the most a tooltip copies out
constexpr SIZE_T kBufferSize = kTextOffset + (kTextChars + 1) * sizeof(WCHAR);

std::string Narrow(const WCHAR* text)
{
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string narrow(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], size, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(size - 1));
    return narrow;
}

BOOL CALLBACK CollectTooltip(HWND window, LPARAM tooltips)
{
    char className[64] = "";
    ::GetClassNameA(window, className, sizeof className);
    if (lstrcmpiA(className, TOOLTIPS_CLASSA) == 0)
        reinterpret_cast<std::vector<HWND>*>(tooltips)->push_back(window);
    return TRUE;
}

void ReadTools(HWND tooltip, HWND taskbar, const CRemoteBuffer& remote,
               std::vector<ShownIcon>& icons)
{
    DWORD_PTR count = 0;
    if (!::SendMessageTimeoutA(tooltip, TTM_GETTOOLCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count))
        return;
    for (DWORD_PTR i = 0; i < count; ++i) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = reinterpret_cast<LPWSTR>(remote.At(kTextOffset));
        const WCHAR empty = 0;
        DWORD_PTR found = 0;
        if (!remote.Write(kToolOffset, &tool, sizeof tool) ||
            !remote.Write(kTextOffset, &empty, sizeof empty) ||
            !::SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, i,
                                   reinterpret_cast<LPARAM>(remote.At(kToolOffset)),
                                   SMTO_ABORTIFHUNG, 2000, &found) ||
            !found)
            continue;
        WCHAR text[kTextChars + 1] = {};
        if (!remote.Read(kToolOffset, &tool, sizeof tool) ||
            !remote.Read(kTextOffset, text, kTextChars * sizeof(WCHAR)))
            continue;
        // A slot of an icon no longer shown keeps its tool with an empty rectangle.
        if (tool.hwnd != taskbar || ::IsRectEmpty(&tool.rect))
            continue;
        icons.push_back({taskbar, tool.rect, Narrow(text)});
    }
}

NOTIFYICONDATAA RecordOf(HWND owner, UINT id)
{
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V3_SIZE;
    record.hWnd = owner;
    record.uID = id;
    return record;
}

}  // namespace

HWND WaitForTaskbar(DWORD timeoutMs)
{
    ::GetDesktopWindow();
    WaitUntil([] { return ::FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }, timeoutMs);
    return ::FindWindowA("Shell_TrayWnd", nullptr);
}

std::vector<ShownIcon> ShownIcons()
{
    std::vector<ShownIcon> icons;
    HWND taskbar = ::FindWindowA("Shell_TrayWnd", nullptr);
    DWORD processId = 0;
    const DWORD thread = taskbar ? ::GetWindowThreadProcessId(taskbar, &processId) : 0;
    if (!thread)
        return icons;
    ProcessHandle process(
        ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process)
        return icons;
    const CRemoteBuffer remote(process.get(), kBufferSize);
    std::vector<HWND> tooltips;
    ::EnumThreadWindows(thread, &CollectTooltip, reinterpret_cast<LPARAM>(&tooltips));
    for (HWND tooltip : tooltips)
        ReadTools(tooltip, taskbar, remote, icons);
    return icons;
}

std::vector<ShownIcon> ShownIconsWithTip(const std::string& tip)
{
    std::vector<ShownIcon> matching;
    for (const ShownIcon& icon : ShownIcons()) {
        if (icon.tip == tip)
            matching.push_back(icon);
    }
    return matching;
}

bool ShellHoldsIcon(HWND owner, UINT id)
{
    NOTIFYICONDATAA record = RecordOf(owner, id);
    return ::Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

bool DeleteIcon(HWND owner, UINT id)
{
    NOTIFYICONDATAA record = RecordOf(owner, id);
    return ::Shell_NotifyIconA(NIM_DELETE, &record) != FALSE;
}

bool Click(const ShownIcon& icon, UINT mouseMessage)
{
    const int x = (icon.rect.left + icon.rect.right) / 2;
    const int y = (icon.rect.top + icon.rect.bottom) / 2;
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(icon.taskbar, mouseMessage, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG,
                                 2000, &result) != 0;
}

void SweepIconsOfEndedPrograms()
{
    // Each icon dropped moves the others; a few passes reach them all.
    for (int pass = 0; pass < 10; ++pass) {
        const std::vector<ShownIcon> icons = ShownIcons();
        for (const ShownIcon& icon : icons)
            Click(icon, WM_MOUSEMOVE);
        if (ShownIcons().size() == icons.size())
            return;
    }
}

bool HasTaskbarButton(HWND window)
{
    HWND taskbar = ::FindWindowA("Shell_TrayWnd", nullptr);
    if (!taskbar)
        return false;
    for (HWND child = ::GetWindow(taskbar, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::IsWindowVisible(child) &&
            static_cast<UINT_PTR>(::GetDlgCtrlID(child)) == reinterpret_cast<UINT_PTR>(window))
            return true;
    }
    return false;
}

void BroadcastTaskbarCreated()
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0,
                          SMTO_ABORTIFHUNG, 2000, &result);
}

void BroadcastWorkAreaChange()
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0, SMTO_ABORTIFHUNG,
                          2000, &result);
}

bool PlaceCursor(POINT point)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        POINT now{};
        if (::GetCursorPos(&now) && now.x == point.x && now.y == point.y)
            return true;
        if (attempt % 2 == 0) {
            ::SetCursorPos(point.x, point.y);
        } else {
            INPUT move{};
            move.type = INPUT_MOUSE;
            move.mi.dx = MulDiv(point.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
            move.mi.dy = MulDiv(point.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
            move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            ::SendInput(1, &move, sizeof move);
        }
        ::Sleep(20);
    }
    POINT now{};
    return ::GetCursorPos(&now) && now.x == point.x && now.y == point.y;
}

}  // namespace tray_view
