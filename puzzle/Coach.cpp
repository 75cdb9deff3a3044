// Coach: the solver's next step on a board, the player's mistakes, and a check of both.
#include "Coach.h"

#include "StepSolver.h"

Coach::Coach(const EnneoPuzzle& board, int64_t verdictBudget)
    : givens_(PuzzleSolution::GivensOf(board), &verdictBudget) {
    SolverGrid grid(board);
    switch (givens_.GetCount()) {
    case PuzzleSolution::kUndecided: return;
    case PuzzleSolution::kNone: verdict_ = kNoSolution; return;
    case PuzzleSolution::kOne:
        misfits_ = givens_.MisfitsOf(board);
        if (!misfits_.empty()) {
            verdict_ = kMisfits;
            return;
        }
        break;
    case PuzzleSolution::kSeveral:
        if (grid.IsPartOf(givens_.GetPuzzle())) {
            verdict_ = kSeveralSolutions;
            return;
        }
        // Digits beyond the givens: the puzzle is every digit on the board.
        switch (PuzzleSolution(grid, &verdictBudget).GetCount()) {
        case PuzzleSolution::kOne: break;
        case PuzzleSolution::kNone: verdict_ = kNoSolutionFits; return;
        case PuzzleSolution::kSeveral: verdict_ = kSeveralSolutions; return;
        case PuzzleSolution::kUndecided: return;
        }
        break;
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

std::optional<Hint> Coach::GetHint(const EnneoPuzzle& board) const {
    Hint hint;
    if (verdict_ == kMisfits) {
        EnneoPuzzle::Cell cell = misfits_.front();
        hint.kind = Hint::kMistake;
        hint.cells = {cell};
        hint.placement = Hint::Candidate{cell, board.GetCell(cell.x, cell.y)};
        return hint;
    }
    if (verdict_ != kOpen) return std::nullopt;
    hint.technique = step_.strategy;
    hint.cells = {step_.cell};
    hint.placement = Hint::Candidate{step_.cell, step_.digit};
    switch (step_.strategy) {
    case SolverGrid::kSingleInBlock: hint.unit = GridUnit::BlockOf(step_.cell); break;
    case SolverGrid::kSingleInRow: hint.unit = GridUnit::RowOf(step_.cell); break;
    case SolverGrid::kSingleInColumn: hint.unit = GridUnit::ColumnOf(step_.cell); break;
    case SolverGrid::kSingleCandidate:
    case SolverGrid::kTrial: break;
    }
    return hint;
}

std::optional<double> Coach::GetRating() const {
    if (givens_.GetCount() != PuzzleSolution::kOne) return std::nullopt;
    return givens_.GetRating();
}

std::optional<PuzzleLevel> Coach::GetLevel() const {
    std::optional<double> rating = GetRating();
    if (!rating) return std::nullopt;
    return LevelOf(*rating);
}
