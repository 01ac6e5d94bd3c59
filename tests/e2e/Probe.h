// The test side of the probe: places VelorixProbe.dll on a UI thread of
// another process and asks it, through the hook, what that thread shows.
// Every query names a window of the probed thread; the answer is nullopt
// when the probe could not answer, with the reason in LastError().
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/standins/probe/ProbeProtocol.h"

struct ProbeMenuItem {
    UINT id = 0;
    std::string text;
    bool checked = false;
    bool grayed = false;    // MF_GRAYED
    bool disabled = false;  // MF_DISABLED
    bool separator = false;
    bool hasSubMenu = false;
    bool isDefault = false;
    bool highlighted = false;
};

struct ProbeMenu {
    HWND window = nullptr;  // the "#32768" window; NULL for a system menu
    RECT rect{};            // screen rectangle of that window
    std::vector<ProbeMenuItem> items;
};

struct ProbeTool {
    HWND tooltip = nullptr;
    bool tooltipVisible = false;
    UINT flags = 0;
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    RECT rect{};
    bool textIsCallback = false;  // LPSTR_TEXTCALLBACK; text is then empty
    std::string text;
};

// A path relative to this test program's folder, made absolute.
std::string FromThisProgramsFolder(const char* relative);

class CProbe {
public:
    // Hooks the thread with the DLL at probe::kDllPath.
    explicit CProbe(DWORD threadId);
    ~CProbe();
    CProbe(const CProbe&) = delete;
    CProbe& operator=(const CProbe&) = delete;

    bool Attached() const { return m_hook != nullptr; }
    const std::string& LastError() const { return m_lastError; }

    // Visible pop-up menus of the thread, outermost first.
    std::optional<std::vector<ProbeMenu>> OpenMenus(HWND threadWindow);
    // Polls until exactly count menus are open (0: all closed); nullopt when
    // that does not happen within timeoutMs.
    std::optional<std::vector<ProbeMenu>> WaitForOpenMenus(HWND threadWindow, size_t count,
                                                           DWORD timeoutMs = 5000);
    std::optional<ProbeMenu> SystemMenu(HWND window);
    // Tools of every tooltip window of the process whose hwnd or uId is control.
    std::optional<std::vector<ProbeTool>> Tools(HWND control);
    std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // While on, the program's own calls of the shell's notification-icon
    // function fail; window is any window of the probed thread.
    bool RefuseIcons(HWND window, bool refuse);
    // From now on the probe notes the size of every icon that the program
    // hands the shell's notification-icon function.
    bool WatchIcons(HWND window);
    // The size of the last icon noted; {0, 0} before the first.
    std::optional<SIZE> LastIconSize(HWND window);
    // The first bytes of a block the process heap hands out, before anything
    // is written to it.
    std::optional<std::vector<unsigned char>> FreshHeap(HWND window, size_t bytes);
    // lParam is the address of a copy of buffer inside the target; the copy's
    // contents come back in buffer.
    std::optional<LRESULT> SendWithBuffer(HWND window, UINT message, WPARAM wParam,
                                          std::vector<unsigned char>& buffer);

private:
    class Section;
    // Sends the request through the hook and copies the reply out; buffer,
    // when given, travels in and out as the section's buffer.
    bool Ask(const probe::Request& request, probe::Reply& reply,
             std::vector<unsigned char>* buffer = nullptr);

    DWORD m_threadId;
    HMODULE m_dll = nullptr;
    HHOOK m_hook = nullptr;
    std::string m_lastError;
};
