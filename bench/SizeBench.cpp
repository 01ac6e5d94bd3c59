#include "bench/SizeBench.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "framework/Win32.h"

namespace {

unsigned long FileBytes(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) || data.nFileSizeHigh)
        return 0;
    return data.nFileSizeLow;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

}  // namespace

SizeFigures MeasureSize(const SizePlan& plan)
{
    SizeFigures figures;
    figures.fileBytes = FileBytes(plan.velorixExe);
    figures.twinBytes = FileBytes(plan.twinExe);
    figures.makeUp = ReadImageMakeUp(ReadAll(plan.mapFile), Lines(ReadAll(plan.sourcesFile)));
    figures.ran = figures.fileBytes > 0 && figures.makeUp.parsed;
    return figures;
}
