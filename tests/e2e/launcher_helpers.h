// What the client-launcher and link tests share: the logging stand-in in
// the places of the client, the updater and the browser, waiting for its
// log, commands that must finish without a dialog, and mouse clicks on a
// control of the program.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/Harness.h"
#include "tests/standins/StandIns.h"
#include "tests/standins/common/StandInPaths.h"
#include "tests/standins/logger/LoggerSupport.h"

namespace launcher {

// Every shell start is followed by its log line a little later: waits for
// the count, at most 15 s.
inline std::vector<std::string> WaitForLines(const std::string& log, size_t count)
{
    std::vector<std::string> lines;
    for (DWORD waited = 0; waited < 15000; waited += 50) {
        lines = standins::ReadLogLines(log);
        if (lines.size() >= count)
            break;
        e2e::Pump(50);
    }
    return lines;
}

inline bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A copy of the logging stand-in named name in folder; its log's path.
inline std::string PlaceLogger(const std::string& folder, const char* name)
{
    e2e::CopyInto(standins::StandInPath(standins::kLoggerExe), folder, name);
    return standins::LogPathOf(folder + "\\" + name);
}

// The prefix's http and https addresses go to a logging stand-in for the
// life of this object, so nothing reaches a real browser.
class BrowserStandIn {
public:
    explicit BrowserStandIn(const std::string& scratchName)
        : m_folder(e2e::ScratchDir(scratchName)),
          m_log(PlaceLogger(m_folder, standins::kBrowserExe)),
          m_registered(standins::RegisterUrlHandler(m_folder + "\\" + standins::kBrowserExe))
    {
    }
    ~BrowserStandIn() { standins::UnregisterUrlHandler(); }
    BrowserStandIn(const BrowserStandIn&) = delete;
    BrowserStandIn& operator=(const BrowserStandIn&) = delete;

    bool Registered() const { return m_registered; }
    const std::string& Log() const { return m_log; }

private:
    std::string m_folder;
    std::string m_log;
    bool m_registered;
};

// Sends the command to the main window and reports whether its handler
// returned; a modal dialog opened by the handler keeps it from returning.
inline bool CommandReturns(e2e::Velorix& app, int id)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(app.Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_NORMAL, 5000,
                               &result) != 0;
}

// The cursor position can lag behind a move: a move made earlier may still
// arrive and take it back. Moves and checks that the position holds.
inline bool MoveCursorTo(POINT screen)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        SetCursorPos(screen.x, screen.y);
        int held = 0;
        for (int look = 0; look < 8 && held < 3; ++look) {
            e2e::Pump(15);
            POINT now{};
            held = (GetCursorPos(&now) && now.x == screen.x && now.y == screen.y) ? held + 1 : 0;
        }
        if (held >= 3)
            return true;
    }
    return false;
}

// Out of the way of every window the tests open: the desktop's top right.
inline void ParkCursor()
{
    MoveCursorTo({GetSystemMetrics(SM_CXSCREEN) - 20, 10});
}

inline bool MoveCursorOver(HWND window, int x, int y)
{
    POINT at{x, y};
    ClientToScreen(window, &at);
    return MoveCursorTo(at);
}

// A mouse message handled by control before this returns.
inline bool SendMouse(HWND control, UINT message, WPARAM flags, int x, int y)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(control, message, flags, MAKELPARAM(x, y), SMTO_NORMAL, 5000,
                               &result) != 0;
}

// The main window once its initialisation has run to the end: the dialog
// shows itself only then. Null when that does not happen within 10 s.
inline HWND InitialisedMain(e2e::Velorix& app)
{
    HWND main = app.Main();
    for (int i = 0; main && i < 500 && !IsWindowVisible(main); ++i)
        e2e::Pump(20);
    return main && IsWindowVisible(main) ? main : nullptr;
}

// Waits until window is gone, at most 5 s.
inline bool WaitGone(HWND window)
{
    for (int i = 0; i < 250 && IsWindow(window); ++i)
        e2e::Pump(20);
    return !IsWindow(window);
}

}  // namespace launcher
