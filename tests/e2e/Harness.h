// Starting the real Velorix.exe and driving it from a test: its windows are
// reached with window messages, its state through the registry and files.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "res/resource.h"

namespace e2e {

std::string BinDir();      // the folder of the test program (and of Velorix.exe)
std::string BuildDir();    // the build folder above it
std::string VelorixExe();  // BinDir()\Velorix.exe
// An empty folder of the build tree for one test: BuildDir()\e2e-scratch\<name>.
std::string ScratchDir(const std::string& name);
bool CopyInto(const std::string& file, const std::string& folder, const std::string& newName = "");
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

// Registry helpers; paths below the root, values of the current user.
void DeleteKey(HKEY root, const std::string& path);
bool SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value);
bool SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const void* data, DWORD size);
bool SetString(HKEY root, const std::string& path, const std::string& name,
               const std::string& value);
std::optional<DWORD> GetDword(HKEY root, const std::string& path, const std::string& name);
std::optional<std::string> GetString(HKEY root, const std::string& path, const std::string& name);
bool DeleteValue(HKEY root, const std::string& path, const std::string& name);
std::vector<std::string> ValueNames(HKEY root, const std::string& path);
bool KeyExists(HKEY root, const std::string& path);

extern const char kSettingsKey[];  // SOFTWARE\Velorix
extern const char kRunKey[];       // ...\CurrentVersion\Run
extern const char kClientKey[];    // ...\Uninstall\uTorrent

// Removes what earlier runs stored: the settings key, the Run-key entry and
// the client's uninstall key.
void ResetUserState();

// Pumps the calling thread's messages for ms.
void Pump(DWORD ms);

// A real key press and release, to whatever window has the keyboard.
void PressKey(WORD key);

class Velorix {
public:
    explicit Velorix(const std::string& exe = VelorixExe(), const std::string& args = "",
                     const std::string& folder = "");
    ~Velorix();
    Velorix(const Velorix&) = delete;
    Velorix& operator=(const Velorix&) = delete;

    bool Started() const { return m_process.hProcess != nullptr; }
    DWORD Pid() const { return m_process.dwProcessId; }
    DWORD UiThread() const { return m_process.dwThreadId; }

    // The main dialog (the top-level dialog of the process holding button
    // IDC_ACCELERATE), waited for until it shows, that is until its initialisation
    // has ended; null when it was not created in time.
    HWND Main(DWORD timeoutMs = 10000);
    HWND Control(int id);
    std::string Text(int id);
    static std::string TextOf(HWND window);
    // A top-level window of the process other than the main dialog, with
    // this class (null: any) and caption (null: any).
    HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs = 5000);
    std::vector<HWND> Windows() const;

    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0);
    void Post(UINT msg, WPARAM w = 0, LPARAM l = 0);
    void Command(int id, int code = 0) { Send(WM_COMMAND, MAKEWPARAM(id, code), 0); }
    void Timer(UINT_PTR id, int ticks = 1);

    bool Running() const;
    // Waits for the process to end; its exit code in code.
    bool WaitExit(DWORD timeoutMs, DWORD* code = nullptr);
    void Kill();
    // Ends the process at once, without its exit, as the system does after
    // the session ended.
    void Terminate();

private:
    PROCESS_INFORMATION m_process{};
    HWND m_main = nullptr;
};

}  // namespace e2e
