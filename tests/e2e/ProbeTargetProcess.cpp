#include "tests/e2e/ProbeTargetProcess.h"

#include <cstring>

#include "tests/e2e/Probe.h"

namespace {

constexpr DWORD kStartTimeoutMs = 10000;
constexpr DWORD kExitTimeoutMs = 10000;
constexpr DWORD kPollIntervalMs = 20;

struct DialogSearch {
    DWORD processId;
    HWND dialog;
};

BOOL CALLBACK FindProcessDialog(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<DialogSearch*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[16] = {};
    if (processId != search.processId || !IsWindowVisible(window) ||
        GetClassNameA(window, className, sizeof className) == 0 ||
        std::strcmp(className, "#32770") != 0)
        return TRUE;
    search.dialog = window;
    return FALSE;
}

}  // namespace

CProbeTargetProcess::CProbeTargetProcess()
{
    std::string commandLine = "\"" + FromThisProgramsFolder(probe::kTargetPath) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return;
    CloseHandle(started.hThread);
    m_process = started.hProcess;
    DialogSearch search{started.dwProcessId, nullptr};
    const ULONGLONG deadline = GetTickCount64() + kStartTimeoutMs;
    while (!search.dialog && GetTickCount64() < deadline &&
           WaitForSingleObject(m_process, kPollIntervalMs) == WAIT_TIMEOUT)
        EnumWindows(FindProcessDialog, reinterpret_cast<LPARAM>(&search));
    m_dialog = search.dialog;
}

CProbeTargetProcess::~CProbeTargetProcess()
{
    if (!m_process)
        return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, kExitTimeoutMs);
    }
    CloseHandle(m_process);
}

std::string CProbeTargetProcess::ItemText(int id) const
{
    char text[256] = {};
    GetDlgItemTextA(m_dialog, id, text, sizeof text);
    return text;
}

DWORD CProbeTargetProcess::Close()
{
    if (!m_process)
        return STILL_ACTIVE;
    if (m_dialog)
        PostMessageA(m_dialog, WM_COMMAND, IDCANCEL, 0);
    DWORD exitCode = STILL_ACTIVE;
    if (WaitForSingleObject(m_process, kExitTimeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(m_process, &exitCode);
    return exitCode;
}
