// VersionInfo: string values of the program's own version resource.
#pragma once

#include "common/String.h"

namespace util {

// The value stored under key ("CompanyName", "ProductVersion", ...) in the string table
// of the program's version resource; an empty but allocated text when the resource,
// its table or the key is missing.
String GetVersionInfoValue(const wchar_t* key);

}  // namespace util
