// The hook procedure placed on the target's UI thread. It reacts only to the
// registered probe message and leaves every other message alone.
#include "ProbeQueries.h"

#include <cstring>

namespace {

class SectionView {
public:
    SectionView(DWORD clientProcessId, std::uint32_t sequence)
    {
        char name[probe::kSectionNameBytes];
        probe::FormatSectionName(name, clientProcessId, sequence);
        m_mapping = OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, name);
        if (m_mapping)
            m_view = static_cast<probe::Section*>(MapViewOfFile(
                m_mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(probe::Section)));
    }
    ~SectionView()
    {
        if (m_view)
            UnmapViewOfFile(m_view);
        if (m_mapping)
            CloseHandle(m_mapping);
    }
    SectionView(const SectionView&) = delete;
    SectionView& operator=(const SectionView&) = delete;

    probe::Section* Get() const { return m_view; }

private:
    HANDLE m_mapping = nullptr;
    probe::Section* m_view = nullptr;
};

UINT ProbeMessage()
{
    static const UINT message = RegisterWindowMessageA(probe::kMessageName);
    return message;
}

probe::Status SendInProcess(const probe::Request& request, probe::Section& section)
{
    if (request.bufferBytes > probe::kBufferBytes)
        return probe::Status::BadRequest;
    const LPARAM lParam = request.bufferBytes ? reinterpret_cast<LPARAM>(section.buffer)
                                              : probe::FromWire<LPARAM>(request.lParam);
    section.reply.result =
        probe::ToWire(SendMessageA(probe::FromWire<HWND>(request.window), request.message,
                                   probe::FromWire<WPARAM>(request.wParam), lParam));
    return probe::Status::Ok;
}

// What the process heap hands out before anyone writes to it.
probe::Status CopyFreshHeap(const probe::Request& request, probe::Section& section)
{
    if (request.bufferBytes == 0 || request.bufferBytes > probe::kBufferBytes)
        return probe::Status::BadRequest;
    const HANDLE heap = GetProcessHeap();
    void* block = HeapAlloc(heap, 0, request.bufferBytes);
    if (!block)
        return probe::Status::BadRequest;
    std::memcpy(section.buffer, block, request.bufferBytes);
    HeapFree(heap, 0, block);
    return probe::Status::Ok;
}

probe::Status Dispatch(const probe::Request& request, probe::Section& section)
{
    const auto window = probe::FromWire<HWND>(request.window);
    if (!IsWindow(window))
        return probe::Status::NoWindow;
    switch (request.query) {
    case probe::Query::OpenMenus:
        return probe::ReadOpenMenus(section.reply);
    case probe::Query::SystemMenu:
        return probe::ReadSystemMenu(window, section.reply);
    case probe::Query::Tools:
        return probe::ReadTools(window, section.reply);
    case probe::Query::SendMessage:
        return SendInProcess(request, section);
    case probe::Query::RefuseIcons:
        return probe::RefuseIcons(request.wParam != 0);
    case probe::Query::FreshHeap:
        return CopyFreshHeap(request, section);
    case probe::Query::WatchIcons:
        return probe::WatchIcons();
    case probe::Query::LastIconSize:
        return probe::ReadLastIconSize(section.reply);
    }
    return probe::Status::BadRequest;
}

void Answer(probe::Section& section)
{
    // The request is read once: the test could still write to the section.
    const probe::Request request = section.request;
    section.reply.status = Dispatch(request, section);
    section.reply.sequence = request.sequence;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call && ProbeMessage() != 0 && call->message == ProbeMessage()) {
        const auto sequence = static_cast<std::uint32_t>(call->wParam);
        SectionView view(static_cast<DWORD>(call->lParam), sequence);
        if (view.Get() && view.Get()->request.sequence == sequence)
            Answer(*view.Get());
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
