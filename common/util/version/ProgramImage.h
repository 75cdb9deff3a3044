// ProgramImage: what a Windows program file's bytes say of it: its machine and its version resource.
#pragma once

#include "common/Object.h"
#include "common/String.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace util {
namespace version {

// Reads a PE file from its bytes in memory, never by its path, so that what it says is
// about the very bytes that were checked: the machine of its PE header and the texts of
// its version resource (RT_VERSION, "StringFileInfo"). The bytes come from outside and
// may be anything: every offset is checked against them, and a malformed file reads as
// one without a header or resource. The same code reads on every platform.
class ProgramImage : public Object {
public:
    // bytes: the whole file; not copied, it must outlive the object.
    ProgramImage(const char* bytes, size_t size);
    explicit ProgramImage(const std::string& bytes) : ProgramImage(bytes.data(), bytes.size()) {}
    explicit ProgramImage(std::string&& bytes) = delete;  // would not outlive the object

    // The PE header's machine (0x014C i386, 0x8664 AMD64); 0 without a PE header.
    uint16_t GetMachine() const { return machine_; }
    // The value of key ("OriginalFilename", "ProductVersion", ...) in the string table
    // of the resource's first translation (or its first table when none is that one); an
    // empty but allocated text when the resource, the table or the key is missing.
    String GetVersionValue(const wchar_t* key) const;

private:
    // Finds the PE header and the version resource's bytes.
    void Read();
    // The file offset of a relative virtual address with at least size bytes there;
    // SIZE_MAX when no section holds them.
    size_t OffsetOf(uint32_t address, uint32_t size) const;

    const uint8_t* bytes_;
    size_t size_;
    uint16_t machine_ = 0;
    size_t sectionTable_ = 0;  // offset of the section headers
    uint16_t sections_ = 0;
    size_t versionOffset_ = 0;  // the version resource within bytes_; size 0 when none
    size_t versionSize_ = 0;
};

}  // namespace version
}  // namespace util
