// Fuzzes enneo-solve's reader of its input: a puzzle file or a list of puzzle lines.
#include "tools/enneo-solve/PuzzleInput.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PuzzleInput input(std::string(reinterpret_cast<const char*>(data), size));
    for (const PuzzleInput::BadLine& line : input.GetBadLines()) {
        if (line.number < 1) __builtin_trap();
    }
    return 0;
}
