// FilePath: the file-system path for a wide path text.
#include "FilePath.h"

#include "TextConversion.h"

#include <cwchar>

std::filesystem::path ToFilePath(const wchar_t* path) {
#ifdef _WIN32
    return std::filesystem::path(path);
#else
    return std::filesystem::path(WideToUtf8(path, std::wcslen(path)));
#endif
}
