#include "capture/IniFile.h"

#include "capture/ProgramFile.h"

#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstring>

CIniFile::CIniFile(const char* pszProgramPath)
{
    StorePath(IniPathFor(pszProgramPath ? CString(pszProgramPath) : GetProgramFilePath()),
              m_szPath);
}

int CIniFile::ReadInt(const char* pszSection, const char* pszKey, int nDefault) const
{
    if (!HasPath())
        return nDefault;
    // The profile function parses a leading '-' and returns the value's bits.
    return static_cast<int>(GetPrivateProfileIntA(pszSection, pszKey, nDefault, m_szPath));
}

void CIniFile::ReadText(const char* pszSection, const char* pszKey, const char* pszDefault,
                        char* pszBuffer, std::size_t cbBuffer) const
{
    if (cbBuffer == 0)
        return;
    if (!HasPath()) {
        const std::size_t nLength = std::min(std::strlen(pszDefault), cbBuffer - 1);
        std::memcpy(pszBuffer, pszDefault, nLength);
        pszBuffer[nLength] = '\0';
        return;
    }
    GetPrivateProfileStringA(pszSection, pszKey, pszDefault, pszBuffer,
                             static_cast<DWORD>(cbBuffer), m_szPath);
}

bool CIniFile::IsWritable() const
{
    if (!HasPath())
        return false;
    // Checked here because the profile functions rewrite a read-only file
    // whenever the process may write it anyway (an administrator, or Wine
    // running as root); a file marked read-only is to be left as it is.
    const DWORD dwAttributes = GetFileAttributesA(m_szPath);
    return dwAttributes == INVALID_FILE_ATTRIBUTES || !(dwAttributes & FILE_ATTRIBUTE_READONLY);
}

void CIniFile::WriteText(const char* pszSection, const char* pszKey, const char* pszText) const
{
    if (HasPath())
        WritePrivateProfileStringA(pszSection, pszKey, pszText, m_szPath);
}
