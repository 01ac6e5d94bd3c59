// The program's settings: DWORD values under HKCU\SOFTWARE\Velorix, and its
// entry in the current user's Run key. Each call opens and closes the key.
#pragma once
#include <cstddef>

#include "framework/Win32.h"

struct DwordSetting {
    const char* name;
    DWORD value;  // the default going in; the stored value coming out
};

// Reads the values in order. One that is absent, or whose data is not
// exactly four bytes, keeps its default; so do all when the key is missing.
void ReadSettings(DwordSetting* values, size_t count);
// Writes the values as REG_DWORD, creating the key if needed; false when the
// key could not be opened or created.
bool WriteSettings(const DwordSetting* values, size_t count);

// A REG_QWORD value of exactly eight bytes into *value; false, and *value
// unchanged, when it is absent or of another size.
bool ReadQwordSetting(const char* name, ULONG64* value);
// A string value that fits text with its terminator; false, and text empty,
// when it is absent, no string, or longer.
bool ReadTextSetting(const char* name, char* text, size_t textSize);
// Writes name as REG_QWORD, or as REG_SZ; false when the key could not be
// opened or created, or the value not written.
bool WriteQwordSetting(const char* name, ULONG64 value);
bool WriteTextSetting(const char* name, const char* text);

// The number at the start of text as "%d" wrote it: leading blanks, an
// optional sign, digits up to the first non-digit; 0 when there is none.
int LeadingDecimal(const char* text);

// Whether the Run key holds a "Velorix" entry, of whatever type.
bool RunEntryExists();
// The Run-key data for a shortcut in directory: "<directory>\Velorix.lnk"
// in quotes and " -tray". False, and out left empty, when the path does not
// fit the 256-byte path buffer: the entry is never written cut.
bool FormatRunEntry(const char* directory, char* out, size_t outSize);
// Writes the entry for the current directory (on) or deletes it (off).
void SetRunEntry(bool on);
