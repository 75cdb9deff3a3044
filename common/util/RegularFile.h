// RegularFile: a file read by its name only when it is an ordinary file on a disk.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace util {

// What became of reading a file by its name.
enum class RegularRead {
    Read,      // bytes hold the file's start, up to the bound
    Missing,   // nothing of that name (or its folder)
    NotAFile,  // a device, a pipe, a socket or a folder: refused before any read
    Failed,    // a file, but the system refused to open or read it (held open, an I/O error)
};

// True when a Windows path names a device rather than a file on a disk: the device
// namespace ("\\.\COM1", "\\.\pipe\x", "\\.\PhysicalDrive0"; "\\?\" other than a drive
// or UNC path), or a last part that is a reserved device name (CON, PRN, AUX, NUL,
// COM0-9, LPT0-9 with the superscript digits too, CONIN$, CONOUT$), in any case, with
// any extension or trailing blanks ("nul.txt", "C:\x\com1 "). Windows opens such a name
// as the device wherever it stands. Pure text: portable, so tested on every host.
bool NamesDevice(std::wstring_view path);

// Reads at most maxBytes from the start of the file at path into bytes (emptied first,
// and again on failure). A device, pipe, socket or folder is refused from its name or
// from the handle's type (GetFileType, fstat) before anything is read from it, so that
// no read can wait for ever: a serial port, a named pipe or a FIFO never answers Open.
// A caller that must know whether the file is larger asks for one byte more than it takes.
RegularRead ReadRegularFile(const std::filesystem::path& path, size_t maxBytes, std::string& bytes);

}  // namespace util
