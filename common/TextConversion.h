// TextConversion: the platform's conversions between narrow and wide text.
#pragma once

#include <string>

// Narrow text in the system's ANSI code page to wide text. Windows uses the process's
// code page; elsewhere the narrow code page is taken to be UTF-8, as on any current
// Linux system, and malformed bytes become U+FFFD.
std::wstring AnsiToWide(const char* text);

// Wide text of the given length to UTF-8; unpaired surrogates become U+FFFD.
std::string WideToUtf8(const wchar_t* text, size_t length);
