// Registry: the four registry operations the settings are built on.
#pragma once

#include "common/String.h"

#include <windows.h>

namespace util {

// Opens a key for reading, in the 64-bit view when a 32-bit process runs on 64-bit
// Windows; null when it cannot be opened. Raises when the process kind cannot be told.
HKEY OpenRegistryKey(HKEY root, const wchar_t* subKey);
// Reads a value as text up to its first zero character, whatever its stored type. False
// when the key or value is missing or the value is empty.
bool ReadRegistryString(HKEY root, const wchar_t* subKey, const wchar_t* name, String& value);
// Writes a text value (REG_SZ), creating the key and its missing parents.
bool WriteRegistryString(HKEY root, const wchar_t* subKey, const wchar_t* name, const wchar_t* text);
// Removes a value; true when it is gone, as when it or its key never was there.
bool DeleteRegistryValue(HKEY root, const wchar_t* subKey, const wchar_t* name);

namespace System {
// True when the process is a 32-bit one on 64-bit Windows.
bool Is64Bit();
}

}  // namespace util
