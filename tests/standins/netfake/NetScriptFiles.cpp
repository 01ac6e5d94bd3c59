// The file side of NetScript, for test programs only.
#include "tests/standins/common/ModuleFiles.h"
#include "tests/standins/netfake/NetScript.h"

namespace standins {

bool WriteNetScript(const std::string& path, const NetScript& script)
{
    const std::string text = FormatNetScript(script);
    const std::string temporary = path + ".new";
    {
        FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, NULL));
        if (!file.IsValid())
            return false;
        DWORD written = 0;
        if (!WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, NULL) ||
            written != text.size()) {
            return false;
        }
    }
    // Wine replaces no file that is open, whatever its sharing. The DLLs hold
    // the script only while they read it, so a few retries get past them.
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
            return true;
        Sleep(10);
    }
    DeleteFileA(temporary.c_str());
    return false;
}

int CountNetCalls(const std::string& logPath, const std::string& function)
{
    std::string text;
    if (!ReadWholeFile(logPath, text))
        return 0;
    const std::string prefix = function + " ";
    int count = 0;
    std::string::size_type start = 0;
    while (start < text.size()) {
        if (text.compare(start, prefix.size(), prefix) == 0)
            ++count;
        const std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return count;
}

}  // namespace standins
