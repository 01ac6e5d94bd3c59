#include "tests/e2e/process_watch.h"

#include <psapi.h>
#include <tlhelp32.h>

namespace e2e {

namespace {

constexpr DWORD kMonitorBufferBytes = 4096;  // what the system writes into

DWORD CountThreads(DWORD pid)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    DWORD count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == pid;
    CloseHandle(snapshot);
    return count;
}

}  // namespace

std::optional<ProcessFigures> MeasureProcess(DWORD pid)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        return std::nullopt;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    std::optional<ProcessFigures> figures;
    if (GetProcessMemoryInfo(process, &memory, sizeof memory)) {
        figures = ProcessFigures{};
        figures->pagefileBytes = memory.PagefileUsage;
        figures->threads = CountThreads(pid);
    }
    CloseHandle(process);
    return figures;
}

CDebugOutput::CDebugOutput()
{
    m_hMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    kMonitorBufferBytes, "DBWIN_BUFFER");
    if (!m_hMapping || GetLastError() == ERROR_ALREADY_EXISTS)
        return;
    m_pView = static_cast<const BYTE*>(MapViewOfFile(m_hMapping, FILE_MAP_READ, 0, 0, 0));
    m_hBufferReady = CreateEventA(nullptr, FALSE, TRUE, "DBWIN_BUFFER_READY");
    m_hDataReady = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY");
    m_ready = m_pView && m_hBufferReady && m_hDataReady;
    if (m_ready)
        m_collector = std::thread([this] { Collect(); });
}

CDebugOutput::~CDebugOutput()
{
    m_stop = true;
    if (m_collector.joinable())
        m_collector.join();
    if (m_pView)
        UnmapViewOfFile(m_pView);
    for (HANDLE handle : {m_hMapping, m_hBufferReady, m_hDataReady}) {
        if (handle)
            CloseHandle(handle);
    }
}

void CDebugOutput::Collect()
{
    while (!m_stop) {
        if (WaitForSingleObject(m_hDataReady, 50) != WAIT_OBJECT_0)
            continue;
        DWORD pid = 0;
        CopyMemory(&pid, m_pView, sizeof pid);
        const char* text = reinterpret_cast<const char*>(m_pView + sizeof pid);
        std::string line(text, strnlen(text, kMonitorBufferBytes - sizeof pid));
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_lines.emplace_back(pid, std::move(line));
        }
        SetEvent(m_hBufferReady);
    }
}

std::vector<std::string> CDebugOutput::LinesOf(DWORD pid) const
{
    std::vector<std::string> lines;
    std::lock_guard<std::mutex> hold(m_lock);
    for (const auto& line : m_lines) {
        if (line.first == pid)
            lines.push_back(line.second);
    }
    return lines;
}

}  // namespace e2e
