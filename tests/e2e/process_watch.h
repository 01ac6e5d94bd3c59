// Watching a running program from outside: what it holds of the system, and
// what it writes to a debugger with OutputDebugStringA.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace e2e {

// What Wine tells of a process. It answers 0 for the handle count and for
// the GDI and USER object counts, so leaked handles show only through the
// memory and threads they hold.
struct ProcessFigures {
    SIZE_T pagefileBytes = 0;  // private memory committed
    DWORD threads = 0;
};
std::optional<ProcessFigures> MeasureProcess(DWORD pid);

// A debug-output monitor for the whole session: the system copies every
// OutputDebugStringA line of every process into the monitor's shared buffer
// while one exists. One at a time.
class CDebugOutput {
public:
    CDebugOutput();
    ~CDebugOutput();
    CDebugOutput(const CDebugOutput&) = delete;
    CDebugOutput& operator=(const CDebugOutput&) = delete;

    bool Ready() const { return m_ready; }
    std::vector<std::string> LinesOf(DWORD pid) const;

private:
    void Collect();

    HANDLE m_hMapping = nullptr;
    const BYTE* m_pView = nullptr;
    HANDLE m_hBufferReady = nullptr;
    HANDLE m_hDataReady = nullptr;
    bool m_ready = false;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_lock;
    std::vector<std::pair<DWORD, std::string>> m_lines;
    std::thread m_collector;
};

}  // namespace e2e
