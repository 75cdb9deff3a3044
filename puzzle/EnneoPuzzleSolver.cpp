// EnneoPuzzle: the solver, human-style deduction with trial placements as a last resort.
//
// The rule: a step places one digit into an empty cell, by the first strategy that
// finds one: a cell with a single candidate (cells column by column, each top to
// bottom); a digit with a single place in a block (blocks in reading order, digits from
// 1 up), in a row (from the top), in a column (from the left); else a trial at the
// first empty cell: each candidate from the lowest is placed and the grid solved on from
// there; the first that ends with a full grid is kept, without the rest of that
// solution. When every candidate fails, the step fails and the cell keeps the last one.
// Solving repeats steps until one fails. SolverGrid and StepSolver compute exactly these
// steps, without re-deriving each trial's solution step by step.
#include "EnneoPuzzle.h"

#include "SolverGrid.h"
#include "StepSolver.h"

namespace {

using Placement = SolverGrid::Placement;

// Places a digit the solver found, a candidate of its cell; does nothing for none.
void Put(EnneoPuzzle& puzzle, const Placement& placement) {
    if (placement.digit != 0) {
        puzzle.SetCell(placement.X(), placement.Y(), placement.digit, EnneoPuzzle::CELL_SET);
    }
}

// One deduction of the grid's, placed when it finds something.
bool PlaceFound(EnneoPuzzle& puzzle, bool (SolverGrid::*find)(Placement&) const) {
    Placement placement = {-1, 0};
    bool found = (SolverGrid(puzzle).*find)(placement);
    Put(puzzle, placement);
    return found;
}

// One step of the solver (or only its trial): the placement it makes, or what a failed
// trial leaves.
bool PlaceStep(EnneoPuzzle& puzzle, bool (StepSolver::*step)(Placement&)) {
    StepSolver solver{SolverGrid(puzzle)};
    Placement placement;
    bool placed = (solver.*step)(placement);
    Put(puzzle, placement);
    return placed;
}

}  // namespace

bool EnneoPuzzle::SolveOne() { return PlaceStep(*this, &StepSolver::Step); }

// One StepSolver for the whole solve, so that what it learns about the grid's
// completions serves every step, and its search budget is the whole solve's.
// The solver places only candidates of empty cells, so the digits go in without SetCell's
// check of the rule, which would read 27 cells a step and take longer than the step.
// Without a listener the steps are not taken where their end is certain.
void EnneoPuzzle::Solve(const PlacementListener& onPlaced) {
    auto put = [this](int cell, int digit) {
        values_[cell / 9][cell % 9] = digit;
        states_[cell / 9][cell % 9] = CELL_SET;
    };
    SolverGrid grid(*this);
    SolverGrid end = grid;
    if (!onPlaced && StepSolver::FindEnd(grid, end)) {
        for (int cell = 0; cell < 81; ++cell) {
            if (grid.IsEmpty(cell)) put(cell, end.GetDigit(cell));
        }
        return;
    }
    StepSolver solver{grid};
    for (;;) {
        Placement placement;
        bool placed = solver.Step(placement);
        if (placement.digit != 0) put(placement.cell, placement.digit);
        if (!placed) return;
        if (onPlaced) onPlaced(placement.X(), placement.Y(), placement.digit);
    }
}

bool EnneoPuzzle::PlaceSingleCandidate() { return PlaceFound(*this, &SolverGrid::FindSingleCandidate); }
bool EnneoPuzzle::PlaceSingleInBlock() { return PlaceFound(*this, &SolverGrid::FindSingleInBlock); }
bool EnneoPuzzle::PlaceSingleInRow() { return PlaceFound(*this, &SolverGrid::FindSingleInRow); }
bool EnneoPuzzle::PlaceSingleInColumn() { return PlaceFound(*this, &SolverGrid::FindSingleInColumn); }
bool EnneoPuzzle::PlaceByTrial() { return PlaceStep(*this, &StepSolver::PlaceByTrial); }
