#include "framework/SingleInstance.h"

#include <sddl.h>

namespace {

// Readable by every signed-in user: a copy run without administrator rights
// still finds one run with them. Only the creator's handle may write.
const char kReadableByUsers[] = "D:(A;;GR;;;AU)";

}  // namespace

CSingleInstance::~CSingleInstance()
{
    Close();
}

bool CSingleInstance::Claim(const char* name)
{
    Close();
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::ConvertStringSecurityDescriptorToSecurityDescriptorA(kReadableByUsers, SDDL_REVISION_1,
                                                               &descriptor, nullptr))
        attributes.lpSecurityDescriptor = descriptor;
    m_mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0,
                                     sizeof(LONG), name);
    const DWORD error = ::GetLastError();
    if (descriptor)
        ::LocalFree(descriptor);

    if (m_mapping && error != ERROR_ALREADY_EXISTS) {
        m_first = true;
        m_record =
            static_cast<LONG*>(::MapViewOfFile(m_mapping, FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
        return true;
    }
    // A record made by a copy with more rights refuses this one write access.
    if (!m_mapping && error != ERROR_ACCESS_DENIED)
        return true;
    if (!m_mapping)
        m_mapping = ::OpenFileMappingA(FILE_MAP_READ, FALSE, name);
    if (m_mapping)
        m_record =
            static_cast<LONG*>(::MapViewOfFile(m_mapping, FILE_MAP_READ, 0, 0, sizeof(LONG)));
    return false;
}

// Window handles have 32 significant bits in 32- and 64-bit processes alike,
// so one record serves both; a 32-bit value is sign-extended where handles
// are wider. An aligned 32-bit read or write is atomic.
void CSingleInstance::Publish(HWND window)
{
    if (m_first && m_record)
        ::InterlockedExchange(m_record, static_cast<LONG>(reinterpret_cast<LONG_PTR>(window)));
}

HWND CSingleInstance::FindFirst(DWORD timeoutMs) const
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (m_record) {
            const auto window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(*m_record));
            if (window && ::IsWindow(window))
                return window;
        }
        if (::GetTickCount64() >= deadline)
            return nullptr;
        ::Sleep(50);
    }
}

void CSingleInstance::Close()
{
    if (m_record)
        ::UnmapViewOfFile(const_cast<LONG*>(m_record));
    if (m_mapping)
        ::CloseHandle(m_mapping);
    m_record = nullptr;
    m_mapping = nullptr;
    m_first = false;
}
