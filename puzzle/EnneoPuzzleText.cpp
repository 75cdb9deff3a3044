// EnneoPuzzle: the text format, printing, loading and saving.
#include "EnneoPuzzle.h"

#include "common/FilePath.h"
#include "common/util/RegularFile.h"
#include "common/util/SafeSave.h"

#include <algorithm>
#include <cstring>
#include <string>

const char EnneoPuzzle::kSeparatorLine[] = "-------+-------+------\r\n";

// Its first line has no leading space and its last line no line end.
const char EnneoPuzzle::kSampleText[] =
    ". 9 7 | 3 . 5 | . 4 .\r\n"
    " . . . | . . 6 | . . .\r\n"
    " . . 2 | 9 8 . | . . .\r\n"
    "-------+-------+------\r\n"
    " . . . | 6 . . | . . 5\r\n"
    " . 2 8 | . . . | . . 3\r\n"
    " 6 4 . | 7 . . | . 8 .\r\n"
    "-------+-------+------\r\n"
    " . . . | . . 3 | 8 6 7\r\n"
    " . . . | . . . | . . .\r\n"
    " 7 . 5 | . . . | . . 4";

const wchar_t* EnneoPuzzle::Print() {
    wchar_t* out = print_;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            int value = GetCell(x, y);
            *out++ = L' ';
            *out++ = value != 0 ? static_cast<wchar_t>(L'0' + value) : L'.';
            if (x == 3 || x == 6) {
                *out++ = L' ';
                *out++ = L'|';
            }
        }
        *out++ = L'\r';
        *out++ = L'\n';
        if (y == 3 || y == 6) {
            out = std::copy(kSeparatorLine, kSeparatorLine + kSeparatorLength, out);
        }
    }
    *out = 0;
    return print_;
}

void EnneoPuzzle::LoadFromBytes(const char* bytes, size_t count) {
    // Only ASCII characters mean anything here, and every ANSI code page maps ASCII
    // bytes to themselves, so the bytes are compared directly.
    if (count > static_cast<size_t>(kFileLength)) count = kFileLength;
    int row = 0;
    int column = 0;
    for (size_t i = 0; i < count; ++i) {
        char c = bytes[i];
        if (c == '\r') {
            ++row;
            column = 0;
            ++i;  // the LF of CR LF, unread
        } else if (c == '-') {
            i += kSeparatorLength - 1;  // a separator line, its CR LF included
        } else if (c == '.' || (c >= '1' && c <= '9')) {
            if (row < 9 && column < 9) {
                values_[column][row] = c == '.' ? 0 : c - '0';
                states_[column][row] = c == '.' ? CELL_EMPTY : CELL_KNOWN;
            }
            ++column;
        }
    }
}

void EnneoPuzzle::LoadFromString(const char* text) {
    LoadFromBytes(text, strnlen(text, kFileLength));
}

bool EnneoPuzzle::Load(const wchar_t* path) {
    std::string bytes;
    if (util::ReadRegularFile(ToFilePath(path), kFileLength, bytes) != util::RegularRead::Read) return false;
    LoadFromBytes(bytes.data(), bytes.size());
    return true;
}

bool EnneoPuzzle::Save(const wchar_t* path) {
    Print();
    char bytes[kFileLength] = {};
    for (int i = 0; i < kPrintLength; ++i) bytes[i] = static_cast<char>(print_[i]);

    // Never at the cost of the old file (see SafeSave).
    return util::SafeSave(ToFilePath(path), bytes, kFileLength);
}
