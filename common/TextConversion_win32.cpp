// TextConversion: the Win32 code-page conversions.
#include "TextConversion.h"

#include <windows.h>

#include <climits>

std::wstring AnsiToWide(const char* text) {
    int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1) return std::wstring();
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], size);
    wide.resize(size - 1);
    return wide;
}

std::string WideToUtf8(const wchar_t* text, size_t length) {
    if (length == 0 || length > INT_MAX) return std::string();
    int count = static_cast<int>(length);
    int size = WideCharToMultiByte(CP_UTF8, 0, text, count, nullptr, 0, nullptr, nullptr);
    std::string narrow(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, count, &narrow[0], size, nullptr, nullptr);
    return narrow;
}
