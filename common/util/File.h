// File: one disk file named by a path, with the byte-order mark of its text encoding.
#pragma once

#include "common/Object.h"
#include "common/String.h"

#include <cstdint>
#include <memory>
#include <string>

namespace util {

// The text encoding of a file; the value is what a File stores and what its mark says.
enum class FileEncoding : int32_t {
    Utf8 = 0,               // EF BB BF
    Utf16BigEndian = 1,     // FE FF
    Utf16LittleEndian = 2,  // FF FE
    Utf32BigEndian = 3,     // 00 00 FE FF
    Utf32LittleEndian = 4,  // FF FE 00 00
    Ascii = 5,              // 8-bit text, no mark
    Undetermined = 6,       // nothing decided; a new File's value
};

// The system's file handle: a Win32 HANDLE, or a POSIX file descriptor.
#ifdef _WIN32
using FileHandle = void*;
#else
using FileHandle = int;
#endif

// How OpenFile opens: the access asked for, what happens when the file exists or not
// (the Win32 creation dispositions; CreateAlways creates or truncates, OpenExisting
// fails when the file is missing), and what others may do with the file while it is
// open. The ...Delete accesses may also delete or rename the file through the handle
// (DeleteWhenClosed, RenameTo). POSIX has no share modes: there every open file is
// shared for reading and writing.
enum class FileAccess { Read, Write, ReadWrite, ReadDelete, ReadWriteDelete };
enum class FileCreation { CreateNew, CreateAlways, OpenExisting, OpenAlways, TruncateExisting };
enum class FileSharing {
    ReadWrite,  // others may read and write it, not delete or rename it
    Read,       // others may only read it: what is read is what stays there
    None,       // nobody else may open it
};

// Which file a name stands for, as far as an update's record of its files tells them
// apart: the file's size and its index on its volume (its inode on POSIX).
struct FileIdentity {
    uint64_t size = 0;
    uint64_t index = 0;
    bool operator==(const FileIdentity& other) const { return size == other.size && index == other.index; }
};

// Wraps one file: opening or creating it (shared for reading and writing), writing the
// mark of its encoding, raw reads and writes, the file pointer, loading it whole and
// guessing its encoding from its first bytes. The handle is closed by the destructor
// or Close. Every failure raises an Exception naming the File operation.
class File : public Object {
public:
    // path may be null (OpenFile then refuses); className is what messages and
    // GetName show ("File", "TextFile").
    File(const wchar_t* path, const wchar_t* className = L"File");
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens the path, shared as sharing says; stores and returns the handle, which the
    // caller tests with IsValidHandle. Raises when a valid handle is already held or
    // when no path is set.
    FileHandle OpenFile(FileAccess access, FileCreation creation, FileSharing sharing = FileSharing::ReadWrite);
    // Creates or truncates the file for writing and writes the mark of the encoding.
    FileHandle CreateNew();
    void WriteTheBOM();
    // Closes the handle when it is valid; the File is closed (null handle) afterwards.
    void Close();
    // Deletes the closed file; false when the system refuses (GetLastErrorText then
    // holds its reason). Raises when the file is still open.
    bool Delete();

    // Writes at the current position; returns the bytes written.
    uint32_t Write(const void* data, uint32_t count);
    void SetPointerToBeginning();
    // Returns the new position, the file's size.
    uint32_t SetPointerToEnd();
    // Raises for files of 4 GiB and more.
    uint32_t GetSize();
    // Reads the whole open file into a new buffer of the returned size plus zero bytes
    // that end it both as narrow and as UTF-16 text. The buffer belongs to the caller.
    uint32_t LoadIntoMemory(std::unique_ptr<char[]>& buffer);
    // Sets the encoding from the file's first bytes (a mark, or a guess from two
    // bytes); an empty file leaves it as it was. The pointer is left after the bytes
    // inspected.
    void DetectEncoding();
    // Opens the existing file for reading, detects its encoding and loads it whole.
    uint32_t ReadFromBeginning(std::unique_ptr<char[]>& buffer);

    // The whole open file into bytes, when it holds at most sizeLimit bytes; false,
    // quietly, for a larger file or any failure.
    bool ReadAll(std::string& bytes, uint32_t sizeLimit);
    // The whole file at path, read as ReadAll reads it; false, quietly, when it cannot
    // be opened or read.
    static bool ReadWholeFile(const wchar_t* path, uint32_t sizeLimit, std::string& bytes);
    // The open file's identity; false when the system does not give it.
    bool GetIdentity(FileIdentity& identity) const;
    // Writes what the system still holds of the open file to the disk.
    bool Flush();
    // Moves the open file (opened with a ...Delete access) to target, replacing a file
    // there, through its handle on Windows, so that what moves is the file this object
    // has open whatever now has its name; the path follows. False when refused.
    bool RenameTo(const wchar_t* target);
    // Deletes the open file (opened with a ...Delete access) through its handle: it goes
    // when the last handle to it closes. False when refused (a running program, a
    // read-only file).
    bool DeleteWhenClosed();

    FileEncoding GetEncoding() const { return encoding_; }
    void SetEncoding(FileEncoding encoding) { encoding_ = encoding; }
    const String& GetPath() const { return path_; }
    // Names another file; takes effect at the next OpenFile.
    void SetPath(const wchar_t* path) { path_.Set(path); }
    FileHandle GetHandle() const { return handle_; }
    bool IsOpen() const { return IsValidHandle(handle_); }

    // Neither the null handle nor the system's invalid one.
    static bool IsValidHandle(FileHandle handle);

private:
    // Reads up to count bytes at the current position; raises on failure.
    uint32_t Read(void* data, uint32_t count);

    // The platform seam (File_win32.cpp, File_posix.cpp). Each reports failure through
    // its result, with the reason left for GetLastErrorText.
    static const FileHandle kNullHandle;
    static FileHandle SystemOpen(const wchar_t* path, FileAccess access, FileCreation creation, FileSharing sharing);
    static void SystemClose(FileHandle handle);
    static bool SystemRead(FileHandle handle, void* data, uint32_t count, uint32_t& read);
    static bool SystemWrite(FileHandle handle, const void* data, uint32_t count, uint32_t& written);
    // Moves the pointer to offset 0 from the beginning or the end; gives the position.
    static bool SystemSeek(FileHandle handle, bool fromEnd, uint32_t& position);
    static bool SystemSize(FileHandle handle, uint64_t& size);
    static bool SystemDelete(const wchar_t* path);
    static bool SystemIdentity(FileHandle handle, FileIdentity& identity);
    static bool SystemFlush(FileHandle handle);
    static bool SystemRename(FileHandle handle, const wchar_t* path, const wchar_t* target);
    static bool SystemDeleteOpen(FileHandle handle, const wchar_t* path);

    FileHandle handle_;
    String path_;
    FileEncoding encoding_ = FileEncoding::Undetermined;
};

}  // namespace util
