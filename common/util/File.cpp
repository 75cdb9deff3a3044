// File: one disk file named by a path, with the byte-order mark of its text encoding.
#include "File.h"

#include "common/Exception.h"
#include "common/LastErrorText.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace util {

namespace {

bool IsControlBreak(unsigned char byte) { return byte >= 9 && byte <= 13; }
bool IsPrintableAscii(unsigned char byte) { return byte >= 0x20 && byte <= 0x7E; }

// The byte-order mark of an encoding; none for Ascii and Undetermined.
std::string MarkOf(FileEncoding encoding) {
    switch (encoding) {
    case FileEncoding::Utf8: return "\xEF\xBB\xBF";
    case FileEncoding::Utf16BigEndian: return "\xFE\xFF";
    case FileEncoding::Utf16LittleEndian: return "\xFF\xFE";
    case FileEncoding::Utf32BigEndian: return std::string("\0\0\xFE\xFF", 4);
    case FileEncoding::Utf32LittleEndian: return std::string("\xFF\xFE\0\0", 4);
    case FileEncoding::Ascii:
    case FileEncoding::Undetermined: break;
    }
    return std::string();
}

}  // namespace

File::File(const wchar_t* path, const wchar_t* className)
    : Object(className), handle_(kNullHandle) {
    if (path != nullptr) path_.Set(path);
}

File::~File() { Close(); }

bool File::IsValidHandle(FileHandle handle) {
#ifdef _WIN32
    return handle != nullptr && handle != reinterpret_cast<FileHandle>(-1);
#else
    return handle >= 0;
#endif
}

FileHandle File::OpenFile(FileAccess access, FileCreation creation, FileSharing sharing) {
    if (IsOpen()) throw new Exception(L"File::OpenFile()\nFile already oppened");
    if (path_.GetLength() == 0) throw new Exception(L"File::OpenFile()\nFile path not set");
    handle_ = SystemOpen(path_.GetText(), access, creation, sharing);
    return handle_;
}

FileHandle File::CreateNew() {
    OpenFile(FileAccess::Write, FileCreation::CreateAlways);
    if (!IsOpen()) {
        throw new Exception(L"File::CreateNew()\nFile : %s\n%s", path_, GetLastErrorText());
    }
    WriteTheBOM();
    return handle_;
}

void File::WriteTheBOM() {
    if (!IsOpen()) throw new Exception(L"File::WriteTheBOM()\nFile handle is null or invalid.");
    std::string mark = MarkOf(encoding_);
    if (!mark.empty()) Write(mark.data(), static_cast<uint32_t>(mark.size()));
}

void File::Close() {
    // Only a valid handle is closed: a failed open leaves the invalid value, which the
    // system must not be asked to close.
    if (IsOpen()) SystemClose(handle_);
    handle_ = kNullHandle;
}

bool File::Delete() {
    if (IsOpen()) throw new Exception(L"File::Delete () - %s is still open.", path_);
    if (SystemDelete(path_.IsEmpty() ? L"" : path_.GetText())) return true;
    GetLastErrorText();  // keeps the system's reason for the caller
    return false;
}

uint32_t File::Write(const void* data, uint32_t count) {
    uint32_t written = 0;
    if (!SystemWrite(handle_, data, count, written)) {
        throw new Exception(L"File::Write()\nFile : %s\n%s", path_, GetLastErrorText());
    }
    return written;
}

uint32_t File::Read(void* data, uint32_t count) {
    uint32_t read = 0;
    if (!SystemRead(handle_, data, count, read)) {
        throw new Exception(L"File::Read()\nFile : %s\n%s", path_, GetLastErrorText());
    }
    return read;
}

void File::SetPointerToBeginning() {
    uint32_t position = 0;
    if (!SystemSeek(handle_, false, position)) {
        throw new Exception(L"File::SetPointerToBeginning()\nFile : %s\n%s", path_,
                            GetLastErrorText());
    }
}

uint32_t File::SetPointerToEnd() {
    uint32_t position = 0;
    if (!SystemSeek(handle_, true, position)) {
        throw new Exception(L"File::SetPointerToEnd()\nFile : %s\n%s", path_, GetLastErrorText());
    }
    return position;
}

uint32_t File::GetSize() {
    if (!IsOpen()) throw new Exception(L"File::GetSize()\nHandle for %s is not valid.", path_);
    uint64_t size = 0;
    if (!SystemSize(handle_, size)) {
        throw new Exception(L"File::GetSize()\nFile : %s\n%s", path_, GetLastErrorText());
    }
    if ((size >> 32) != 0) throw new Exception(L"File::GetSize()\ndwHigh is not 0.");
    return static_cast<uint32_t>(size);
}

uint32_t File::LoadIntoMemory(std::unique_ptr<char[]>& buffer) {
    uint32_t size = GetSize();
    // Three zero bytes end the data as narrow text and put a zero UTF-16 unit at the
    // next even offset, whatever the parity of the size.
    const uint32_t kTerminator = 3;
    if (size > UINT32_MAX - kTerminator) {
        throw new Exception(L"File::LoadIntoMemory()\nFile : %s\nToo large to load.", path_);
    }
    std::unique_ptr<char[]> data(new char[static_cast<size_t>(size) + kTerminator]);
    SetPointerToBeginning();
    uint32_t read = Read(data.get(), size);
    if (read != size) {
        throw new Exception(L"File::LoadIntoMemory()\nRead %d from a total of %d.", read, size);
    }
    std::memset(data.get() + size, 0, kTerminator);
    buffer = std::move(data);
    return read;
}

void File::DetectEncoding() {
    SetPointerToBeginning();
    unsigned char head[2] = {0, 0};
    uint32_t count = Read(head, 2);
    if (count == 0) return;
    unsigned char more[2] = {0, 0};
    if (count == 2) {
        if (head[0] == 0xFE && head[1] == 0xFF) {
            encoding_ = FileEncoding::Utf16BigEndian;
            return;
        }
        if (head[0] == 0xFF && head[1] == 0xFE) {
            encoding_ = FileEncoding::Utf16LittleEndian;
            if (Read(more, 2) == 2 && more[0] == 0 && more[1] == 0) {
                encoding_ = FileEncoding::Utf32LittleEndian;
            }
            return;
        }
        if (head[0] == 0x00 && head[1] == 0x00) {
            if (Read(more, 2) == 2 && more[0] == 0xFE && more[1] == 0xFF) {
                encoding_ = FileEncoding::Utf32BigEndian;
                return;
            }
        } else if (head[0] == 0xEF && head[1] == 0xBB) {
            if (Read(more, 1) == 1 && more[0] == 0xBF) {
                encoding_ = FileEncoding::Utf8;
                return;
            }
        }
    }
    // The guess from two bytes; a one-byte file is judged by its byte alone: a
    // control character from tab to carriage return or printable ASCII is text.
    bool ascii = count == 2 ? IsControlBreak(head[0]) || IsPrintableAscii(head[1]) ||
                                  (IsPrintableAscii(head[0]) && IsControlBreak(head[1]))
                            : IsControlBreak(head[0]) || IsPrintableAscii(head[0]);
    encoding_ = ascii ? FileEncoding::Ascii : FileEncoding::Undetermined;
}

uint32_t File::ReadFromBeginning(std::unique_ptr<char[]>& buffer) {
    OpenFile(FileAccess::Read, FileCreation::OpenExisting);
    if (!IsOpen()) {
        throw new Exception(L"File::ReadFromBeginning()\nFile : %s\n%s", path_, GetLastErrorText());
    }
    DetectEncoding();
    SetPointerToBeginning();
    return LoadIntoMemory(buffer);
}

bool File::ReadAll(std::string& bytes, uint32_t sizeLimit) {
    try {
        if (!IsOpen() || GetSize() > sizeLimit) return false;
        std::unique_ptr<char[]> buffer;
        uint32_t size = LoadIntoMemory(buffer);
        bytes.assign(buffer.get(), size);
        return true;
    } catch (Exception* e) {
        delete e;
        return false;
    }
}

bool File::ReadWholeFile(const wchar_t* path, uint32_t sizeLimit, std::string& bytes) {
    File file(path);
    try {
        file.OpenFile(FileAccess::Read, FileCreation::OpenExisting);
    } catch (Exception* e) {
        delete e;  // no path
        return false;
    }
    return file.ReadAll(bytes, sizeLimit);
}

bool File::GetIdentity(FileIdentity& identity) const { return IsOpen() && SystemIdentity(handle_, identity); }

bool File::Flush() { return IsOpen() && SystemFlush(handle_); }

bool File::RenameTo(const wchar_t* target) {
    if (!IsOpen() || !SystemRename(handle_, path_.GetText(), target)) return false;
    path_.Set(target);
    return true;
}

bool File::DeleteWhenClosed() { return IsOpen() && SystemDeleteOpen(handle_, path_.GetText()); }

}  // namespace util
