#pragma once

// A scratch folder under the temporary directory for the capture tests,
// removed with everything in it when the test ends.

#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

class CCaptureFindHandle {
public:
    explicit CCaptureFindHandle(HANDLE h) : m_h(h) {}
    ~CCaptureFindHandle()
    {
        if (m_h != INVALID_HANDLE_VALUE)
            FindClose(m_h);
    }
    CCaptureFindHandle(const CCaptureFindHandle&) = delete;
    CCaptureFindHandle& operator=(const CCaptureFindHandle&) = delete;
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h;
};

// Names of the entries of a folder, "." and ".." left out.
inline std::vector<std::string> CaptureFolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    const CCaptureFindHandle find(FindFirstFileA((folder + "\\*").c_str(), &data));
    if (find.Get() == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(find.Get(), &data));
    return names;
}

inline void CaptureRemoveTree(const std::string& path)
{
    const DWORD dwAttributes = GetFileAttributesA(path.c_str());
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        for (const std::string& name : CaptureFolderEntries(path))
            CaptureRemoveTree(path + "\\" + name);
        RemoveDirectoryA(path.c_str());
    } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
}

inline void CaptureWriteFile(const std::string& path, const std::string& bytes)
{
    if (std::FILE* pFile = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), pFile);
        std::fclose(pFile);
    }
}

// The file's bytes; "<missing>" when it cannot be opened.
inline std::string CaptureReadFile(const std::string& path)
{
    std::FILE* pFile = std::fopen(path.c_str(), "rb");
    if (!pFile)
        return "<missing>";
    std::string bytes;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pFile)) > 0;)
        bytes.append(buffer, n);
    std::fclose(pFile);
    return bytes;
}

class CCaptureTestFolder {
public:
    CCaptureTestFolder()
    {
        static unsigned s_nFolders = 0;
        char szTemp[MAX_PATH + 1] = {};
        GetTempPathA(sizeof szTemp, szTemp);
        m_path = std::string(szTemp) + "velorix_capture_" + std::to_string(GetCurrentProcessId()) +
                 "_" + std::to_string(++s_nFolders);
        CaptureRemoveTree(m_path);
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~CCaptureTestFolder() { CaptureRemoveTree(m_path); }
    CCaptureTestFolder(const CCaptureTestFolder&) = delete;
    CCaptureTestFolder& operator=(const CCaptureTestFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};
