#include "settings/SettingsStore.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "settings/RegKey.h"

namespace {

const char kProductName[] = "Velorix";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kShortcutName[] = "Velorix.lnk";
constexpr size_t kPathBuffer = 256;

void FormatSettingsKey(char (&path)[64])
{
    std::snprintf(path, sizeof path, "SOFTWARE\\%s", kProductName);
}

}  // namespace

void ReadSettings(DwordSetting* values, size_t count)
{
    char path[64];
    FormatSettingsKey(path);
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, path, KEY_QUERY_VALUE))
        return;
    for (size_t i = 0; i < count; ++i) {
        DWORD data = values[i].value;
        DWORD size = sizeof data;
        const LONG result = ::RegQueryValueExA(key, values[i].name, nullptr, nullptr,
                                               reinterpret_cast<BYTE*>(&data), &size);
        if (result == ERROR_SUCCESS && size == sizeof data)
            values[i].value = data;
    }
}

bool WriteSettings(const DwordSetting* values, size_t count)
{
    char path[64];
    FormatSettingsKey(path);
    RegKey key;
    if (!key.Create(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS))
        return false;
    for (size_t i = 0; i < count; ++i) {
        const DWORD data = values[i].value;
        ::RegSetValueExA(key, values[i].name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                         sizeof data);
    }
    return true;
}

bool ReadQwordSetting(const char* name, ULONG64* value)
{
    char path[64];
    FormatSettingsKey(path);
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, path, KEY_QUERY_VALUE))
        return false;
    ULONG64 data = 0;
    DWORD type = 0;
    DWORD size = sizeof data;
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_QWORD || size != sizeof data)
        return false;
    *value = data;
    return true;
}

bool ReadTextSetting(const char* name, char* text, size_t textSize)
{
    if (!text || textSize == 0)
        return false;
    text[0] = '\0';
    char path[64];
    FormatSettingsKey(path);
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, path, KEY_QUERY_VALUE))
        return false;
    DWORD type = 0;
    // One byte kept back, so the text ends inside the buffer even when the
    // stored data lacks its terminator.
    DWORD size = static_cast<DWORD>(textSize - 1);
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        text[0] = '\0';
        return false;
    }
    text[size < textSize ? size : textSize - 1] = '\0';
    return true;
}

bool WriteQwordSetting(const char* name, ULONG64 value)
{
    char path[64];
    FormatSettingsKey(path);
    RegKey key;
    return key.Create(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS) &&
           ::RegSetValueExA(key, name, 0, REG_QWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof value) == ERROR_SUCCESS;
}

bool WriteTextSetting(const char* name, const char* text)
{
    char path[64];
    FormatSettingsKey(path);
    RegKey key;
    return key.Create(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS) &&
           ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                            static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
}

int LeadingDecimal(const char* text)
{
    const long value = std::strtol(text, nullptr, 10);
    return static_cast<int>(value);
}

bool RunEntryExists()
{
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, kRunKey, KEY_QUERY_VALUE))
        return false;
    return ::RegQueryValueExA(key, kProductName, nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

bool FormatRunEntry(const char* directory, char* out, size_t outSize)
{
    if (outSize > 0)
        out[0] = '\0';
    char shortcut[kPathBuffer];
    const int pathLength =
        std::snprintf(shortcut, sizeof shortcut, "%s\\%s", directory, kShortcutName);
    if (pathLength < 0 || static_cast<size_t>(pathLength) >= sizeof shortcut)
        return false;
    const int dataLength = std::snprintf(out, outSize, "\"%s\" -tray", shortcut);
    if (dataLength < 0 || static_cast<size_t>(dataLength) >= outSize) {
        if (outSize > 0)
            out[0] = '\0';
        return false;
    }
    return true;
}

void SetRunEntry(bool on)
{
    RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, kRunKey, KEY_ALL_ACCESS))
        return;
    if (!on) {
        ::RegDeleteValueA(key, kProductName);
        return;
    }
    char directory[kPathBuffer];
    const DWORD length = ::GetCurrentDirectoryA(sizeof directory, directory);
    if (length == 0 || length >= sizeof directory)
        return;  // the directory does not fit: no entry rather than a cut one
    char data[kPathBuffer + 16];
    if (!FormatRunEntry(directory, data, sizeof data))
        return;
    ::RegSetValueExA(key, kProductName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                     static_cast<DWORD>(std::strlen(data) + 1));
}
