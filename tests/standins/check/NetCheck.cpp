// A windowed program with the imports of Velorix (IP Helper and WinINet at
// load time among them) that reports what the network stand-ins answer, so
// standin_checks can see them work under the per-program override. It writes
// "netcheck.out" beside itself, one "key=value" line each, and exits 0.
//   netcheck              the answers
//   netcheck reread       the interface count, then again after it added one
//                         interface to the script
//   netcheck open <url>   also ShellExecuteA's result for opening the address
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <commctrl.h>
#include <iphlpapi.h>
#include <shellapi.h>
#include <wininet.h>

#include <sstream>
#include <vector>

#include "tests/standins/StandIns.h"
#include "tests/standins/common/ModuleFiles.h"
#include "tests/standins/netfake/NetScript.h"

namespace {

std::string Dotted(DWORD address)
{
    const BYTE* b = reinterpret_cast<const BYTE*>(&address);
    std::ostringstream text;
    text << int(b[0]) << '.' << int(b[1]) << '.' << int(b[2]) << '.' << int(b[3]);
    return text.str();
}

void ReportIfTable(std::ostringstream& out)
{
    ULONG size = 0;
    DWORD result = GetIfTable(NULL, &size, TRUE);
    out << "iftable_null=" << result << ' ' << size << '\n';
    if (result != ERROR_INSUFFICIENT_BUFFER || size < sizeof(MIB_IFTABLE))
        return;
    std::vector<BYTE> buffer(size + 1);
    ULONG shortSize = size - 1;
    result = GetIfTable(reinterpret_cast<PMIB_IFTABLE>(buffer.data()), &shortSize, TRUE);
    out << "iftable_short=" << result << ' ' << shortSize << '\n';
    result = GetIfTable(reinterpret_cast<PMIB_IFTABLE>(buffer.data()), &size, TRUE);
    const MIB_IFTABLE* table = reinterpret_cast<const MIB_IFTABLE*>(buffer.data());
    out << "iftable=" << result << ' ' << (result == NO_ERROR ? table->dwNumEntries : 0) << '\n';
    for (DWORD i = 0; result == NO_ERROR && i < table->dwNumEntries; ++i) {
        const MIB_IFROW& row = table->table[i];
        const size_t length = strnlen(reinterpret_cast<const char*>(row.bDescr), sizeof row.bDescr);
        out << "row" << i << '=' << row.dwIndex << ' ' << row.dwSpeed << ' ' << row.dwInOctets
            << ' ' << row.dwOutOctets << ' ' << row.dwDescrLen << ' '
            << std::string(reinterpret_cast<const char*>(row.bDescr), length) << '\n';
    }
}

// Resolved at run time, so this program also starts with the stand-in that
// lacks it.
DWORD InterfaceCount()
{
    typedef DWORD(WINAPI * CountFunction)(PDWORD);
    const CountFunction count = reinterpret_cast<CountFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("iphlpapi.dll"), "GetNumberOfInterfaces")));
    DWORD value = 0;
    return count && count(&value) == NO_ERROR ? value : 0xFFFFFFFFul;
}

void ReportIfEntry2(std::ostringstream& out)
{
    for (DWORD index : {2u, 7u, 99u}) {
        MIB_IF_ROW2 row = {};
        row.InterfaceIndex = index;
        const DWORD result = GetIfEntry2(&row);
        out << "entry2_" << index << '=' << result << ' ' << row.InOctets << ' ' << row.OutOctets
            << ' ' << row.TransmitLinkSpeed << '\n';
    }
    PMIB_IF_TABLE2 table = NULL;
    const DWORD result = GetIfTable2(&table);
    out << "iftable2=" << result << ' ' << (table ? table->NumEntries : 0) << '\n';
    if (table)
        FreeMibTable(table);
}

void ReportAddresses(std::ostringstream& out)
{
    std::vector<BYTE> buffer(100 * 28);  // what Velorix passes: 100 rows of 28 bytes
    ULONG size = static_cast<ULONG>(buffer.size());
    const DWORD result =
        GetIpAddrTable(reinterpret_cast<PMIB_IPADDRTABLE>(buffer.data()), &size, FALSE);
    const MIB_IPADDRTABLE* table = reinterpret_cast<const MIB_IPADDRTABLE*>(buffer.data());
    out << "ipaddr=" << result << ' ' << (result == NO_ERROR ? table->dwNumEntries : 0) << '\n';
    for (DWORD i = 0; result == NO_ERROR && i < table->dwNumEntries; ++i) {
        out << "addr" << i << '=' << Dotted(table->table[i].dwAddr) << ' '
            << Dotted(table->table[i].dwMask) << '\n';
    }
}

// What the rest of the program needs still works with our DLLs in place.
void ReportPlatform(std::ostringstream& out)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    out << "commctrl=" << InitCommonControlsEx(&controls) << '\n';
    const HRESULT com = CoInitialize(NULL);
    out << "com=" << SUCCEEDED(com) << '\n';
    const HWND window = CreateWindowExA(0, "STATIC", "netcheck", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                        GetModuleHandleA(NULL), NULL);
    out << "window=" << (window != NULL) << '\n';
    if (window)
        DestroyWindow(window);
    WSADATA data;
    out << "wsastartup=" << WSAStartup(MAKEWORD(1, 1), &data) << '\n';
    const SOCKET udp = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    out << "bind="
        << (udp != INVALID_SOCKET &&
            bind(udp, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0)
        << '\n';
    if (udp != INVALID_SOCKET)
        closesocket(udp);
    char host[256] = {};
    out << "gethostname=" << gethostname(host, sizeof host) << '\n';
    if (SUCCEEDED(com))
        CoUninitialize();
}

void Reread(std::ostringstream& out)
{
    const DWORD before = InterfaceCount();
    const std::string path = standins::FileBesideModule(NULL, standins::kNetScript);
    std::string text;
    standins::ReadWholeFile(path, text);
    standins::NetScript script = standins::ParseNetScript(text);
    standins::NetInterface added;
    added.index = 1000;
    added.description = "added";
    script.interfaces.push_back(added);
    standins::WriteNetScript(path, script);
    const DWORD after = InterfaceCount();
    out << "reread=" << before << ' ' << after << '\n';
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::ostringstream out;
    const HMODULE loaded = LoadLibraryA("Iphlpapi.dll");
    out << "loaded_ifcount=" << (loaded && GetProcAddress(loaded, "GetNumberOfInterfaces")) << '\n';
    out << "loaded_same=" << (loaded == GetModuleHandleA("iphlpapi.dll")) << '\n';
    if (__argc >= 2 && std::string(__argv[1]) == "reread") {
        Reread(out);
    } else {
        ReportIfTable(out);
        out << "ifcount=" << InterfaceCount() << '\n';
        ReportIfEntry2(out);
        ReportAddresses(out);
        DWORD flags = 0;
        const BOOL connected = InternetGetConnectedState(&flags, 0);
        out << "connected=" << connected << ' ' << flags << '\n';
        ReportPlatform(out);
    }
    if (__argc >= 3 && std::string(__argv[1]) == "open") {
        const HINSTANCE opened = ShellExecuteA(NULL, "open", __argv[2], NULL, NULL, SW_SHOWNORMAL);
        out << "open=" << reinterpret_cast<INT_PTR>(opened) << '\n';
    }
    std::string text = out.str();
    standins::FileHandle file(CreateFileA(standins::FileBesideModule(NULL, "netcheck.out").c_str(),
                                          GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, NULL));
    DWORD written = 0;
    if (file.IsValid())
        WriteFile(file.Get(), text.data(), DWORD(text.size()), &written, NULL);
    return 0;
}
