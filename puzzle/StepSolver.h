// StepSolver: the solver's steps on a SolverGrid, and what a solve learns on the way.
#pragma once

#include "SolverGrid.h"

// Takes the solver's steps, one placement each, exactly as the plain rule does: a
// deduction if there is one, otherwise a trial of each candidate of the first empty
// cell, kept when solving on from it fills the grid. The plain rule finds that out by
// solving on, and then throws the result away; here it is answered without replaying:
// when no digit repeats, the steps are sound and solving on fills the grid exactly when
// the trial grid has a completion at all, which a search finds out, and one completion
// found (or the knowledge that it is the only one) stays valid for every later step.
// Only a grid with a repeated given is solved on step by step as the rule says.
//
// Whether a grid has a completion can take a search of exponential size: seldom with
// givens that obey the rule (a few hundred nodes for the hardest known puzzles), but
// repeated givens weaken what the search may conclude, and a file can make a single
// trial take minutes. So one solver searches at most kSolveBudget nodes (about a
// tenth of a second here); once they are spent every trial fails, as the plain rule's
// does when it finds no way on, and the solve ends.
class StepSolver {
public:
    static const int64_t kSolveBudget = 100000;

    explicit StepSolver(const SolverGrid& grid) : grid_(grid), completion_(grid) {}

    // One step. True when placement was placed. False when no step applies; then
    // placement.digit is 0, or, after a failed trial, placement is the last candidate
    // tried, which stays in the grid as the plain rule leaves it. *used, when given, is
    // the strategy of the step (kTrial for a trial, kept or failed).
    bool Step(SolverGrid::Placement& placement, SolverGrid::Strategy* used);
    bool Step(SolverGrid::Placement& placement) { return Step(placement, nullptr); }
    // The trial alone, with the same results.
    bool PlaceByTrial(SolverGrid::Placement& placement);
    const SolverGrid& GetGrid() const { return grid_; }

    // The grid that the steps from grid end with, where that is certain without taking
    // them: true, with end that grid, when no digit repeats and grid has exactly one
    // completion within kSolveBudget nodes. Every deduction and every kept trial then
    // follows that completion, and the search the steps make at their first trial, from
    // what deductions leave, comes to the same forced digits and so to the same nodes:
    // within the budget, and once more one completion. The steps end with it in place.
    static bool FindEnd(const SolverGrid& grid, SolverGrid& end);

private:
    // Whether solving on from the trial grid, one digit placed beyond grid_, fills it.
    bool LeadsToSolution(const SolverGrid& trial);
    // The plain rule's outcome for a grid with a repeated digit: whether its steps end
    // with the grid filled.
    bool SolvesOn(SolverGrid grid);
    // SolvesOn for a trial grid, which is first checked for a completion, without which
    // it cannot fill the grid.
    bool FillsOn(const SolverGrid& trial);

    enum Completions { kUnknown, kNone, kOnlyOne, kSome };

    SolverGrid grid_;
    Completions completions_ = kUnknown;  // of grid_, when no digit repeats
    SolverGrid completion_;               // one of them, for kOnlyOne and kSome
    int64_t searchBudget_ = kSolveBudget;
};
