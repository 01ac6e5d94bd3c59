// Files beside a module, shared by the stand-ins (header-only: each stand-in
// is its own small binary and links nothing of ours besides these lines).
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <string>

namespace standins {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle()
    {
        if (IsValid())
            CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != NULL; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// The folder of a module (NULL: the process's exe), with a trailing backslash.
inline std::string ModuleFolder(HMODULE module)
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    std::string folder(path, length);
    const std::string::size_type slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

inline std::string FileBesideModule(HMODULE module, const char* name)
{
    return ModuleFolder(module) + name;
}

// The path with its extension (if the file name has one) replaced.
inline std::string WithExtension(const std::string& path, const char* extension)
{
    const std::string::size_type dot = path.find_last_of('.');
    const std::string::size_type slash = path.find_last_of("\\/");
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? path.substr(0, dot) : path) + extension;
}

// Appends one CRLF-terminated line. Writers from several processes take
// turns: the file is opened for no other writer, and a writer that finds it
// taken tries again for up to two seconds. (Appending alone does not keep
// them apart: Wine finds the end of the file and writes there as two steps,
// so two writers at once can land on the same place and one line is lost.)
inline bool AppendLine(const std::string& path, const std::string& line)
{
    HANDLE opened = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 200; ++attempt) {
        opened = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_DELETE,
                             NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (opened != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION)
            break;
        Sleep(10);
    }
    FileHandle file(opened);
    if (!file.IsValid())
        return false;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    return WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, NULL) &&
           written == text.size();
}

// The whole file, or an empty text (and false) when it is missing. Opened
// with every sharing so that no writer fails for the reader's sake.
inline bool ReadWholeFile(const std::string& path, std::string& text)
{
    text.clear();
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL));
    if (!file.IsValid())
        return false;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, NULL) && got > 0) {
        text.append(buffer, got);
    }
    return true;
}

}  // namespace standins
