// File: the Win32 file calls behind File.
#include "File.h"

#include <windows.h>

#include <vector>

namespace util {

const FileHandle File::kNullHandle = nullptr;

FileHandle File::SystemOpen(const wchar_t* path, FileAccess access, FileCreation creation, FileSharing sharing) {
    DWORD desired = 0;
    switch (access) {
    case FileAccess::Read: desired = GENERIC_READ; break;
    case FileAccess::Write: desired = GENERIC_WRITE; break;
    case FileAccess::ReadWrite: desired = GENERIC_READ | GENERIC_WRITE; break;
    case FileAccess::ReadDelete: desired = GENERIC_READ | DELETE; break;
    case FileAccess::ReadWriteDelete: desired = GENERIC_READ | GENERIC_WRITE | DELETE; break;
    }
    DWORD share = sharing == FileSharing::ReadWrite ? FILE_SHARE_READ | FILE_SHARE_WRITE
                  : sharing == FileSharing::Read    ? FILE_SHARE_READ
                                                    : 0;
    DWORD disposition = 0;
    switch (creation) {
    case FileCreation::CreateNew: disposition = CREATE_NEW; break;
    case FileCreation::CreateAlways: disposition = CREATE_ALWAYS; break;
    case FileCreation::OpenExisting: disposition = OPEN_EXISTING; break;
    case FileCreation::OpenAlways: disposition = OPEN_ALWAYS; break;
    case FileCreation::TruncateExisting: disposition = TRUNCATE_EXISTING; break;
    }
    return CreateFileW(path, desired, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
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

bool File::SystemIdentity(FileHandle handle, FileIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(handle, &information)) return false;
    identity.size = (static_cast<uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    identity.index = (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return true;
}

bool File::SystemFlush(FileHandle handle) { return FlushFileBuffers(handle) != FALSE; }

bool File::SystemRename(FileHandle handle, const wchar_t*, const wchar_t* target) {
    // FILE_RENAME_INFO ends in the name, which takes the full path.
    DWORD length = GetFullPathNameW(target, 0, nullptr, nullptr);
    if (length == 0) return false;
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + length * sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    DWORD written = GetFullPathNameW(target, length, rename->FileName, nullptr);
    if (written == 0 || written >= length) return false;
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = written * sizeof(wchar_t);
    return SetFileInformationByHandle(handle, FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) != FALSE;
}

bool File::SystemDeleteOpen(FileHandle handle, const wchar_t*) {
    FILE_DISPOSITION_INFO disposition = {TRUE};
    return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

}  // namespace util
