// Fuzzes the solver with any grid a file can give, repeated givens included: the solve
// ends (the fuzzer's time-out catches one that does not), keeps every given, and ends
// the same whether it takes every step or skips them where their end is certain. The
// coach's next step on the grid goes into an empty cell and is one of its candidates.
#include "puzzle/Coach.h"
#include "puzzle/EnneoPuzzle.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);  // ends in a terminator
    EnneoPuzzle puzzle;
    puzzle.LoadFromString(text.c_str());
    EnneoPuzzle before = puzzle;
    EnneoPuzzle stepped = puzzle;
    Coach coach(puzzle);
    if (coach.GetVerdict() == Coach::kOpen) {
        Coach::Step step = coach.GetNextStep();
        int mask = puzzle.GetCandidatesMask(step.cell.x, step.cell.y);
        if (step.digit < 1 || step.digit > 9 || (mask & (1 << (step.digit - 1))) == 0) __builtin_trap();
    }
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
