#include "capture/SettingsRules.h"

#include <cstdlib>

int NormaliseMbDelete(int nMbDelete)
{
    return nMbDelete <= 0 || nMbDelete >= 1000 ? 1 : nMbDelete;
}

int NormaliseLogType(int nLogType)
{
    return nLogType < 0 || nLogType > 6 ? 0 : nLogType;
}

std::uint32_t ParseIdleSeconds(const char* pszText)
{
    // unsigned long is 32 bits on Windows.
    return static_cast<std::uint32_t>(std::strtoul(pszText, nullptr, 10));
}

std::uint32_t IdleMilliseconds(std::uint32_t dwSeconds)
{
    return dwSeconds * 1000u;
}
