// File: the Win32 file calls behind File.
#include "File.h"

#include <windows.h>

namespace util {

const FileHandle File::kNullHandle = nullptr;

FileHandle File::SystemOpen(const wchar_t* path, FileAccess access, FileCreation creation) {
    DWORD desired = access == FileAccess::Read    ? GENERIC_READ
                    : access == FileAccess::Write ? GENERIC_WRITE
                                                  : GENERIC_READ | GENERIC_WRITE;
    DWORD disposition = 0;
    switch (creation) {
    case FileCreation::CreateNew: disposition = CREATE_NEW; break;
    case FileCreation::CreateAlways: disposition = CREATE_ALWAYS; break;
    case FileCreation::OpenExisting: disposition = OPEN_EXISTING; break;
    case FileCreation::OpenAlways: disposition = OPEN_ALWAYS; break;
    case FileCreation::TruncateExisting: disposition = TRUNCATE_EXISTING; break;
    }
    return CreateFileW(path, desired, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

void File::SystemClose(FileHandle handle) { CloseHandle(handle); }

bool File::SystemRead(FileHandle handle, void* data, uint32_t count, uint32_t& read) {
    DWORD done = 0;
    BOOL ok = ReadFile(handle, data, count, &done, nullptr);
    read = done;
    return ok != FALSE;
}

bool File::SystemWrite(FileHandle handle, const void* data, uint32_t count, uint32_t& written) {
    DWORD done = 0;
    BOOL ok = WriteFile(handle, data, count, &done, nullptr);
    written = done;
    return ok != FALSE;
}

bool File::SystemSeek(FileHandle handle, bool fromEnd, uint32_t& position) {
    DWORD result = SetFilePointer(handle, 0, nullptr, fromEnd ? FILE_END : FILE_BEGIN);
    position = result;
    return result != INVALID_SET_FILE_POINTER;
}

bool File::SystemSize(FileHandle handle, uint64_t& size) {
    DWORD high = 0;
    DWORD low = GetFileSize(handle, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    size = (static_cast<uint64_t>(high) << 32) | low;
    return true;
}

bool File::SystemDelete(const wchar_t* path) { return DeleteFileW(path) != FALSE; }

}  // namespace util
