#include "tests/standins/check/CheckFolder.h"

#include <shellapi.h>

#include <vector>

#include "tests/standins/logger/LoggerSupport.h"

namespace standins {
namespace {

class ProcessHandles {
public:
    ProcessHandles() { ZeroMemory(&m_info, sizeof m_info); }
    ~ProcessHandles()
    {
        if (m_info.hThread)
            CloseHandle(m_info.hThread);
        if (m_info.hProcess)
            CloseHandle(m_info.hProcess);
    }
    ProcessHandles(const ProcessHandles&) = delete;
    ProcessHandles& operator=(const ProcessHandles&) = delete;
    PROCESS_INFORMATION* Get() { return &m_info; }

private:
    PROCESS_INFORMATION m_info;
};

}  // namespace

CheckFolder::CheckFolder()
{
    char temp[MAX_PATH] = {};
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    static LONG s_sequence = 0;
    const LONG sequence = InterlockedIncrement(&s_sequence);
    m_path = std::string(temp, length < MAX_PATH ? length : 0) + "standin-check-" +
             std::to_string(GetCurrentProcessId()) + "-" + std::to_string(sequence) + "\\";
    CreateDirectoryA(m_path.c_str(), NULL);
}

// A DLL still loaded from here keeps its file; the rest goes.
CheckFolder::~CheckFolder()
{
    std::vector<char> from(m_path.begin(), m_path.end() - 1);
    from.push_back('\0');
    from.push_back('\0');  // the list of names ends with an empty one
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.data();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationA(&operation);
}

bool CheckFolder::CopyIn(const std::string& source, const std::string& name) const
{
    return CopyFileA(source.c_str(), File(name).c_str(), FALSE) != FALSE;
}

long RunToEnd(const std::string& commandLine, DWORD timeoutMs)
{
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    ProcessHandles process;
    if (!CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                        process.Get())) {
        return -1;
    }
    if (WaitForSingleObject(process.Get()->hProcess, timeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.Get()->hProcess, 1);
        WaitForSingleObject(process.Get()->hProcess, timeoutMs);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.Get()->hProcess, &code);
    return static_cast<long>(code);
}

std::map<std::string, std::string> ReadKeyValues(const std::string& path)
{
    std::map<std::string, std::string> values;
    for (const std::string& line : ReadLogLines(path)) {
        const std::string::size_type equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

}  // namespace standins
