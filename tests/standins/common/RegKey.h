// A registry key owned for the length of a scope (header-only, see ModuleFiles.h).
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <string>

namespace standins {

class RegKey {
public:
    RegKey() = default;
    ~RegKey()
    {
        if (m_hKey)
            RegCloseKey(m_hKey);
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    bool Create(HKEY root, const std::string& path)
    {
        return RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, Reset(),
                               NULL) == ERROR_SUCCESS;
    }
    bool Open(HKEY root, const std::string& path, REGSAM access)
    {
        return RegOpenKeyExA(root, path.c_str(), 0, access, Reset()) == ERROR_SUCCESS;
    }
    // An empty name sets the key's default value.
    bool SetString(const char* name, const std::string& value)
    {
        return RegSetValueExA(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    }
    bool GetString(const char* name, std::string& value) const
    {
        char buffer[1024] = {};
        DWORD size = sizeof buffer - 1;  // room for a terminator the data may lack
        DWORD type = 0;
        if (RegQueryValueExA(m_hKey, name, NULL, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
                ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return false;
        }
        value.assign(buffer);
        return true;
    }
    HKEY Get() const { return m_hKey; }

private:
    HKEY* Reset()
    {
        if (m_hKey)
            RegCloseKey(m_hKey);
        m_hKey = NULL;
        return &m_hKey;
    }
    HKEY m_hKey = NULL;
};

}  // namespace standins
