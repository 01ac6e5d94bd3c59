// Owners for the kernel handles and libraries the benchmark opens.
#pragma once
#include "framework/Win32.h"

class CHandle {
public:
    CHandle() = default;
    explicit CHandle(HANDLE handle) : m_handle(handle) {}
    ~CHandle() { Close(); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;

    HANDLE Get() const { return m_handle; }
    explicit operator bool() const
    {
        return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE;
    }
    void Reset(HANDLE handle)
    {
        Close();
        m_handle = handle;
    }

private:
    void Close()
    {
        if (*this)
            ::CloseHandle(m_handle);
        m_handle = nullptr;
    }
    HANDLE m_handle = nullptr;
};

// A loaded library, released with its owner.
class CModule {
public:
    CModule() = default;
    ~CModule() { Reset(nullptr); }
    CModule(const CModule&) = delete;
    CModule& operator=(const CModule&) = delete;

    HMODULE Get() const { return m_hModule; }
    explicit operator bool() const { return m_hModule != nullptr; }
    void Reset(HMODULE module)
    {
        if (m_hModule)
            ::FreeLibrary(m_hModule);
        m_hModule = module;
    }

private:
    HMODULE m_hModule = nullptr;
};

// A started process with its first thread.
struct CProcess {
    CHandle process;
    CHandle thread;
    DWORD processId = 0;
    DWORD threadId = 0;
};
