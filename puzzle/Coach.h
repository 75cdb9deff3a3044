// Coach: the next step on a board, the player's mistakes, and a check of both.
#pragma once

#include "EnneoPuzzle.h"
#include "GameState.h"
#include "Hint.h"
#include "PuzzleSolution.h"

#include <cstdint>
#include <optional>
#include <vector>

// Looks at one board as a teacher would and answers with data, which the board window
// puts into words. "The puzzle" is the board's givens when they have exactly one
// solution, and otherwise every digit on the board (a puzzle typed into an empty grid
// has no givens). The verdict says whether the puzzle has one solution and whether the
// player's digits fit it; on an open board the solver's next step is exactly the one
// the solver's own step (StepSolver::Step, as SolveOne takes it) places, and the hint
// is the simplest step of the technique ladder on the player's own candidates.
class Coach {
public:
    // Nodes of completion search for the verdict on one board, about ten milliseconds
    // here: puzzles need a few hundred, but grids of digits put down at random can need
    // far more (one of a million needed 126,000), and the answer must come at once. The
    // next step on an open board is then the solver's own step, with the solver's own
    // budget (StepSolver::kSolveBudget, ten times this one), so that it is exactly the
    // step SolveOne takes: one look at a board searches at most both budgets.
    static const int64_t kVerdictBudget = 10000;

    enum Verdict {
        kSolved,            // no cell is empty, and every digit fits the only solution
        kOpen,              // every digit so far fits the only solution: see GetNextStep
        kMisfits,           // the givens have one solution, and the player's digits in
                            // GetMisfits() differ from it
        kNoSolution,        // the puzzle has none (a repeated digit included)
        kNoSolutionFits,    // the givens have several solutions, and none of them fits
                            // the digits on the board
        kSeveralSolutions,  // the puzzle has more than one
        kUndecided,         // the verdict's budget ran out before the count was certain
    };

    struct Step {
        SolverGrid::Strategy strategy;
        EnneoPuzzle::Cell cell;
        int digit;
    };

    explicit Coach(const EnneoPuzzle& board, int64_t verdictBudget = kVerdictBudget);

    Verdict GetVerdict() const { return verdict_; }
    // kMisfits: the cells whose digit the player placed differs from the solution's, in
    // reading order (rows from the top, each from the left).
    const std::vector<EnneoPuzzle::Cell>& GetMisfits() const { return misfits_; }
    // kOpen: the solver's next step on the board; for a trial, the first empty cell and
    // the digit that the solver's trial keeps.
    const Step& GetNextStep() const { return step_; }
    // What Hint points at on the board of state (the one the coach looked at): the first
    // misfit (kMisfits); on an open board (kOpen), the first cell whose marks leave out
    // the solution's digit, else the simplest step of the technique ladder on the
    // player's candidates (CandidateGrid of the board and its marks; the techniques that
    // rest on one solution only when the givens have one), else the solver's next step.
    // None for any other verdict.
    std::optional<Hint> GetHint(const GameState& state) const;
    // kOpen: the board's empty cells.
    int GetCellsLeft() const { return cellsLeft_; }
    // How hard the givens are, graded as the generator grades its puzzles, when they have
    // one solution; none when the puzzle is every digit on the board, whose level would
    // fall with each digit the player placed.
    std::optional<PuzzleGenerator::Level> GetLevel() const;

private:
    PuzzleSolution givens_;
    PuzzleSolution puzzle_;  // the givens', or, where they have several, the board's
    Verdict verdict_ = kUndecided;
    std::vector<EnneoPuzzle::Cell> misfits_;
    Step step_ = {SolverGrid::kTrial, {0, 0}, 0};
    int cellsLeft_ = 0;
};
