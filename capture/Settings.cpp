#include "capture/Settings.h"

#include "capture/SettingsKeys.h"
#include "capture/SettingsRules.h"

#include <cstdio>

CSettings::CSettings(const char* pszProgramPath) : CIniFile(pszProgramPath)
{
    for (const SettingKey& key : SettingKeys()) {
        switch (key.kind) {
        case SettingKind::Integer:
            this->*key.pnField = ReadInt(key.pszSection, key.pszKey, key.nDefault);
            break;
        case SettingKind::IdleSeconds: {
            char szDefault[kNumberTextSize];
            std::snprintf(szDefault, sizeof szDefault, "%u", static_cast<unsigned>(key.nDefault));
            char szText[64];
            ReadText(key.pszSection, key.pszKey, szDefault, szText);
            m_dwIdleSeconds = ParseIdleSeconds(szText);
            m_dwIdleTime = IdleMilliseconds(m_dwIdleSeconds);
            break;
        }
        case SettingKind::LogFile:
            ReadText(key.pszSection, key.pszKey, "", m_szLogFile);
            break;
        }
    }
    m_nMbDelete = NormaliseMbDelete(m_nMbDelete);
    m_nLogType = NormaliseLogType(m_nLogType);
}

CSettings::~CSettings()
{
    if (!IsWritable())
        return;
    for (const SettingKey& key : SettingKeys()) {
        char szNumber[kNumberTextSize];
        WriteText(key.pszSection, key.pszKey, WriteBackText(*this, key, szNumber));
    }
}
