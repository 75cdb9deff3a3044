// Coach: the next step on a board, the player's mistakes, and a check of both.
#include "Coach.h"

#include "CandidateGrid.h"
#include "StepSolver.h"
#include "TechniqueFinder.h"

Coach::Coach(const EnneoPuzzle& board, int64_t verdictBudget)
    : givens_(PuzzleSolution::GivensOf(board), &verdictBudget), puzzle_(givens_) {
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
        puzzle_ = PuzzleSolution(grid, &verdictBudget);
        switch (puzzle_.GetCount()) {
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

std::optional<Hint> Coach::GetHint(const GameState& state) const {
    const EnneoPuzzle& board = state.puzzle;
    Hint hint;
    if (verdict_ == kMisfits) {
        hint.kind = Hint::kMistake;
        hint.cell = misfits_.front();
        hint.digit = board.GetCell(hint.cell.x, hint.cell.y);
        return hint;
    }
    if (verdict_ != kOpen) return std::nullopt;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            int marks = state.marks.Get(x, y);
            if (board.GetCell(x, y) == 0 && marks != 0 && (marks >> (puzzle_.DigitAt({x, y}) - 1) & 1) == 0) {
                hint.kind = Hint::kMissingMark;
                hint.cell = {x, y};
                return hint;
            }
        }
    }
    // Every candidate list holds the solution's digit, so the ladder's steps are sound;
    // those that rest on uniqueness only where the givens have one solution.
    CandidateGrid grid(board, state.marks);
    hint.step = TechniqueFinder(grid, givens_.GetCount() == PuzzleSolution::kOne).FindSimplest();
    if (hint.step) {
        hint.kind = Hint::kTechnique;
        return hint;
    }
    hint.cell = step_.cell;
    hint.digit = step_.digit;
    hint.strategy = step_.strategy;
    return hint;
}

std::optional<PuzzleGenerator::Level> Coach::GetLevel() const {
    if (givens_.GetCount() != PuzzleSolution::kOne) return std::nullopt;
    return givens_.GetLevel();
}
