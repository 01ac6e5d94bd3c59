#pragma once

#include <cstdint>

// "mbdelete": 1 to 999; anything else becomes 1.
int NormaliseMbDelete(int nMbDelete);

// "logtype": 0 to 6; anything else becomes 0.
int NormaliseLogType(int nLogType);

// "idleseconds" text, converted as an unsigned decimal the way strtoul does
// (leading blanks and a sign accepted, a "-" value taken modulo 2^32, too
// large a value saturating at 4294967295).
std::uint32_t ParseIdleSeconds(const char* pszText);

// Seconds as milliseconds in 32 bits; larger products wrap around.
std::uint32_t IdleMilliseconds(std::uint32_t dwSeconds);
