// SafeSave: a file saved over its old version without ever costing it.
#include "SafeSave.h"

#include "FileReplace.h"

#include <fstream>
#include <string>
#include <system_error>

namespace util {

namespace {

// Overwrites an existing file where it is, which keeps its attributes and permissions.
// Opened without truncation: Windows refuses an overwriting open of a hidden file.
bool WriteInPlace(const std::filesystem::path& target, const char* bytes, size_t count) {
    std::fstream file(target, std::ios::in | std::ios::out | std::ios::binary);
    if (!file) return false;
    file.write(bytes, static_cast<std::streamsize>(count));
    file.close();
    if (file.fail()) return false;
    std::error_code error;
    std::filesystem::resize_file(target, count, error);
    return !error;
}

}  // namespace

bool SafeSave(const std::filesystem::path& target, const char* bytes, size_t count) {
    if (IsReadOnlyFile(target)) return false;
    for (int attempt = 1; attempt <= kSavingNames; ++attempt) {
        std::filesystem::path temporary = target;
        temporary += attempt == 1 ? std::string(".saving") : ".saving-" + std::to_string(attempt);
        switch (WriteNewFile(temporary, bytes, count)) {
        case NewFile::NameTaken:
            continue;
        case NewFile::NotMade:
            return WriteInPlace(target, bytes, count);
        case NewFile::WriteFailed:
            return false;
        case NewFile::Written:
            break;
        }
        if (ReplaceKeepingProtection(temporary, target)) return true;
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return WriteInPlace(target, bytes, count);  // every name is taken
}

}  // namespace util
