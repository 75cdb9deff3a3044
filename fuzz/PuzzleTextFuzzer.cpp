// Fuzzes the puzzle file reader: any bytes load without harm, print a proper grid, and
// the printed grid reads back as the same digits.
#include "puzzle/EnneoPuzzle.h"

#include <cstdint>
#include <cwchar>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnneoPuzzle fromBytes;
    fromBytes.LoadFromBytes(reinterpret_cast<const char*>(data), size);
    const wchar_t* printed = fromBytes.Print();
    if (std::wcslen(printed) != EnneoPuzzle::kPrintLength) __builtin_trap();

    std::string printedText(printed, printed + EnneoPuzzle::kPrintLength);  // ASCII only
    EnneoPuzzle again;
    again.LoadFromString(printedText.c_str());
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (again.GetCell(x, y) != fromBytes.GetCell(x, y)) __builtin_trap();
        }
    }

    std::string text(reinterpret_cast<const char*>(data), size);  // ends in a terminator
    EnneoPuzzle fromText;
    fromText.LoadFromString(text.c_str());
    return 0;
}
