// FileReplace: the POSIX calls behind ReplaceKeepingProtection.
#include "FileReplace.h"

#include <cstdio>
#include <sys/stat.h>

namespace util {

bool ReplaceKeepingProtection(const std::filesystem::path& replacement, const std::filesystem::path& target) {
    // The new file was made with the default permissions; it takes the old file's.
    struct stat old;
    if (stat(target.c_str(), &old) == 0 && chmod(replacement.c_str(), old.st_mode & 07777) != 0) return false;
    return std::rename(replacement.c_str(), target.c_str()) == 0;
}

}  // namespace util
