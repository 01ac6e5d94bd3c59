#include "capture/Settings.h"

#include "capture/SettingsKeys.h"
#include "capture/SettingsRules.h"

#include <cstdio>
#include <cstring>

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
        case SettingKind::LogFile: {
            // One byte more than the field: a text that fills it did not fit.
            char szText[sizeof m_szLogFile + 1];
            ReadText(key.pszSection, key.pszKey, "", szText);
            m_bLogFileTooLong = std::strlen(szText) >= sizeof m_szLogFile;
            if (!m_bLogFileTooLong)
                std::memcpy(m_szLogFile, szText, sizeof m_szLogFile);
            break;
        }
        }
    }
    m_nMbDelete = NormaliseMbDelete(m_nMbDelete);
    m_nLogType = NormaliseLogType(m_nLogType);
}

CSettings::~CSettings()
{
    WriteBack();
}

void CSettings::WriteBack()
{
    if (m_bWrittenBack || !IsWritable())
        return;
    m_bWrittenBack = true;
    for (const SettingKey& key : SettingKeys()) {
        if (key.kind == SettingKind::LogFile && m_bLogFileTooLong)
            continue;
        char szNumber[kNumberTextSize];
        WriteText(key.pszSection, key.pszKey, WriteBackText(*this, key, szNumber));
    }
}
