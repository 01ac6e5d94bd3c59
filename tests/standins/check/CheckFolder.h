// A scratch folder for one check, removed with what it holds, and starting a
// program in it.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <map>
#include <string>

namespace standins {

class CheckFolder {
public:
    CheckFolder();
    ~CheckFolder();
    CheckFolder(const CheckFolder&) = delete;
    CheckFolder& operator=(const CheckFolder&) = delete;

    const std::string& Path() const { return m_path; }  // with a trailing backslash
    std::string File(const std::string& name) const { return m_path + name; }
    bool CopyIn(const std::string& source, const std::string& name) const;

private:
    std::string m_path;
};

// Runs the command line to its end, at most timeoutMs; its exit code, or -1
// when it could not start or did not end in time (it is then terminated).
long RunToEnd(const std::string& commandLine, DWORD timeoutMs);

// "key=value" lines.
std::map<std::string, std::string> ReadKeyValues(const std::string& path);

}  // namespace standins
