#include "tests/e2e/Harness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace e2e {

const char kSettingsKey[] = "SOFTWARE\\Velorix";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kClientKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\uTorrent";

std::string BinDir()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text(path, length);
    return text.substr(0, text.find_last_of('\\'));
}

std::string BuildDir()
{
    const std::string bin = BinDir();
    return bin.substr(0, bin.find_last_of('\\'));
}

std::string VelorixExe()
{
    return BinDir() + "\\Velorix.exe";
}

namespace {

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string ScratchDir(const std::string& name)
{
    const std::string root = BuildDir() + "\\e2e-scratch";
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string folder = root + "\\" + name;
    RemoveTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

bool CopyInto(const std::string& file, const std::string& folder, const std::string& newName)
{
    std::string name = newName;
    if (name.empty())
        name = file.substr(file.find_last_of('\\') + 1);
    return CopyFileA(file.c_str(), (folder + "\\" + name).c_str(), FALSE) != 0;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void DeleteKey(HKEY root, const std::string& path)
{
    RegDeleteTreeA(root, path.c_str());
    RegDeleteKeyA(root, path.c_str());
}

bool SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
              const void* data, DWORD size)
{
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result =
        RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value)
{
    return SetValue(root, path, name, REG_DWORD, &value, sizeof value);
}

bool SetString(HKEY root, const std::string& path, const std::string& name,
               const std::string& value)
{
    return SetValue(root, path, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

std::optional<DWORD> GetDword(HKEY root, const std::string& path, const std::string& name)
{
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegGetValueA(root, path.c_str(), name.c_str(), RRF_RT_ANY, &type, &value, &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

std::optional<std::string> GetString(HKEY root, const std::string& path, const std::string& name)
{
    char value[2048];
    DWORD size = sizeof value, type = 0;
    if (RegGetValueA(root, path.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, value,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return std::nullopt;
    return std::string(value, size > 0 ? strnlen(value, size) : 0);
}

bool DeleteValue(HKEY root, const std::string& path, const std::string& name)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return false;
    const LONG result = RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

std::vector<std::string> ValueNames(HKEY root, const std::string& path)
{
    std::vector<std::string> names;
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

bool KeyExists(HKEY root, const std::string& path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void ResetUserState()
{
    DeleteKey(HKEY_CURRENT_USER, kSettingsKey);
    DeleteValue(HKEY_CURRENT_USER, kRunKey, "Velorix");
    DeleteKey(HKEY_CURRENT_USER, kClientKey);
}

void Pump(DWORD ms)
{
    const DWORD end = GetTickCount() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(end - now) <= 0)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now > 20 ? 20 : end - now, QS_ALLINPUT);
    }
}

Velorix::Velorix(const std::string& exe, const std::string& args, const std::string& folder)
{
    std::string command = "\"" + exe + "\"";
    if (!args.empty())
        command += " " + args;
    std::string dir = folder;
    if (dir.empty())
        dir = exe.substr(0, exe.find_last_of('\\'));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                        &startup, &m_process))
        m_process = PROCESS_INFORMATION{};
}

Velorix::~Velorix()
{
    Kill();
}

void Velorix::Terminate()
{
    if (!m_process.hProcess)
        return;
    TerminateProcess(m_process.hProcess, 99);
    WaitForSingleObject(m_process.hProcess, 5000);
}

void PressKey(WORD key)
{
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Pump(200);
}

void Velorix::Kill()
{
    if (!m_process.hProcess)
        return;
    // The tray menu's Exit first, so the program removes its tray icon and
    // ends as a user would end it; terminated when that does not work.
    if (Running() && m_main && IsWindow(m_main)) {
        PostMessageA(m_main, WM_COMMAND, ID_APP_EXIT_TRAY, 0);
        WaitForSingleObject(m_process.hProcess, 2000);
    }
    if (Running()) {
        TerminateProcess(m_process.hProcess, 99);
        WaitForSingleObject(m_process.hProcess, 5000);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
    m_process = PROCESS_INFORMATION{};
}

namespace {

struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM l)
{
    auto* search = reinterpret_cast<WindowSearch*>(l);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid)
        search->found.push_back(hwnd);
    return TRUE;
}

std::string ClassOf(HWND hwnd)
{
    char name[256] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

}  // namespace

std::vector<HWND> Velorix::Windows() const
{
    WindowSearch search{m_process.dwProcessId, {}};
    if (search.pid)
        EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Velorix::Main(DWORD timeoutMs)
{
    if (m_main && IsWindow(m_main))
        return m_main;
    // The dialog exists while its initialisation still runs; it is the main
    // window once it shows. One that never shows is given after the wait.
    HWND found = nullptr;
    const DWORD start = GetTickCount();
    do {
        for (HWND hwnd : Windows()) {
            if (ClassOf(hwnd) == "#32770" && GetDlgItem(hwnd, IDC_ACCELERATE))
                found = hwnd;
        }
        if (found && IsWindowVisible(found))
            break;
        if (!Running())
            break;
        Pump(20);
    } while (GetTickCount() - start < timeoutMs);
    if (found && IsWindow(found))
        m_main = found;
    return found;
}

HWND Velorix::WaitForWindow(const char* className, const char* caption, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    do {
        for (HWND hwnd : Windows()) {
            if (hwnd == m_main || !IsWindowVisible(hwnd))
                continue;
            if (className && ClassOf(hwnd) != className)
                continue;
            if (caption && TextOf(hwnd) != caption)
                continue;
            return hwnd;
        }
        Pump(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND Velorix::Control(int id)
{
    HWND main = Main();
    return main ? GetDlgItem(main, id) : nullptr;
}

std::string Velorix::TextOf(HWND window)
{
    char text[1024] = "";
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    return std::string(text, strnlen(text, sizeof text));
}

std::string Velorix::Text(int id)
{
    HWND control = Control(id);
    return control ? TextOf(control) : std::string("<no control>");
}

LRESULT Velorix::Send(UINT msg, WPARAM w, LPARAM l)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(Main(), msg, w, l, SMTO_NORMAL, 10000, &result);
    return static_cast<LRESULT>(result);
}

void Velorix::Post(UINT msg, WPARAM w, LPARAM l)
{
    PostMessageA(Main(), msg, w, l);
}

void Velorix::Timer(UINT_PTR id, int ticks)
{
    for (int i = 0; i < ticks; ++i)
        Send(WM_TIMER, id, 0);
}

bool Velorix::Running() const
{
    DWORD code = 0;
    return m_process.hProcess && GetExitCodeProcess(m_process.hProcess, &code) &&
           code == STILL_ACTIVE;
}

bool Velorix::WaitExit(DWORD timeoutMs, DWORD* code)
{
    if (!m_process.hProcess)
        return false;
    const DWORD start = GetTickCount();
    while (Running()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Pump(20);
    }
    if (code)
        GetExitCodeProcess(m_process.hProcess, code);
    return true;
}

}  // namespace e2e
