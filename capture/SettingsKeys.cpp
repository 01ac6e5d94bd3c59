#include "capture/SettingsKeys.h"

#include <cstdio>

namespace {

constexpr SettingKind Int = SettingKind::Integer;

// constexpr, so it is in place before any process-wide CSettings is built.
constexpr std::array<SettingKey, kSettingKeyCount> s_keys = {{
    {"main", "alwaysontop", Int, 0, &CSettings::m_nAlwaysOnTop},
    {"main", "nsresolve", Int, 0, &CSettings::m_nNsResolve},
    {"main", "portresolve", Int, 0, &CSettings::m_nPortResolve},
    {"main", "idleseconds", SettingKind::IdleSeconds, 10, nullptr},
    {"filters", "filtertcp", Int, 0, &CSettings::m_nFilterTcp},
    {"filters", "filterudp", Int, 0, &CSettings::m_nFilterUdp},
    {"filters", "filtericmp", Int, 0, &CSettings::m_nFilterIcmp},
    {"mainwindow", "status", Int, -1, &CSettings::m_nStatus},
    {"mainwindow", "top", Int, -1, &CSettings::m_nTop},
    {"mainwindow", "bottom", Int, -1, &CSettings::m_nBottom},
    {"mainwindow", "left", Int, -1, &CSettings::m_nLeft},
    {"mainwindow", "right", Int, -1, &CSettings::m_nRight},
    {"list", "srcaddr", Int, 120, &CSettings::m_nSrcAddr},
    {"list", "destaddr", Int, 120, &CSettings::m_nDestAddr},
    {"list", "srcport", Int, 80, &CSettings::m_nSrcPort},
    {"list", "destport", Int, 80, &CSettings::m_nDestPort},
    {"list", "proto", Int, 50, &CSettings::m_nProto},
    {"list", "traffic", Int, 100, &CSettings::m_nTraffic},
    {"list", "bs", Int, 80, &CSettings::m_nBs},
    {"list", "abs", Int, 80, &CSettings::m_nAbs},
    {"log", "uselogfile", Int, 0, &CSettings::m_nUseLogFile},
    {"log", "autodelete", Int, 0, &CSettings::m_nAutoDelete},
    {"log", "mbdelete", Int, 1, &CSettings::m_nMbDelete},
    {"log", "logtype", Int, 0, &CSettings::m_nLogType},
    {"log", "logfile", SettingKind::LogFile, 0, nullptr},
}};

}  // namespace

const std::array<SettingKey, kSettingKeyCount>& SettingKeys()
{
    return s_keys;
}

const char* WriteBackText(const CSettings& settings, const SettingKey& key,
                          char (&szNumber)[kNumberTextSize])
{
    switch (key.kind) {
    case SettingKind::Integer:
        std::snprintf(szNumber, sizeof szNumber, "%d", settings.*key.pnField);
        return szNumber;
    case SettingKind::IdleSeconds:
        std::snprintf(szNumber, sizeof szNumber, "%u",
                      static_cast<unsigned>(settings.m_dwIdleSeconds));
        return szNumber;
    case SettingKind::LogFile:
        return settings.m_szLogFile;
    }
    szNumber[0] = '\0';
    return szNumber;
}
