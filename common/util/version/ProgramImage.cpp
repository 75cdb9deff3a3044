// ProgramImage: what a Windows program file's bytes say of it: its machine and its version resource.
#include "ProgramImage.h"

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace util {
namespace version {

namespace {

const uint16_t kResourceTypeVersion = 16;  // RT_VERSION
const uint16_t kVersionResourceId = 1;

// Little-endian integers at an offset the caller has checked.
uint16_t Word(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }
uint32_t Dword(const uint8_t* at) { return Word(at) | static_cast<uint32_t>(Word(at + 2)) << 16; }

// True when size bytes from offset lie within total.
bool Fits(size_t offset, size_t size, size_t total) { return offset <= total && size <= total - offset; }

size_t AlignedToDword(size_t offset) { return (offset + 3) & ~static_cast<size_t>(3); }

// One block of a version resource (VS_VERSIONINFO, StringFileInfo, a string table, a
// string, ...): its key, its value and its children, as offsets within the resource.
struct Block {
    size_t end = 0;  // just after the block
    std::u16string key;
    size_t value = 0;       // offset of the value
    size_t valueBytes = 0;  // its size in bytes
    size_t children = 0;    // offset of the first child
};

// The block at offset of the resource data, which ends at limit; false when it is
// malformed or does not fit.
bool ReadBlock(const uint8_t* data, size_t offset, size_t limit, Block& block) {
    const size_t kHeader = 6;  // wLength, wValueLength, wType
    if (!Fits(offset, kHeader, limit)) return false;
    size_t length = Word(data + offset);
    if (length < kHeader || !Fits(offset, length, limit)) return false;
    block.end = offset + length;
    bool text = Word(data + offset + 4) == 1;
    block.key.clear();
    size_t at = offset + kHeader;
    for (;; at += 2) {
        if (!Fits(at, 2, block.end)) return false;
        char16_t unit = Word(data + at);
        if (unit == 0) break;
        block.key += unit;
    }
    block.value = AlignedToDword(at + 2);
    block.valueBytes = static_cast<size_t>(Word(data + offset + 2)) * (text ? 2 : 1);
    if (!Fits(block.value, block.valueBytes, block.end)) block.valueBytes = 0;
    block.children = AlignedToDword(block.value + block.valueBytes);
    return true;
}

// The children of the block, in order; a malformed one ends the list.
std::vector<Block> ChildrenOf(const uint8_t* data, const Block& parent) {
    std::vector<Block> children;
    Block child;
    for (size_t at = parent.children; at < parent.end && ReadBlock(data, at, parent.end, child);
         at = AlignedToDword(child.end)) {
        children.push_back(child);
    }
    return children;
}

// The first child of parent with the key into found; false when it has none.
bool FindChild(const uint8_t* data, const Block& parent, const std::u16string& key, Block& found) {
    for (const Block& child : ChildrenOf(data, parent)) {
        if (child.key == key) {
            found = child;
            return true;
        }
    }
    return false;
}

std::u16string ToUtf16(const wchar_t* text) {
    std::u16string units;
    for (const wchar_t* c = text; *c != 0; ++c) {
        auto code = static_cast<uint32_t>(*c);
        if (code > 0xFFFF) {  // wchar_t is UTF-32 off Windows
            code -= 0x10000;
            units += static_cast<char16_t>(0xD800 + (code >> 10));
            units += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            units += static_cast<char16_t>(code);
        }
    }
    return units;
}

// UTF-16 units up to the first zero as wide text.
String FromUtf16(const uint8_t* at, size_t units) {
    std::wstring text;
    for (size_t i = 0; i < units; ++i) {
        char16_t unit = Word(at + 2 * i);
        if (unit == 0) break;
        if (sizeof(wchar_t) > 2 && unit >= 0xD800 && unit < 0xDC00 && i + 1 < units) {
            char16_t low = Word(at + 2 * (i + 1));
            if (low >= 0xDC00 && low < 0xE000) {
                text += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        text += static_cast<wchar_t>(unit);
    }
    return String(text.c_str());
}

// The upper-case hex digits of the four bytes of a translation ("0C0A04B0").
std::u16string TableKey(uint16_t language, uint16_t codePage) {
    static const char kHex[] = "0123456789ABCDEF";
    uint32_t value = static_cast<uint32_t>(language) << 16 | codePage;
    std::u16string key;
    for (int shift = 28; shift >= 0; shift -= 4) key += static_cast<char16_t>(kHex[(value >> shift) & 0xF]);
    return key;
}

}  // namespace

ProgramImage::ProgramImage(const char* bytes, size_t size)
    : Object(L"ProgramImage"), bytes_(reinterpret_cast<const uint8_t*>(bytes)), size_(bytes != nullptr ? size : 0) {
    Read();
}

size_t ProgramImage::OffsetOf(uint32_t address, uint32_t size) const {
    for (uint16_t i = 0; i < sections_; ++i) {
        const uint8_t* section = bytes_ + sectionTable_ + 40 * static_cast<size_t>(i);
        uint32_t start = Dword(section + 12);  // VirtualAddress
        uint32_t rawSize = Dword(section + 16);
        uint32_t rawOffset = Dword(section + 20);
        if (address < start || !Fits(address - start, size, rawSize)) continue;
        size_t offset = static_cast<size_t>(rawOffset) + (address - start);
        return Fits(offset, size, size_) ? offset : SIZE_MAX;
    }
    return SIZE_MAX;
}

void ProgramImage::Read() {
    if (!Fits(0, 0x40, size_) || bytes_[0] != 'M' || bytes_[1] != 'Z') return;
    size_t header = Dword(bytes_ + 0x3C);
    const size_t kCoffHeader = 24;  // "PE\0\0" and the file header
    if (!Fits(header, kCoffHeader, size_) || Dword(bytes_ + header) != 0x00004550) return;
    machine_ = Word(bytes_ + header + 4);
    sections_ = Word(bytes_ + header + 6);
    size_t optional = header + kCoffHeader;
    size_t optionalSize = Word(bytes_ + header + 20);
    sectionTable_ = optional + optionalSize;
    if (!Fits(optional, optionalSize, size_) || !Fits(sectionTable_, 40 * static_cast<size_t>(sections_), size_)) {
        sections_ = 0;
        return;
    }
    // The data directories follow the optional header's fixed part, 96 bytes in PE32 and
    // 112 in PE32+; the resource table is the third.
    uint16_t magic = optionalSize >= 2 ? Word(bytes_ + optional) : 0;
    size_t directories = magic == 0x10B ? 96 : magic == 0x20B ? 112 : SIZE_MAX;
    if (directories == SIZE_MAX || optionalSize < directories + 3 * 8 ||
        Dword(bytes_ + optional + directories - 4) < 3) {
        return;
    }
    uint32_t resources = Dword(bytes_ + optional + directories + 2 * 8);
    // Three levels: the type, the name, the language; the first language's data.
    uint32_t wanted[] = {kResourceTypeVersion, kVersionResourceId, UINT32_MAX};
    uint32_t directory = 0;  // offset within the resources
    for (uint32_t id : wanted) {
        size_t table = OffsetOf(resources + directory, 16);
        if (table == SIZE_MAX) return;
        size_t count = static_cast<size_t>(Word(bytes_ + table + 12)) + Word(bytes_ + table + 14);
        size_t entries = OffsetOf(resources + directory + 16, static_cast<uint32_t>(8 * count));
        if (count == 0 || entries == SIZE_MAX) return;
        size_t found = SIZE_MAX;
        for (size_t i = 0; i < count && found == SIZE_MAX; ++i) {
            if (id == UINT32_MAX || Dword(bytes_ + entries + 8 * i) == id) found = entries + 8 * i;
        }
        if (found == SIZE_MAX) return;
        uint32_t target = Dword(bytes_ + found + 4);
        bool subdirectory = (target & 0x80000000u) != 0;
        if (subdirectory != (id != UINT32_MAX)) return;
        directory = target & 0x7FFFFFFFu;
    }
    size_t data = OffsetOf(resources + directory, 16);
    if (data == SIZE_MAX) return;
    uint32_t dataSize = Dword(bytes_ + data + 4);
    size_t version = OffsetOf(Dword(bytes_ + data), dataSize);
    if (version == SIZE_MAX) return;
    versionOffset_ = version;
    versionSize_ = dataSize;
}

String ProgramImage::GetVersionValue(const wchar_t* key) const {
    String none(L"");
    const uint8_t* data = bytes_ + versionOffset_;
    Block root;
    if (versionSize_ == 0 || key == nullptr || !ReadBlock(data, 0, versionSize_, root)) return none;
    std::u16string wanted;
    Block variables, translation, strings, value;
    if (FindChild(data, root, u"VarFileInfo", variables) && FindChild(data, variables, u"Translation", translation) &&
        translation.valueBytes >= 4) {
        wanted = TableKey(Word(data + translation.value), Word(data + translation.value + 2));
    }
    if (!FindChild(data, root, u"StringFileInfo", strings)) return none;
    std::vector<Block> tables = ChildrenOf(data, strings);
    const Block* table = tables.empty() ? nullptr : &tables.front();
    for (const Block& candidate : tables) {
        // Windows compares the table's key without regard to case.
        std::u16string upper = candidate.key;
        for (char16_t& unit : upper) {
            if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
        }
        if (!wanted.empty() && upper == wanted) {
            table = &candidate;
            break;
        }
    }
    if (table == nullptr || !FindChild(data, *table, ToUtf16(key), value)) return none;
    return FromUtf16(data + value.value, value.valueBytes / 2);
}

}  // namespace version
}  // namespace util
