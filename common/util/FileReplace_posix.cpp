// FileReplace: the POSIX calls behind saving a file safely.
#include "FileReplace.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace util {

NewFile WriteNewFile(const std::filesystem::path& path, const char* bytes, size_t count) {
    int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file < 0) return errno == EEXIST ? NewFile::NameTaken : NewFile::NotMade;
    size_t done = 0;
    while (done < count) {
        ssize_t n = write(file, bytes + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    bool whole = done == count && fsync(file) == 0;
    whole = close(file) == 0 && whole;
    if (whole) return NewFile::Written;
    unlink(path.c_str());
    return NewFile::WriteFailed;
}

bool IsReadOnlyFile(const std::filesystem::path& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool ReplaceKeepingProtection(const std::filesystem::path& replacement, const std::filesystem::path& target) {
    // The new file was made with the default permissions; it takes the old file's.
    struct stat old;
    if (stat(target.c_str(), &old) == 0 && chmod(replacement.c_str(), old.st_mode & 07777) != 0) return false;
    return std::rename(replacement.c_str(), target.c_str()) == 0;
}


namespace {

// The move is on the disk once the folder that records it is.
void SyncFolderOf(const std::filesystem::path& to) {
    std::filesystem::path folder = to.has_parent_path() ? to.parent_path() : std::filesystem::path(".");
    int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle >= 0) {
        fsync(handle);
        close(handle);
    }
}

}  // namespace

bool MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) return false;
    SyncFolderOf(to);
    return true;
}

bool MoveToFreeName(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) return false;
    SyncFolderOf(to);
    return true;
}

}  // namespace util
