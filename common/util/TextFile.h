// TextFile: a File that appends lines of text in its encoding.
#pragma once

#include "File.h"

namespace util {

// A File of text, mostly lines ending in CR LF. Ascii files take UTF-8 bytes; every other
// encoding takes UTF-16 little-endian, whatever the platform's wide character size.
class TextFile : public File {
public:
    explicit TextFile(const wchar_t* path) : File(path, L"TextFile") {}
    virtual ~TextFile() = default;

    // Appends text and CR LF at the end of the open file; raises when it is not open.
    void WriteLine(const wchar_t* text);
    // Appends text alone, without a line end; raises when the file is not open.
    void WriteText(const wchar_t* text);

private:
    void Append(const wchar_t* text);
};

}  // namespace util
