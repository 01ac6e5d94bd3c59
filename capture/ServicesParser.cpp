#include "capture/ServicesParser.h"

#include "capture/ProgramFile.h"

#include <cstdio>
#include <cstddef>
#include <memory>

namespace {

// Each piece is a line, or as much of a longer line as fits the buffer.
constexpr std::size_t kServicesLineSize = 300;

struct FileCloser {
    void operator()(std::FILE* pFile) const { std::fclose(pFile); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

void ReadServicesFile(const char* pszPath)
{
    const FilePtr pFile(std::fopen(pszPath, "rt"));
    if (!pFile)
        return;
    char szLine[kServicesLineSize];
    while (std::fgets(szLine, sizeof szLine, pFile.get())) {
    }
}

}  // namespace

CServicesParser::CServicesParser(const char* pszProgramPath)
{
    StorePath(ServicesPathFor(pszProgramPath ? CString(pszProgramPath) : GetProgramFilePath()),
              m_szPath);
    if (m_szPath[0] != '\0')
        ReadServicesFile(m_szPath);
}
