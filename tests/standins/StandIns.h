// Names shared by the stand-ins for the outside components and the tests that
// use them. Build outputs live under <build>/standins/<name>/, so from a test
// program in <build>/bin they are "..\standins\<name>\<file>".
#pragma once

namespace standins {

// The skin engine: an in-process automation server registered under the
// engine's ProgID. The class identifier is our own.
constexpr char kSkinProgId[] = "SkinCrafter.SCSkin3";
constexpr char kSkinClsid[] = "{C2D8C8D8-074A-4DDC-8539-368BC81837B2}";
constexpr char kSkinDll[] = "..\\standins\\skin\\SkinStandIn.dll";

// Written beside the DLL, appended, one line per IDispatch::Invoke:
//   dispid=<n> argc=<n> named=<n> flags=<wFlags> lcid=<n> iid=<null|other>
//   result=<none|wanted>[ arg<k>=<VARTYPE>:<value>]...
// k counts from 1 in the caller's order (rgvarg holds them last first);
// VT_I4 is shown in decimal, VT_BSTR as narrow text, any other type as "?".
// Example: "dispid=2 argc=1 named=0 flags=1 lcid=0 iid=null result=none arg1=8:Skin.skf"
constexpr char kSkinCallLog[] = "skin-calls.log";

// Optional, beside the DLL, read at every call: lines "<dispid> <hresult>"
// (hresult in decimal or 0x hex) make Invoke answer that result for that
// dispatch identifier; every other call answers S_OK.
constexpr char kSkinAnswers[] = "skin-answers.txt";

// The logging program: appends its raw command line, exactly, as one line
// (CRLF-terminated) to "<its own name without extension>.log" beside itself
// and exits 0. Tests copy it under the names of the programs it replaces.
constexpr char kLoggerExe[] = "..\\standins\\logger\\logargs.exe";
constexpr char kClientExe[] = "uTorrent.exe";
constexpr char kUpdaterExe[] = "Renewix.exe";
constexpr char kBrowserExe[] = "browser.exe";

// IP Helper and WinINet stand-ins, used with a per-program DLL override.
// The script format is described in netfake/NetScript.h.
constexpr char kNetFakeDir[] = "..\\standins\\netfake";
constexpr char kNetFakeNoIfCountDir[] = "..\\standins\\netfake-noifcount";
constexpr char kIpHelperDll[] = "iphlpapi.dll";
constexpr char kWinInetDll[] = "wininet.dll";
constexpr char kNetScript[] = "netfake.txt";
// Beside the DLLs, appended, one line per call of a stand-in function:
//   <function name> <details>
constexpr char kNetCallLog[] = "netfake-calls.log";

}  // namespace standins
