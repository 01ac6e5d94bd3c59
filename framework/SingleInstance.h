// One running copy of a program per user session. The first copy holds a
// small named record and publishes its main window there; a later copy
// finds that window through the record and hands over to it.
#pragma once
#include "framework/Win32.h"

class CSingleInstance {
public:
    CSingleInstance() = default;
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // False while another copy holds the record name ("Local\..." for the
    // user's session); true for the first copy, and for a copy that can
    // make no record at all, which then runs on its own.
    bool Claim(const char* name);
    // The first copy's main window, for later copies to find.
    void Publish(HWND window);
    // The window the first copy published, waited for up to timeoutMs
    // while that copy is still starting; null when none appears.
    HWND FindFirst(DWORD timeoutMs) const;

private:
    void Close();

    HANDLE m_mapping = nullptr;
    volatile LONG* m_record = nullptr;
    bool m_first = false;
};
