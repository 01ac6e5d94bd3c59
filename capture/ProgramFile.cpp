#include "capture/ProgramFile.h"

#include <winsock2.h>
#include <windows.h>

#include <vector>

std::string GetProgramFilePath()
{
    // 32767 characters is the longest path the system has; a result that
    // fills the buffer may have been cut, so the buffer grows until it fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD nLength = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (nLength == 0)
            return {};
        if (nLength < buffer.size())
            return std::string(buffer.data(), nLength);
        if (buffer.size() > 32767)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}
