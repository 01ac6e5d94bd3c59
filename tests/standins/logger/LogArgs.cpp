// Stands in for the programs Velorix starts: records how it was started and
// ends at once, showing nothing.
#include "tests/standins/common/ModuleFiles.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 0;
    standins::AppendLine(standins::WithExtension(std::string(path, length), ".log"),
                         GetCommandLineA());
    return 0;
}
