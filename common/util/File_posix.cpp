// File: the POSIX file calls behind File. There are no share modes: every open file is
// shared for reading and writing, as File asks of Win32 by default. The path's bytes are its UTF-8
// encoding, and failures leave errno for GetLastErrorText.
#include "File.h"

#include "common/FilePath.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace util {

const FileHandle File::kNullHandle = -1;

FileHandle File::SystemOpen(const wchar_t* path, FileAccess access, FileCreation creation, FileSharing) {
    int flags = access == FileAccess::Read || access == FileAccess::ReadDelete ? O_RDONLY
                : access == FileAccess::Write                                  ? O_WRONLY
                                                                               : O_RDWR;
    switch (creation) {
    case FileCreation::CreateNew: flags |= O_CREAT | O_EXCL; break;
    case FileCreation::CreateAlways: flags |= O_CREAT | O_TRUNC; break;
    case FileCreation::OpenExisting: break;
    case FileCreation::OpenAlways: flags |= O_CREAT; break;
    case FileCreation::TruncateExisting: flags |= O_TRUNC; break;
    }
    return open(ToFilePath(path).c_str(), flags | O_CLOEXEC, 0666);
}

void File::SystemClose(FileHandle handle) { close(handle); }

// Like ReadFile and WriteFile on a disk file, these go on until the whole count is
// done or the end of the file is reached.
bool File::SystemRead(FileHandle handle, void* data, uint32_t count, uint32_t& read) {
    read = 0;
    while (read < count) {
        ssize_t done = ::read(handle, static_cast<char*>(data) + read, count - read);
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) return false;
        if (done == 0) break;
        read += static_cast<uint32_t>(done);
    }
    return true;
}

bool File::SystemWrite(FileHandle handle, const void* data, uint32_t count, uint32_t& written) {
    written = 0;
    while (written < count) {
        ssize_t done = ::write(handle, static_cast<const char*>(data) + written, count - written);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        written += static_cast<uint32_t>(done);
    }
    return true;
}

bool File::SystemSeek(FileHandle handle, bool fromEnd, uint32_t& position) {
    off_t result = lseek(handle, 0, fromEnd ? SEEK_END : SEEK_SET);
    position = static_cast<uint32_t>(result);
    return result != static_cast<off_t>(-1);
}

bool File::SystemSize(FileHandle handle, uint64_t& size) {
    struct stat status;
    if (fstat(handle, &status) != 0) return false;
    size = static_cast<uint64_t>(status.st_size);
    return true;
}

bool File::SystemDelete(const wchar_t* path) { return unlink(ToFilePath(path).c_str()) == 0; }

bool File::SystemIdentity(FileHandle handle, FileIdentity& identity) {
    struct stat status;
    if (fstat(handle, &status) != 0) return false;
    identity.size = static_cast<uint64_t>(status.st_size);
    identity.index = static_cast<uint64_t>(status.st_ino);
    return true;
}

bool File::SystemFlush(FileHandle handle) { return fsync(handle) == 0; }

// POSIX moves and deletes by name only.
bool File::SystemRename(FileHandle, const wchar_t* path, const wchar_t* target) {
    return rename(ToFilePath(path).c_str(), ToFilePath(target).c_str()) == 0;
}

bool File::SystemDeleteOpen(FileHandle, const wchar_t* path) { return SystemDelete(path); }

}  // namespace util
