#include "tests/e2e/net_helpers.h"

#include <cstdio>
#include <sstream>

#include "tests/standins/StandIns.h"
#include "tests/standins/common/StandInPaths.h"

namespace net {

namespace {

constexpr char kProgram[] = "Velorix.exe";

}  // namespace

FakeNetwork::FakeNetwork(const std::string& scratchName, const char* standInFolder)
    : m_folder(e2e::ScratchDir(scratchName))
{
    const std::string dlls = standins::StandInPath(standInFolder);
    m_ready = e2e::CopyInto(e2e::VelorixExe(), m_folder) &&
              e2e::CopyInto(dlls + "\\" + standins::kIpHelperDll, m_folder) &&
              e2e::CopyInto(dlls + "\\" + standins::kWinInetDll, m_folder) &&
              standins::SetNetFakeOverride(kProgram);
}

FakeNetwork::~FakeNetwork()
{
    standins::ClearNetFakeOverride(kProgram);
}

bool FakeNetwork::Write(const standins::NetScript& script) const
{
    return standins::WriteNetScript(m_folder + "\\" + standins::kNetScript, script);
}

std::unique_ptr<e2e::Velorix> FakeNetwork::Start() const
{
    return std::make_unique<e2e::Velorix>(m_folder + "\\" + kProgram, "", m_folder);
}

int FakeNetwork::Calls(const char* function) const
{
    return standins::CountNetCalls(m_folder + "\\" + standins::kNetCallLog, function);
}

std::vector<std::string> FakeNetwork::CallLog() const
{
    std::vector<std::string> lines;
    std::istringstream text(e2e::ReadFile(m_folder + "\\" + standins::kNetCallLog));
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

standins::NetInterface Interface(DWORD index, const std::string& description, ULONG64 speed,
                                 ULONG64 in, ULONG64 out)
{
    standins::NetInterface row;
    row.index = index;
    row.description = description;
    row.speed = speed;
    row.inOctets = in;
    row.outOctets = out;
    return row;
}

HWND Opened(e2e::Velorix& app)
{
    HWND main = app.Main();
    for (int i = 0; main && i < 500 && !IsWindowVisible(main); ++i)
        e2e::Pump(20);
    return main && IsWindowVisible(main) ? main : nullptr;
}

std::vector<std::string> Entries(e2e::Velorix& app)
{
    std::vector<std::string> entries;
    HWND combo = app.Control(IDC_NETWORK);
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t wide[512] = L"";
        const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        if (length < 0 || length >= 512) {
            entries.push_back("<unreadable>");
            continue;
        }
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
        char narrow[1024] = "";
        WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
        entries.emplace_back(narrow);
    }
    return entries;
}

int Selection(e2e::Velorix& app)
{
    return static_cast<int>(SendMessageA(app.Control(IDC_NETWORK), CB_GETCURSEL, 0, 0));
}

void Choose(e2e::Velorix& app, int entry)
{
    HWND combo = app.Control(IDC_NETWORK);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    app.Send(WM_COMMAND, MAKEWPARAM(IDC_NETWORK, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

long SecondsOf(const std::string& clock)
{
    int hours = 0, minutes = 0, seconds = 0;
    char rest = 0;
    if (std::sscanf(clock.c_str(), " %d hrs : %d mins : %d secs%c", &hours, &minutes, &seconds,
                    &rest) != 3 ||
        ClockText(hours * 3600L + minutes * 60L + seconds) != clock)
        return -1;
    return hours * 3600L + minutes * 60L + seconds;
}

std::string ClockText(long seconds)
{
    char text[64];
    std::snprintf(text, sizeof text, " %ld hrs : %2ld mins : %2ld secs", seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
    return text;
}

}  // namespace net
