#pragma once

#include "capture/Settings.h"

#include <array>
#include <cstddef>

enum class SettingKind { Integer, IdleSeconds, LogFile };

struct SettingKey {
    const char* pszSection;
    const char* pszKey;
    SettingKind kind;
    int nDefault;             // Integer and IdleSeconds
    int CSettings::*pnField;  // Integer only
};

constexpr std::size_t kSettingKeyCount = 25;

// Every key of the settings file, in the order it is read and written back.
const std::array<SettingKey, kSettingKeyCount>& SettingKeys();

// Room for any number WriteBackText formats.
constexpr std::size_t kNumberTextSize = 16;

// The text written back for one key: numbers are formatted into szNumber,
// "logfile" is the settings' own text.
const char* WriteBackText(const CSettings& settings, const SettingKey& key,
                          char (&szNumber)[kNumberTextSize]);
