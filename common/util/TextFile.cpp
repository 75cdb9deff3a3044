// TextFile: a File that appends lines of text in its encoding.
#include "TextFile.h"

#include "common/Exception.h"

#include <cstring>
#include <string>

namespace util {

namespace {

void AppendUnit(std::string& bytes, uint32_t unit) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
}

// UTF-16 little-endian bytes of wide text. Where wchar_t holds whole code points
// (4 bytes), those beyond the basic plane become surrogate pairs.
std::string ToUtf16LittleEndian(const wchar_t* text) {
    std::string bytes;
    for (const wchar_t* p = text; *p != 0; ++p) {
        uint32_t code = static_cast<uint32_t>(*p);
        if (code > 0xFFFF) {
            code -= 0x10000;
            AppendUnit(bytes, 0xD800 | (code >> 10));
            AppendUnit(bytes, 0xDC00 | (code & 0x3FF));
        } else {
            AppendUnit(bytes, code);
        }
    }
    return bytes;
}

}  // namespace

void TextFile::WriteLine(const wchar_t* text) {
    if (!IsOpen()) throw new Exception(L"TextFile::WriteLine()\nFile is not open or invalid.");
    String line;
    line.Format(L"%s\r\n", text == nullptr ? L"" : text);
    Append(line.GetText());
}

void TextFile::WriteText(const wchar_t* text) {
    if (!IsOpen()) throw new Exception(L"TextFile::WriteText()\nFile is not open or invalid.");
    if (text != nullptr && text[0] != 0) Append(text);
}

void TextFile::Append(const wchar_t* text) {
    SetPointerToEnd();
    if (GetEncoding() == FileEncoding::Ascii) {
        String copy(text);
        const char* utf8 = copy.ToUtf8();
        Write(utf8, static_cast<uint32_t>(std::strlen(utf8)));
        return;
    }
    std::string bytes = ToUtf16LittleEndian(text);
    Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

}  // namespace util
