// Fuzzes the reader of puzzles in every common text form: it reads nothing past the bound
// it is given, a puzzle that the check lets through keeps the validity rule, one it
// refuses has a repeated digit, and Copy's text of a puzzle reads back as the same digits.
// The same bytes as a web page's HTML give a grid of 81 cells or none.
#include "puzzle/HtmlGrid.h"
#include "puzzle/PuzzleCheck.h"
#include "puzzle/PuzzleExchange.h"
#include "puzzle/PuzzleLine.h"
#include "puzzle/SolverGrid.h"

#include "FuzzInput.h"

#include <sanitizer/asan_interface.h>

#include <string>
#include <vector>

namespace {

// Few puzzles of a list are checked, each with a small search budget, to keep the pace.
const size_t kPuzzlesChecked = 4;
const int64_t kSearchBudget = 2000;

void CheckPuzzle(const EnneoPuzzle& puzzle) {
    PuzzleCheck check(puzzle, kSearchBudget);
    if (!check.MayLoad()) {
        if (!SolverGrid(puzzle).HasRepeatedDigit() || check.GetMessage().IsEmpty()) __builtin_trap();
    } else {
        // Every given passes the validity rule when placed into an empty grid.
        EnneoPuzzle placed;
        for (int x = 1; x <= 9; ++x) {
            for (int y = 1; y <= 9; ++y) {
                if (puzzle.GetCellState(x, y) == EnneoPuzzle::CELL_SET) __builtin_trap();
                int digit = puzzle.GetCell(x, y);
                if (digit == 0) continue;
                placed.SetCell(x, y, digit, EnneoPuzzle::CELL_KNOWN);
                if (placed.GetCell(x, y) != digit) __builtin_trap();
            }
        }
    }
    PuzzleExchange copied(PuzzleExchange::CopyText(puzzle, PuzzleExchange::kGivens));
    if (copied.GetCount() != 1 || ToPuzzleLine(copied.GetPuzzle(0)) != ToPuzzleLine(puzzle)) __builtin_trap();
}

}  // namespace

// The first two bytes give the bound, the rest is the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    size_t bound = input.TakeByte();
    bound = bound << 8 | input.TakeByte();
    std::string rest = input.TakeRest();

    // The text in a buffer of its own size, its bytes past the bound poisoned, so that a
    // read of any of them stops the run.
    std::vector<char> text(rest.begin(), rest.end());
    bool poison = bound < text.size();
    if (poison) ASAN_POISON_MEMORY_REGION(text.data() + bound, text.size() - bound);
    PuzzleExchange exchange(std::string_view(text.data(), text.size()), bound);
    if (poison) ASAN_UNPOISON_MEMORY_REGION(text.data() + bound, text.size() - bound);

    size_t count = exchange.GetCount();
    bool one = exchange.GetForm() != PuzzleExchange::kNoPuzzle && exchange.GetForm() != PuzzleExchange::kLines;
    if ((exchange.GetForm() == PuzzleExchange::kNoPuzzle) != (count == 0) || (one && count != 1)) __builtin_trap();
    for (size_t i = 0; i < count && i < kPuzzlesChecked; ++i) CheckPuzzle(exchange.GetPuzzle(i));

    HtmlGrid grid(rest);
    const std::string& cells = grid.GetCells();
    if (!cells.empty() && (!IsPuzzleLine(cells) || !grid.GetRefusal().IsEmpty())) __builtin_trap();
    if (!cells.empty()) CheckPuzzle(ReadPuzzleLine(cells));
    return 0;
}
