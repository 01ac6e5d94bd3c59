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

namespace {

// name's data, of type, into data (size bytes); its length in *size. False
// when the key or the value is not there, or the value is of another type or
// does not fit.
bool ReadValue(const char* name, DWORD type, void* data, DWORD* size)
{
    char path[64];
    FormatSettingsKey(path);
    RegKey key;
    DWORD stored = 0;
    return key.Open(HKEY_CURRENT_USER, path, KEY_QUERY_VALUE) &&
           ::RegQueryValueExA(key, name, nullptr, &stored, static_cast<BYTE*>(data), size) ==
               ERROR_SUCCESS &&
           stored == type;
}

bool WriteValue(const char* name, DWORD type, const void* data, DWORD size)
{
    char path[64];
    FormatSettingsKey(path);
    RegKey key;
    return key.Create(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS) &&
           ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) ==
               ERROR_SUCCESS;
}

}  // namespace

bool ReadQwordSetting(const char* name, ULONG64* value)
{
    ULONG64 data = 0;
    DWORD size = sizeof data;
    if (!ReadValue(name, REG_QWORD, &data, &size) || size != sizeof data)
        return false;
    *value = data;
    return true;
}

bool ReadTextSetting(const char* name, char* text, size_t textSize)
{
    if (!text || textSize == 0)
        return false;
    // One byte kept back, so the text ends inside the buffer even when the
    // stored data lacks its terminator.
    DWORD size = static_cast<DWORD>(textSize - 1);
    const bool read = ReadValue(name, REG_SZ, text, &size);
    text[read ? size : 0] = '\0';
    return read;
}

bool WriteQwordSetting(const char* name, ULONG64 value)
{
    return WriteValue(name, REG_QWORD, &value, sizeof value);
}

bool WriteTextSetting(const char* name, const char* text)
{
    return WriteValue(name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
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
