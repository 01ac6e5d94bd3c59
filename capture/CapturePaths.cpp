#include "capture/CapturePaths.h"

std::string IniPathFor(const std::string& programPath)
{
    if (programPath.empty() || programPath.size() >= kIniPathSize)
        return {};
    std::string path = programPath;
    const std::size_t nDot = path.rfind('.');
    const std::size_t nSlash = path.rfind('\\');
    if (nDot != std::string::npos && (nSlash == std::string::npos || nDot > nSlash))
        path.erase(nDot);
    path += ".ini";
    return path.size() < kIniPathSize ? path : std::string();
}

std::string ServicesPathFor(const std::string& programPath)
{
    if (programPath.empty() || programPath.size() >= kServicesPathSize)
        return {};
    const std::size_t nSlash = programPath.rfind('\\');
    std::string path = nSlash == std::string::npos ? std::string() : programPath.substr(0, nSlash + 1);
    path += "services";
    return path.size() < kServicesPathSize ? path : std::string();
}
