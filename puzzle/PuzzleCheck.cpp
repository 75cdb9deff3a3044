// PuzzleCheck: whether a puzzle that comes in can be played, and what to tell the player.
#include "PuzzleCheck.h"

#include "SolverGrid.h"

namespace {

const wchar_t* const kCountWords[] = {L"", L"", L"two", L"three", L"four", L"five", L"six", L"seven", L"eight", L"nine"};
const wchar_t* const kBlockNames[] = {
    L"the top left block",    L"the top middle block", L"the top right block",
    L"the middle left block", L"the centre block",     L"the middle right block",
    L"the bottom left block", L"the bottom middle block", L"the bottom right block",
};

// Cell i (0 to 8) of unit u (0 to 8) of a kind: rows, columns, blocks in reading order.
enum UnitKind { kRow, kColumn, kBlock };

EnneoPuzzle::Cell CellOf(UnitKind kind, int unit, int i) {
    switch (kind) {
    case kRow:
        return {i + 1, unit + 1};
    case kColumn:
        return {unit + 1, i + 1};
    default:
        return {unit % 3 * 3 + i % 3 + 1, unit / 3 * 3 + i / 3 + 1};
    }
}

std::wstring UnitName(UnitKind kind, int unit) {
    if (kind == kBlock) return kBlockNames[unit];
    return (kind == kRow ? L"row " : L"column ") + std::to_wstring(unit + 1);
}

}  // namespace

PuzzleCheck::PuzzleCheck(const EnneoPuzzle& puzzle, int64_t searchBudget) {
    if (FindClash(puzzle)) {
        verdict_ = kClash;
        return;
    }
    int solutions = SolverGrid(puzzle).CountCompletions(2, nullptr, &searchBudget);
    if (solutions < 0) {
        verdict_ = kUndecided;
    } else if (solutions == 0) {
        verdict_ = kNoSolution;
        sentence_ = L"This puzzle has no solution.";
    } else if (solutions > 1) {
        verdict_ = kSeveralSolutions;
        sentence_ = L"This puzzle has more than one solution.";
    }
}

bool PuzzleCheck::FindClash(const EnneoPuzzle& puzzle) {
    for (UnitKind kind : {kRow, kColumn, kBlock}) {
        for (int unit = 0; unit < 9; ++unit) {
            int counts[10] = {};
            for (int i = 0; i < 9; ++i) {
                EnneoPuzzle::Cell cell = CellOf(kind, unit, i);
                ++counts[puzzle.GetCell(cell.x, cell.y)];
            }
            for (int digit = 1; digit <= 9; ++digit) {
                if (counts[digit] < 2) continue;
                sentence_ = L"This puzzle breaks the rules: " + UnitName(kind, unit) + L" holds " +
                            kCountWords[counts[digit]] + L" " + std::to_wstring(digit) + L"s.";
                return true;
            }
        }
    }
    return false;
}
