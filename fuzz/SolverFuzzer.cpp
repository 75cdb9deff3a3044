// Fuzzes the solver with any grid a file can give, repeated givens included: the solve
// ends (the fuzzer's time-out catches one that does not), keeps every given, and ends
// the same whether it takes every step or skips them where their end is certain.
#include "puzzle/EnneoPuzzle.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);  // ends in a terminator
    EnneoPuzzle puzzle;
    puzzle.LoadFromString(text.c_str());
    EnneoPuzzle before = puzzle;
    EnneoPuzzle stepped = puzzle;
    puzzle.Solve();
    stepped.Solve([](int, int, int) {});
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (before.GetCellState(x, y) == EnneoPuzzle::CELL_KNOWN && puzzle.GetCell(x, y) != before.GetCell(x, y)) {
                __builtin_trap();
            }
            if (puzzle.GetCell(x, y) != stepped.GetCell(x, y) ||
                puzzle.GetCellState(x, y) != stepped.GetCellState(x, y)) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
