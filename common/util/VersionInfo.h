// VersionInfo: string values of a program's version resource.
#pragma once

#include "common/String.h"

namespace util {

// The value stored under key ("CompanyName", "ProductVersion", ...) in the string table
// of the running program's version resource; an empty but allocated text when the
// resource, its table or the key is missing.
String GetVersionInfoValue(const wchar_t* key);
// The same value from the version resource of the program file at path (any name or
// extension; the file is read, never run); empty when the file cannot be read.
String GetFileVersionInfoValue(const wchar_t* path, const wchar_t* key);

}  // namespace util
