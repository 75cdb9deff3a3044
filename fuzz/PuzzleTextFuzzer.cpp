// Fuzzes the puzzle file reader: any bytes load without harm and print a proper grid.
#include "puzzle/EnneoPuzzle.h"

#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnneoPuzzle fromBytes;
    fromBytes.LoadFromBytes(reinterpret_cast<const char*>(data), size);
    if (std::wcslen(fromBytes.Print()) != EnneoPuzzle::kPrintLength) __builtin_trap();

    std::string text(reinterpret_cast<const char*>(data), size);  // ends in a terminator
    EnneoPuzzle fromText;
    fromText.LoadFromString(text.c_str());
    fromText.Solve();  // any grid a file can give, repeated givens included
    return 0;
}
