#include "tests/e2e/Probe.h"

#include <algorithm>
#include <atomic>
#include <memory>

namespace {

// A query blocks the target's UI thread for a moment only; this bounds a hung one.
constexpr UINT kAnswerTimeoutMs = 5000;

UINT ProbeMessage()
{
    static const UINT message = RegisterWindowMessageA(probe::kMessageName);
    return message;
}

std::uint32_t NextSequence()
{
    static std::atomic<std::uint32_t> sequence{0};
    std::uint32_t next = ++sequence;
    return next != 0 ? next : ++sequence;
}

const char* Describe(probe::Status status)
{
    switch (status) {
    case probe::Status::Pending:
        return "the hook did not answer";
    case probe::Status::Ok:
        return "answered";
    case probe::Status::BadRequest:
        return "the probe rejected the request";
    case probe::Status::NoWindow:
        return "no such window in the target";
    case probe::Status::NoMenu:
        return "the window has no system menu";
    }
    return "unknown answer";
}

}  // namespace

// One named section per query, so an answer that comes too late cannot land
// in a later query's reply.
class CProbe::Section {
public:
    Section() : m_sequence(NextSequence())
    {
        char name[probe::kSectionNameBytes];
        probe::FormatSectionName(name, GetCurrentProcessId(), m_sequence);
        SetLastError(ERROR_SUCCESS);
        m_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                       sizeof(probe::Section), name);
        if (m_mapping && GetLastError() != ERROR_ALREADY_EXISTS)
            m_view = static_cast<probe::Section*>(MapViewOfFile(
                m_mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(probe::Section)));
    }
    ~Section()
    {
        if (m_view)
            UnmapViewOfFile(m_view);
        if (m_mapping)
            CloseHandle(m_mapping);
    }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    probe::Section* Get() const { return m_view; }
    std::uint32_t Sequence() const { return m_sequence; }

private:
    std::uint32_t m_sequence;
    HANDLE m_mapping = nullptr;
    probe::Section* m_view = nullptr;
};

std::string FromThisProgramsFolder(const char* relative)
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string result(path, length < sizeof path ? length : 0);
    const size_t slash = result.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : result.substr(0, slash + 1)) + relative;
}

CProbe::CProbe(DWORD threadId) : m_threadId(threadId)
{
    // Thread 0 would make the hook global, reaching every program on the desktop.
    if (threadId == 0) {
        m_lastError = "no thread to probe";
        return;
    }
    const std::string dll = FromThisProgramsFolder(probe::kDllPath);
    m_dll = LoadLibraryA(dll.c_str());
    if (!m_dll) {
        m_lastError = "cannot load " + dll + ": error " + std::to_string(GetLastError());
        return;
    }
    const auto proc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(m_dll, probe::kHookProcName)));
    if (!proc) {
        m_lastError = dll + " does not export " + probe::kHookProcName;
        return;
    }
    m_hook = SetWindowsHookExA(WH_CALLWNDPROC, proc, m_dll, threadId);
    if (!m_hook)
        m_lastError = "SetWindowsHookExA failed: error " + std::to_string(GetLastError());
}

CProbe::~CProbe()
{
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
    if (m_dll)
        FreeLibrary(m_dll);
}

bool CProbe::Ask(const probe::Request& request, probe::Reply& reply,
                 std::vector<unsigned char>* buffer)
{
    m_lastError.clear();
    if (!m_hook) {
        m_lastError = "the probe is not attached";
        return false;
    }
    const auto window = probe::FromWire<HWND>(request.window);
    if (!IsWindow(window) || GetWindowThreadProcessId(window, nullptr) != m_threadId) {
        m_lastError = "the window is not on the probed thread";
        return false;
    }
    if (buffer && buffer->size() > probe::kBufferBytes) {
        m_lastError =
            "the buffer holds more than " + std::to_string(probe::kBufferBytes) + " bytes";
        return false;
    }
    Section section;
    if (!section.Get()) {
        m_lastError = "cannot create the shared section: error " + std::to_string(GetLastError());
        return false;
    }
    probe::Section& shared = *section.Get();
    shared.request = request;
    shared.request.sequence = section.Sequence();
    shared.request.bufferBytes = buffer ? static_cast<std::uint32_t>(buffer->size()) : 0;
    if (buffer)
        std::copy(buffer->begin(), buffer->end(), shared.buffer);
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(window, ProbeMessage(), section.Sequence(), GetCurrentProcessId(),
                             SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored)) {
        m_lastError =
            "the target did not take the probe message: error " + std::to_string(GetLastError());
        return false;
    }
    if (shared.reply.sequence != section.Sequence() || shared.reply.status != probe::Status::Ok) {
        m_lastError = Describe(shared.reply.sequence != section.Sequence() ? probe::Status::Pending
                                                                           : shared.reply.status);
        return false;
    }
    reply = shared.reply;
    if (buffer)
        std::copy(shared.buffer, shared.buffer + buffer->size(), buffer->begin());
    return true;
}

std::optional<LRESULT> CProbe::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    probe::Request request{};
    request.query = probe::Query::SendMessage;
    request.window = probe::ToWire(window);
    request.message = message;
    request.wParam = probe::ToWire(wParam);
    request.lParam = probe::ToWire(lParam);
    auto reply = std::make_unique<probe::Reply>();
    if (!Ask(request, *reply))
        return std::nullopt;
    return probe::FromWire<LRESULT>(reply->result);
}

bool CProbe::RefuseIcons(HWND window, bool refuse)
{
    probe::Request request{};
    request.query = probe::Query::RefuseIcons;
    request.window = probe::ToWire(window);
    request.wParam = refuse ? 1 : 0;
    auto reply = std::make_unique<probe::Reply>();
    return Ask(request, *reply);
}

bool CProbe::WatchIcons(HWND window)
{
    probe::Request request{};
    request.query = probe::Query::WatchIcons;
    request.window = probe::ToWire(window);
    auto reply = std::make_unique<probe::Reply>();
    return Ask(request, *reply);
}

std::optional<SIZE> CProbe::LastIconSize(HWND window)
{
    probe::Request request{};
    request.query = probe::Query::LastIconSize;
    request.window = probe::ToWire(window);
    auto reply = std::make_unique<probe::Reply>();
    if (!Ask(request, *reply))
        return std::nullopt;
    const auto size = probe::FromWire<LRESULT>(reply->result);
    return SIZE{LOWORD(size), HIWORD(size)};
}

std::optional<std::vector<unsigned char>> CProbe::FreshHeap(HWND window, size_t bytes)
{
    probe::Request request{};
    request.query = probe::Query::FreshHeap;
    request.window = probe::ToWire(window);
    std::vector<unsigned char> buffer(bytes);
    auto reply = std::make_unique<probe::Reply>();
    if (!Ask(request, *reply, &buffer))
        return std::nullopt;
    return buffer;
}

std::optional<LRESULT> CProbe::SendWithBuffer(HWND window, UINT message, WPARAM wParam,
                                              std::vector<unsigned char>& buffer)
{
    probe::Request request{};
    request.query = probe::Query::SendMessage;
    request.window = probe::ToWire(window);
    request.message = message;
    request.wParam = probe::ToWire(wParam);
    auto reply = std::make_unique<probe::Reply>();
    if (!Ask(request, *reply, &buffer))
        return std::nullopt;
    return probe::FromWire<LRESULT>(reply->result);
}
