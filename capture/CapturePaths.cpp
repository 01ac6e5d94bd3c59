#include "capture/CapturePaths.h"

CString IniPathFor(const char* pszProgramPath)
{
    const std::size_t nLength = pszProgramPath ? std::strlen(pszProgramPath) : 0;
    if (nLength == 0 || nLength >= kIniPathSize)
        return CString();
    const char* pszDot = std::strrchr(pszProgramPath, '.');
    const char* pszSlash = std::strrchr(pszProgramPath, '\\');
    const bool bExtension = pszDot && (!pszSlash || pszDot > pszSlash);
    CString path = CString(pszProgramPath)
                       .Left(bExtension ? static_cast<int>(pszDot - pszProgramPath)
                                        : static_cast<int>(nLength));
    path += ".ini";
    return std::strlen(path) < kIniPathSize ? path : CString();
}

CString ServicesPathFor(const char* pszProgramPath)
{
    const std::size_t nLength = pszProgramPath ? std::strlen(pszProgramPath) : 0;
    if (nLength == 0 || nLength >= kServicesPathSize)
        return CString();
    const char* pszSlash = std::strrchr(pszProgramPath, '\\');
    CString path =
        pszSlash ? CString(pszProgramPath).Left(static_cast<int>(pszSlash - pszProgramPath) + 1)
                 : CString();
    path += "services";
    return std::strlen(path) < kServicesPathSize ? path : CString();
}
