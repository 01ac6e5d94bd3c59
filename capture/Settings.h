#pragma once

#include "capture/IniFile.h"

#include <cstdint>

// The capture module's settings: read from the settings file when built,
// written back to it, complete and normalised, when destroyed.
class CSettings : public CIniFile {
public:
    explicit CSettings(const char* pszProgramPath = nullptr);
    ~CSettings() override;

    // Writes the settings back now, once: a later call, and the destructor,
    // write nothing.
    void WriteBack();

    // [main]
    int m_nAlwaysOnTop = 0;
    int m_nNsResolve = 0;
    int m_nPortResolve = 0;
    std::uint32_t m_dwIdleTime = 0;  // milliseconds
    // "idleseconds" as read: m_dwIdleTime cannot hold more than 4294967 s,
    // so the value written back comes from here.
    std::uint32_t m_dwIdleSeconds = 0;
    // [filters]
    int m_nFilterUdp = 0;
    int m_nFilterTcp = 0;
    int m_nFilterIcmp = 0;
    // [mainwindow]
    int m_nStatus = 0;
    int m_nTop = 0;
    int m_nBottom = 0;
    int m_nLeft = 0;
    int m_nRight = 0;
    // [list]: column widths
    int m_nSrcAddr = 0;
    int m_nDestAddr = 0;
    int m_nSrcPort = 0;
    int m_nDestPort = 0;
    int m_nProto = 0;
    int m_nTraffic = 0;
    int m_nBs = 0;
    int m_nAbs = 0;
    // [log]
    int m_nUseLogFile = 0;
    int m_nAutoDelete = 0;
    int m_nMbDelete = 0;
    int m_nLogType = 0;
    char m_szLogFile[260] = {};
    // The file's "logfile" text is longer than m_szLogFile holds (which then
    // stays empty): it is left in the file as it stands.
    bool m_bLogFileTooLong = false;

private:
    bool m_bWrittenBack = false;
};
