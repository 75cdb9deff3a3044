// Coach: the solver's next step on a board, the player's mistakes, and a check of both.
#include "Coach.h"

#include "StepSolver.h"

namespace {

// The board with its set digits emptied: its givens alone.
EnneoPuzzle GivensOf(const EnneoPuzzle& board) {
    EnneoPuzzle givens = board;
    givens.Reset();
    return givens;
}

}  // namespace

Coach::Coach(const EnneoPuzzle& board, int64_t verdictBudget)
    : puzzle_(GivensOf(board)), solution_(puzzle_), verdictBudget_(verdictBudget) {
    int solutions = CountSolutions();
    if (solutions < 0) return;
    SolverGrid grid(board);
    if (solutions == 1) {
        for (int y = 1; y <= 9; ++y) {
            for (int x = 1; x <= 9; ++x) {
                int cell = (x - 1) * 9 + (y - 1);
                if (!grid.IsEmpty(cell) && grid.GetDigit(cell) != solution_.GetDigit(cell)) misfits_.push_back({x, y});
            }
        }
        if (!misfits_.empty()) {
            verdict_ = kMisfits;
            return;
        }
    } else {
        if (!grid.IsPartOf(puzzle_)) {  // digits beyond the givens: counted anew
            puzzle_ = grid;
            solutions = CountSolutions();
        }
        if (solutions != 1) {
            verdict_ = solutions < 0 ? kUndecided : solutions == 0 ? kNoSolution : kSeveralSolutions;
            return;
        }
    }
    cellsLeft_ = grid.GetEmptyCount();
    if (cellsLeft_ == 0) {
        verdict_ = kSolved;
        return;
    }
    // The board has one completion, so the step places (a trial keeps the solution's
    // digit) unless the solver's own budget runs out first.
    SolverGrid::Placement placement;
    StepSolver solver(grid);
    if (!solver.Step(placement, &step_.strategy)) return;
    step_.cell = {placement.X(), placement.Y()};
    step_.digit = placement.digit;
    verdict_ = kOpen;
}

EnneoPuzzle::Cell Coach::GetHintCell() const {
    if (verdict_ == kMisfits) return misfits_.front();
    if (verdict_ == kOpen) return step_.cell;
    return {0, 0};
}

int Coach::CountSolutions() {
    if (puzzle_.HasRepeatedDigit()) return 0;
    return puzzle_.CountCompletions(2, &solution_, &verdictBudget_);
}
