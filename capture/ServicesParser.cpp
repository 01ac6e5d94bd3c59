#include "capture/ServicesParser.h"

#include "capture/ProgramFile.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct FileCloser
{
    void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

} // namespace

ServicesReadResult ReadServicesFile(const char* pszPath)
{
    ServicesReadResult result;
    const FilePtr pFile(std::fopen(pszPath, "rt"));
    if (!pFile)
        return result;
    result.bOpened = true;
    char szLine[kServicesLineSize];
    while (std::fgets(szLine, sizeof szLine, pFile.get())) {
        const std::size_t nLength = std::strlen(szLine);
        result.nCharacters += nLength;
        if (nLength > result.nLongestPiece)
            result.nLongestPiece = nLength;
    }
    return result;
}

CServicesParser::CServicesParser(const char* pszProgramPath)
{
    StorePath(ServicesPathFor(pszProgramPath ? std::string(pszProgramPath) : GetProgramFilePath()), m_szPath);
    if (m_szPath[0] != '\0')
        ReadServicesFile(m_szPath);
}
