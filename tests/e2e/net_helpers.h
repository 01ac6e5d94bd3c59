// Helpers of the network monitor's end-to-end tests: a copy of the program
// beside the IP Helper and WinINet stand-ins, the script they answer from,
// and the Network Interface list and panel as the window shows them.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/Harness.h"
#include "tests/standins/netfake/NetScript.h"

namespace net {

// A scratch folder holding Velorix.exe and the stand-in DLLs of folder
// (standins::kNetFakeDir or kNetFakeNoIfCountDir), with the per-program
// override that makes the copy load them. The override goes with the object.
class FakeNetwork {
public:
    FakeNetwork(const std::string& scratchName, const char* standInFolder);
    ~FakeNetwork();
    FakeNetwork(const FakeNetwork&) = delete;
    FakeNetwork& operator=(const FakeNetwork&) = delete;

    bool Ready() const { return m_ready; }
    // Rewrites the script the stand-ins read at every call.
    bool Write(const standins::NetScript& script) const;
    std::unique_ptr<e2e::Velorix> Start() const;
    // How many calls of function the stand-ins have answered so far.
    int Calls(const char* function) const;
    std::vector<std::string> CallLog() const;

private:
    std::string m_folder;
    bool m_ready = false;
};

standins::NetInterface Interface(DWORD index, const std::string& description, ULONG64 speed = 0,
                                 ULONG64 in = 0, ULONG64 out = 0);

// The main dialog once its initialisation has ended, when it shows (it is
// found as soon as it exists, while its initialisation still runs); null
// when it does not show in time.
HWND Opened(e2e::Velorix& app);

// The combobox's entries, read in their wide form (the narrow one does not
// cross processes under Wine).
std::vector<std::string> Entries(e2e::Velorix& app);
int Selection(e2e::Velorix& app);
// Selects entry as the user would: the selection, then its notification.
void Choose(e2e::Velorix& app, int entry);

// " 1 hrs :  2 mins :  3 secs" as 3723; -1 when the text has another shape.
long SecondsOf(const std::string& clock);
std::string ClockText(long seconds);

}  // namespace net
