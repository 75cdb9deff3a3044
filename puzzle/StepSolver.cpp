// StepSolver: the solver's steps on a SolverGrid, and what a solve learns on the way.
#include "StepSolver.h"

bool StepSolver::Step(SolverGrid::Placement& placement, SolverGrid::Strategy* used) {
    if (grid_.FindDeduction(placement, used)) {
        grid_.Place(placement);
        return true;
    }
    return PlaceByTrial(placement);
}

bool StepSolver::FindEnd(const SolverGrid& grid, SolverGrid& end) {
    int64_t budget = kSolveBudget;
    return !grid.HasRepeatedDigit() && grid.CountCompletions(2, &end, &budget) == 1;
}

bool StepSolver::PlaceByTrial(SolverGrid::Placement& placement) {
    placement = {-1, 0};
    int cell = grid_.FirstEmptyCell();
    if (cell < 0) return false;
    for (int mask = grid_.GetCandidates(cell); mask != 0; mask &= mask - 1) {
        placement = {cell, SolverGrid::LowestDigit(mask)};
        SolverGrid trial = grid_;
        trial.Place(placement);
        if (LeadsToSolution(trial)) {
            grid_ = trial;
            return true;
        }
    }
    if (placement.digit != 0) grid_.Place(placement);
    return false;
}

// Without a repeated digit every deduction is forced in each completion, and each trial
// keeps a candidate with a completion, so by induction over the empty cells the steps
// fill the grid exactly when it has a completion. Deductions and kept trials therefore
// keep a known completion valid, and a grid with only one completion decides every
// trial by comparison with it.
bool StepSolver::LeadsToSolution(const SolverGrid& trial) {
    if (grid_.HasRepeatedDigit()) return FillsOn(trial);
    if (completions_ == kUnknown) {
        int count = grid_.CountCompletions(2, &completion_, &searchBudget_);
        completions_ = count <= 0 ? kNone : count == 1 ? kOnlyOne : kSome;  // a spent budget: none known
    }
    if (completions_ == kNone) return false;
    if (trial.IsPartOf(completion_)) return true;
    if (completions_ == kOnlyOne) return false;
    int count = trial.CountCompletions(2, &completion_, &searchBudget_);
    if (count <= 0) return false;
    completions_ = count == 1 ? kOnlyOne : kSome;  // the trial is kept: it becomes grid_
    return true;
}

bool StepSolver::FillsOn(const SolverGrid& trial) {
    return trial.CountCompletions(1, nullptr, &searchBudget_) > 0 && SolvesOn(trial);
}

bool StepSolver::SolvesOn(SolverGrid grid) {
    for (;;) {
        SolverGrid::Placement placement;
        if (grid.FindDeduction(placement)) {
            grid.Place(placement);
            continue;
        }
        int cell = grid.FirstEmptyCell();
        if (cell < 0) return true;
        for (int mask = grid.GetCandidates(cell); mask != 0; mask &= mask - 1) {
            SolverGrid trial = grid;
            trial.Place(cell, SolverGrid::LowestDigit(mask));
            if (FillsOn(trial)) return true;
        }
        return false;
    }
}
