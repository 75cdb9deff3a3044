// PuzzleSolution: whether a puzzle has one solution, and which digits of a board differ from it.
#include "PuzzleSolution.h"

namespace {

// SolverGrid's number of the cell (x, y).
int CellNumber(int x, int y) { return (x - 1) * 9 + (y - 1); }

}  // namespace

PuzzleSolution::PuzzleSolution(const SolverGrid& puzzle, int64_t* budget) : puzzle_(puzzle), solution_(puzzle) {
    // A repeated digit has no completion, and the search would not see it in the givens.
    int solutions = puzzle_.HasRepeatedDigit() ? 0 : puzzle_.CountCompletions(2, &solution_, budget);
    count_ = solutions < 0 ? kUndecided : solutions == 0 ? kNone : solutions == 1 ? kOne : kSeveral;
}

SolverGrid PuzzleSolution::GivensOf(const EnneoPuzzle& board) {
    EnneoPuzzle givens = board;
    givens.Reset();
    return SolverGrid(givens);
}

bool PuzzleSolution::IsGivensOf(const EnneoPuzzle& board) const {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            int given = board.GetCellState(x, y) == EnneoPuzzle::CELL_KNOWN ? board.GetCell(x, y) : 0;
            if (puzzle_.GetDigit(CellNumber(x, y)) != given) return false;
        }
    }
    return true;
}

int PuzzleSolution::DigitAt(EnneoPuzzle::Cell cell) const { return solution_.GetDigit(CellNumber(cell.x, cell.y)); }

std::vector<EnneoPuzzle::Cell> PuzzleSolution::MisfitsOf(const EnneoPuzzle& board) const {
    std::vector<EnneoPuzzle::Cell> misfits;
    if (count_ != kOne) return misfits;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            int digit = board.GetCell(x, y);
            if (digit != 0 && digit != solution_.GetDigit(CellNumber(x, y))) misfits.push_back({x, y});
        }
    }
    return misfits;
}
