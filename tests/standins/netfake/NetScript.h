// The answers the IP Helper and WinINet stand-ins give, as a test writes them.
//
// The DLLs read "netfake.txt" beside themselves anew at every call, so a test
// may rewrite it between two timer ticks of the program. One line each:
//
//   if <index> <speed> <in octets> <out octets> <description>
//       An interface, listed in file order (GetIfTable with the sorting flag
//       orders by index). Speed in bit/s; octets are 64-bit decimal, of which
//       GetIfTable reports the low 32 bits and GetIfEntry2 all 64. The
//       description is the rest of the line after one blank, taken byte for
//       byte; one of 256 bytes or more fills bDescr with no terminator.
//   addr <address> <mask> [<interface index>]
//       A local IPv4 address in dotted decimal, listed in file order.
//   connected <0|1> <flags>
//       InternetGetConnectedState's answer and flags word (decimal or 0x hex).
//       Without this line: FALSE, flags 0.
//   fail <function> <code>
//       The named function answers the code (decimal or 0x hex) and writes
//       nothing, e.g. "fail GetIfTable 31".
//
// Blank lines, lines starting with '#' and lines that do not parse are
// skipped. A missing file means no interfaces, no addresses, not connected.
//
// Every call of a stand-in function appends one line to "netfake-calls.log"
// beside the DLLs: the function name, a blank, and what it was asked and
// answered, e.g. "GetIfTable size=0 order=1 -> 122 size=1724".
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace standins {

struct NetInterface {
    DWORD index = 0;
    ULONG64 speed = 0;
    ULONG64 inOctets = 0;
    ULONG64 outOctets = 0;
    std::string description;
};

struct NetAddress {
    std::string address;  // dotted decimal
    std::string mask;
    DWORD interfaceIndex = 0;
};

struct NetScript {
    std::vector<NetInterface> interfaces;
    std::vector<NetAddress> addresses;
    bool connected = false;
    DWORD connectionFlags = 0;
    std::map<std::string, DWORD> failures;  // function name -> answer
};

std::string FormatNetScript(const NetScript& script);
NetScript ParseNetScript(const std::string& text);

// Writes the script to path so that a reader sees either the old file or the
// new one, never a part of it. False when the file could not be replaced
// within about half a second (a reader kept it open all that time).
bool WriteNetScript(const std::string& path, const NetScript& script);

// Dotted decimal to an address in network byte order; false when malformed.
bool ParseDottedAddress(const std::string& text, DWORD& address);

// How many lines of a call log name the function.
int CountNetCalls(const std::string& logPath, const std::string& function);

}  // namespace standins
