#include "tests/standins/netfake/NetScript.h"

#include <cstdlib>
#include <sstream>

namespace standins {
namespace {

// Decimal or 0x hex, the whole field; the position moves past it.
bool ReadNumber(const std::string& line, std::string::size_type& pos, ULONG64& value)
{
    while (pos < line.size() && line[pos] == ' ')
        ++pos;
    if (pos >= line.size() || line[pos] == '-')
        return false;
    const char* start = line.c_str() + pos;
    char* end = nullptr;
    const bool hex = line.compare(pos, 2, "0x") == 0 || line.compare(pos, 2, "0X") == 0;
    value = std::strtoull(start, &end, hex ? 16 : 10);
    if (end == start || (*end != '\0' && *end != ' '))
        return false;
    pos += static_cast<std::string::size_type>(end - start);
    return true;
}

bool ReadWord(const std::string& line, std::string::size_type& pos, std::string& word)
{
    while (pos < line.size() && line[pos] == ' ')
        ++pos;
    const std::string::size_type end = line.find(' ', pos);
    word = line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    pos = end == std::string::npos ? line.size() : end;
    return !word.empty();
}

bool ReadDword(const std::string& line, std::string::size_type& pos, DWORD& value)
{
    ULONG64 wide = 0;
    if (!ReadNumber(line, pos, wide) || wide > 0xFFFFFFFFull)
        return false;
    value = static_cast<DWORD>(wide);
    return true;
}

void ParseInterface(const std::string& line, std::string::size_type pos, NetScript& script)
{
    NetInterface row;
    if (!ReadDword(line, pos, row.index) || !ReadNumber(line, pos, row.speed) ||
        !ReadNumber(line, pos, row.inOctets) || !ReadNumber(line, pos, row.outOctets)) {
        return;
    }
    if (pos < line.size())
        row.description = line.substr(pos + 1);
    script.interfaces.push_back(row);
}

void ParseAddress(const std::string& line, std::string::size_type pos, NetScript& script)
{
    NetAddress row;
    DWORD unused = 0;
    if (!ReadWord(line, pos, row.address) || !ReadWord(line, pos, row.mask) ||
        !ParseDottedAddress(row.address, unused) || !ParseDottedAddress(row.mask, unused)) {
        return;
    }
    if (pos < line.size() && !ReadDword(line, pos, row.interfaceIndex))
        return;
    script.addresses.push_back(row);
}

void ParseLine(const std::string& line, NetScript& script)
{
    std::string::size_type pos = 0;
    std::string keyword;
    if (!ReadWord(line, pos, keyword) || keyword[0] == '#')
        return;
    if (keyword == "if") {
        ParseInterface(line, pos, script);
    } else if (keyword == "addr") {
        ParseAddress(line, pos, script);
    } else if (keyword == "connected") {
        DWORD connected = 0;
        DWORD flags = 0;
        if (ReadDword(line, pos, connected) && connected <= 1 && ReadDword(line, pos, flags)) {
            script.connected = connected == 1;
            script.connectionFlags = flags;
        }
    } else if (keyword == "fail") {
        std::string function;
        DWORD code = 0;
        if (ReadWord(line, pos, function) && ReadDword(line, pos, code)) {
            script.failures[function] = code;
        }
    }
}

}  // namespace

std::string FormatNetScript(const NetScript& script)
{
    std::ostringstream text;
    for (const NetInterface& row : script.interfaces) {
        text << "if " << row.index << ' ' << row.speed << ' ' << row.inOctets << ' '
             << row.outOctets << ' ' << row.description << "\r\n";
    }
    for (const NetAddress& row : script.addresses) {
        text << "addr " << row.address << ' ' << row.mask << ' ' << row.interfaceIndex << "\r\n";
    }
    text << "connected " << (script.connected ? 1 : 0) << ' ' << script.connectionFlags << "\r\n";
    for (const auto& failure : script.failures) {
        text << "fail " << failure.first << ' ' << failure.second << "\r\n";
    }
    return text.str();
}

NetScript ParseNetScript(const std::string& text)
{
    NetScript script;
    std::string::size_type start = 0;
    while (start < text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            ParseLine(line, script);
        start = end + 1;
    }
    return script;
}

bool ParseDottedAddress(const std::string& text, DWORD& address)
{
    BYTE parts[4] = {};
    std::string::size_type pos = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != '.')
                return false;
            ++pos;
        }
        const std::string::size_type digits = text.find_first_not_of("0123456789", pos);
        const std::string::size_type end = digits == std::string::npos ? text.size() : digits;
        if (end == pos || end - pos > 3)
            return false;
        const int value = std::atoi(text.substr(pos, end - pos).c_str());
        if (value > 255)
            return false;
        parts[i] = static_cast<BYTE>(value);
        pos = end;
    }
    if (pos != text.size())
        return false;
    // The bytes in the order they are written are the network byte order.
    CopyMemory(&address, parts, sizeof address);
    return true;
}

}  // namespace standins
