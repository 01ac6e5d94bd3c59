#include "tests/standins/logger/LoggerSupport.h"

#include "tests/standins/common/ModuleFiles.h"
#include "tests/standins/common/RegKey.h"

namespace standins {
namespace {

const char* const kSchemes[] = {"http", "https"};

std::string CommandKey(const char* scheme)
{
    return std::string("Software\\Classes\\") + scheme + "\\shell\\open\\command";
}

bool SetOpenCommand(const std::string& command)
{
    bool ok = true;
    for (const char* scheme : kSchemes) {
        RegKey key;
        ok = key.Create(HKEY_LOCAL_MACHINE, CommandKey(scheme)) && key.SetString("", command) && ok;
    }
    return ok;
}

}  // namespace

bool RegisterUrlHandler(const std::string& programPath)
{
    return SetOpenCommand("\"" + programPath + "\" \"%1\"");
}

// The command a fresh prefix holds for both schemes.
bool UnregisterUrlHandler()
{
    char system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    return SetOpenCommand("\"" + std::string(system, length) + "\\winebrowser.exe\" \"%1\"");
}

std::vector<std::string> ReadLogLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::string text;
    if (!ReadWholeFile(path, text))
        return lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string LogPathOf(const std::string& programPath)
{
    return WithExtension(programPath, ".log");
}

}  // namespace standins
