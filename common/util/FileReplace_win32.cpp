// FileReplace: the Win32 calls behind saving a file safely.
#include "FileReplace.h"

#include <windows.h>

namespace util {

NewFile WriteNewFile(const std::filesystem::path& path, const char* bytes, size_t count) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        // A folder of that name may answer "access denied" rather than "exists".
        bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                     GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
        return taken ? NewFile::NameTaken : NewFile::NotMade;
    }
    DWORD written = 0;
    bool whole = WriteFile(file, bytes, static_cast<DWORD>(count), &written, nullptr) && written == count &&
                 FlushFileBuffers(file);
    whole = CloseHandle(file) && whole;
    if (whole) return NewFile::Written;
    DeleteFileW(path.c_str());
    return NewFile::WriteFailed;
}

bool IsReadOnlyFile(const std::filesystem::path& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool ReplaceKeepingProtection(const std::filesystem::path& replacement, const std::filesystem::path& target) {
    DWORD attributes = GetFileAttributesW(target.c_str());
    // ReplaceFileW needs an old file to replace; without one a plain move does.
    if (attributes == INVALID_FILE_ATTRIBUTES) return MoveFileExW(replacement.c_str(), target.c_str(), 0) != 0;
    // Wine's ReplaceFileW puts the file even in the place of a folder.
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    if (!ReplaceFileW(target.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                      nullptr)) {
        return false;
    }
    // Windows' ReplaceFileW gives the new file the old one's attributes, Wine's leaves it
    // its own. Set before the replace, a read-only attribute would have kept a failed
    // replacement from being removed; once the file is in place it is saved, whatever
    // this last step gives.
    SetFileAttributesW(target.c_str(), attributes);
    return true;
}


bool MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool MoveToFreeName(const std::filesystem::path& from, const std::filesystem::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace util
