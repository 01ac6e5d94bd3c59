#include "bench/LinkerMap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

namespace {

const char kMemoryMap[] = "Linker script and memory map";

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

bool EndsWith(const std::string& text, const char* suffix)
{
    const size_t length = std::strlen(suffix);
    return text.size() >= length && text.compare(text.size() - length, length, suffix) == 0;
}

std::string FileName(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsHex(const std::string& token)
{
    return token.size() > 2 && token[0] == '0' && token[1] == 'x' &&
           token.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string::npos;
}

unsigned long Hex(const std::string& token)
{
    return std::strtoul(token.c_str() + 2, nullptr, 16);
}

// Output sections that take room in the file: those with an address, less
// the uninitialised data and what a stripped file leaves out.
bool HeldInFile(const std::string& section)
{
    return section != ".bss" && !StartsWith(section, ".debug") && !StartsWith(section, ".zdebug") &&
           !StartsWith(section, ".stab");
}

class CClassifier {
public:
    explicit CClassifier(const std::vector<std::string>& sources) : m_sources(sources) {}

    ImagePart Of(const std::string& outputSection, const std::string& file) const
    {
        if (outputSection == ".reloc")
            return ImagePart::Relocations;
        if (StartsWith(outputSection, ".idata"))
            return ImagePart::Imports;
        if (EndsWith(file, ".res"))
            return ImagePart::Resources;
        const size_t open = file.find('(');
        if (open != std::string::npos && EndsWith(file, ")")) {
            const std::string archive = FileName(file.substr(0, open));
            const std::string member = file.substr(open + 1, file.size() - open - 2);
            return OfMember(archive, member);
        }
        return OfObject(FileName(file));
    }

private:
    ImagePart OfMember(const std::string& archive, const std::string& member) const
    {
        if (archive == "libstdc++.a" || archive == "libsupc++.a" || archive == "libgcc.a" ||
            archive == "libgcc_eh.a")
            return ImagePart::CxxRuntime;
        // MinGW-w64 ships winpthread as libpthread.a too.
        if (archive == "libwinpthread.a" || archive == "libpthread.a")
            return ImagePart::Threads;
        if (EndsWith(member, ".res"))
            return ImagePart::Resources;
        // dlltool names the members of an import library after the library.
        const std::string library = archive.substr(0, archive.size() - 2);
        if (EndsWith(archive, ".a") && StartsWith(member, library.c_str()))
            return ImagePart::Imports;
        if (EndsWith(member, ".obj"))
            return OfObject(member);
        return ImagePart::CRuntime;
    }

    ImagePart OfObject(const std::string& object) const
    {
        if (StartsWith(object, "crt") && EndsWith(object, ".o"))
            return ImagePart::CRuntime;
        // CMake names an object after its source: "Wnd.cpp.obj".
        if (!EndsWith(object, ".obj"))
            return ImagePart::Unknown;
        const std::string source = object.substr(0, object.size() - 4);
        for (const std::string& path : m_sources) {
            if (FileName(path) == source)
                return StartsWith(path, "framework/") ? ImagePart::Framework : ImagePart::Program;
        }
        return ImagePart::Unknown;
    }

    const std::vector<std::string>& m_sources;
};

// An input file as the table names it: the archive and member, or the
// object's file name.
std::string InputName(const std::string& file)
{
    const size_t open = file.find('(');
    if (open == std::string::npos)
        return FileName(file);
    return FileName(file.substr(0, open)) + file.substr(open);
}

std::vector<std::string> Tokens(const std::string& line, size_t most, std::string* rest)
{
    std::vector<std::string> tokens;
    std::istringstream in(line);
    std::string token;
    while (tokens.size() < most && in >> token)
        tokens.push_back(token);
    if (rest) {
        std::getline(in, *rest);
        const size_t first = rest->find_first_not_of(' ');
        *rest = first == std::string::npos ? std::string() : rest->substr(first);
    }
    return tokens;
}

}  // namespace

const char* ImagePartName(ImagePart part)
{
    static const char* const kNames[] = {
        "framework",    "program code",    "C++ runtime (libstdc++, libgcc)",
        "winpthread",   "MinGW C runtime", "import tables",
        "resources",    "relocations",     "alignment fill",
        "unattributed",
    };
    static_assert(sizeof kNames / sizeof kNames[0] == static_cast<size_t>(ImagePart::Count),
                  "a name for every part");
    return kNames[static_cast<size_t>(part)];
}

const char* ImagePartKey(ImagePart part)
{
    static const char* const kKeys[] = {
        "framework", "program",   "cxx_runtime", "threads", "c_runtime",
        "imports",   "resources", "relocations", "padding", "unattributed",
    };
    static_assert(sizeof kKeys / sizeof kKeys[0] == static_cast<size_t>(ImagePart::Count),
                  "a key for every part");
    return kKeys[static_cast<size_t>(part)];
}

ImageMakeUp ReadImageMakeUp(const std::string& mapText, const std::vector<std::string>& sources,
                            size_t largestCount)
{
    ImageMakeUp makeUp;
    const size_t start = mapText.find(kMemoryMap);
    if (start == std::string::npos)
        return makeUp;
    const CClassifier classify(sources);
    std::map<std::string, unsigned long> byInput;
    std::string line, output, pendingName;
    auto add = [&](const std::string& file, unsigned long bytes) {
        makeUp.bytes[static_cast<size_t>(classify.Of(output, file))] += bytes;
        byInput[InputName(file)] += bytes;
    };
    std::istringstream in(mapText.substr(start));
    bool inFile = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (line[0] != ' ') {
            // An output section: "<name> 0x<address> 0x<size>".
            const std::vector<std::string> tokens = Tokens(line, 3, nullptr);
            output = tokens[0];
            inFile = tokens.size() == 3 && IsHex(tokens[1]) && IsHex(tokens[2]) &&
                     Hex(tokens[1]) != 0 && HeldInFile(output);
            if (inFile) {
                makeUp.sectionBytes += Hex(tokens[2]);
                makeUp.parsed = true;
            }
            pendingName.clear();
            continue;
        }
        if (!inFile)
            continue;
        std::string file;
        if (line[1] != ' ') {
            // An input section at the first indent: "<name> 0x<address>
            // 0x<size> <file>", or a long name alone with its figures on
            // the next line.
            const std::vector<std::string> tokens = Tokens(line, 3, &file);
            pendingName.clear();
            if (tokens.size() == 1 && (tokens[0][0] == '.' || tokens[0] == "COMMON")) {
                pendingName = tokens[0];
                continue;
            }
            if (tokens.size() < 3 || !IsHex(tokens[1]) || !IsHex(tokens[2]))
                continue;
            if (tokens[0] == "*fill*") {
                makeUp.bytes[static_cast<size_t>(ImagePart::Padding)] += Hex(tokens[2]);
                continue;
            }
            add(file, Hex(tokens[2]));
            continue;
        }
        if (pendingName.empty())
            continue;  // symbols and assignments
        const std::vector<std::string> tokens = Tokens(line, 2, &file);
        pendingName.clear();
        if (tokens.size() == 2 && IsHex(tokens[0]) && IsHex(tokens[1]) && !file.empty())
            add(file, Hex(tokens[1]));
    }
    makeUp.largest.assign(byInput.begin(), byInput.end());
    std::sort(makeUp.largest.begin(), makeUp.largest.end(),
              [](const auto& a, const auto& b) { return a.second > b.second; });
    if (makeUp.largest.size() > largestCount)
        makeUp.largest.resize(largestCount);
    return makeUp;
}
