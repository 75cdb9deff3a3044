// FileReplace: the Win32 calls behind ReplaceKeepingProtection.
#include "FileReplace.h"

#include <windows.h>

namespace util {

bool ReplaceKeepingProtection(const std::filesystem::path& replacement, const std::filesystem::path& target) {
    DWORD attributes = GetFileAttributesW(target.c_str());
    // ReplaceFileW needs an old file to replace; without one a plain move does.
    if (attributes == INVALID_FILE_ATTRIBUTES) return MoveFileExW(replacement.c_str(), target.c_str(), 0) != 0;
    // Wine's ReplaceFileW puts the file even in the place of a folder, and leaves it its
    // own attributes where Windows' gives it the old file's: both are seen to here.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    return SetFileAttributesW(replacement.c_str(), attributes) &&
           ReplaceFileW(target.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr);
}

}  // namespace util
