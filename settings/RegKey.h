// RegKey: an open registry key, closed with its owner.
#pragma once
#include "framework/Win32.h"

class RegKey {
public:
    RegKey() = default;
    ~RegKey() { Close(); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    bool Open(HKEY root, const char* path, REGSAM access)
    {
        Close();
        if (::RegOpenKeyExA(root, path, 0, access, &m_hKey) != ERROR_SUCCESS)
            m_hKey = nullptr;
        return m_hKey != nullptr;
    }
    bool Create(HKEY root, const char* path, REGSAM access)
    {
        Close();
        if (::RegCreateKeyExA(root, path, 0, nullptr, 0, access, nullptr, &m_hKey, nullptr) !=
            ERROR_SUCCESS)
            m_hKey = nullptr;
        return m_hKey != nullptr;
    }
    void Close()
    {
        if (m_hKey)
            ::RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
    operator HKEY() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};
