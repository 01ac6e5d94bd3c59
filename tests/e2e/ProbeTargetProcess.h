// probe_target.exe (probe::kTargetPath) started for the probe's own tests:
// its dialog, its UI thread, and a clean end.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <string>

class CProbeTargetProcess {
public:
    // Starts the program and waits for its dialog; Dialog() is NULL on failure.
    CProbeTargetProcess();
    // Ends the program if Close() did not.
    ~CProbeTargetProcess();
    CProbeTargetProcess(const CProbeTargetProcess&) = delete;
    CProbeTargetProcess& operator=(const CProbeTargetProcess&) = delete;

    HWND Dialog() const { return m_dialog; }
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    DWORD ThreadId() const { return GetWindowThreadProcessId(m_dialog, nullptr); }
    std::string ItemText(int id) const;
    // Presses the Close button and waits for the exit; returns the exit code,
    // or STILL_ACTIVE when the program did not end.
    DWORD Close();

private:
    HANDLE m_process = nullptr;
    HWND m_dialog = nullptr;
};
