// RegularFile: the Win32 calls behind reading only ordinary files.
#include "RegularFile.h"

#include <windows.h>

#include <algorithm>

namespace util {

namespace {

// Closes the handle however the read ends.
struct HandleCloser {
    HANDLE handle;
    ~HandleCloser() { CloseHandle(handle); }
};

}  // namespace

RegularRead ReadRegularFile(const std::filesystem::path& path, size_t maxBytes, std::string& bytes) {
    bytes.clear();
    // A reserved name is never opened: opening a serial port or a printer may itself
    // act on the device.
    if (NamesDevice(path.native())) return RegularRead::NotAFile;
    // Backup semantics open a folder too, so that it is told apart from a refusal.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return RegularRead::Missing;
        return error == ERROR_PIPE_BUSY ? RegularRead::NotAFile : RegularRead::Failed;
    }
    HandleCloser closer{file};
    // A pipe, a character device or a link to one: its reads may wait for ever.
    if (GetFileType(file) != FILE_TYPE_DISK) return RegularRead::NotAFile;
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(file, &information)) return RegularRead::Failed;
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return RegularRead::NotAFile;
    char piece[65536];
    while (bytes.size() < maxBytes) {
        DWORD wanted = static_cast<DWORD>(std::min<size_t>(sizeof piece, maxBytes - bytes.size()));
        DWORD done = 0;
        if (!ReadFile(file, piece, wanted, &done, nullptr)) {
            bytes.clear();
            return RegularRead::Failed;
        }
        if (done == 0) break;
        bytes.append(piece, done);
    }
    return RegularRead::Read;
}

}  // namespace util
