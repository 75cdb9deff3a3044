// ReferenceSolver: the plain step-by-step solver, the yardstick for the engine's solver.
#pragma once

#include "puzzle/EnneoPuzzle.h"

#include <chrono>

// The solver written the straightforward way, on an EnneoPuzzle through its public grid
// operations: candidates as texts recomputed whenever they are needed, and a trial that
// keeps only its digit, so that the following steps derive the rest again. It costs
// time exponential in the nesting of trials; a limit on the steps taken and on the time
// spent makes it give up, after which its results mean nothing (GaveUp tells).
class ReferenceSolver {
public:
    static const long long kNoStepLimit = -1;

    // maxSteps bounds the SolveOne calls, nested ones included; maxTime the time
    // from construction. A zero time means no time limit.
    explicit ReferenceSolver(long long maxSteps = kNoStepLimit,
                             std::chrono::steady_clock::duration maxTime = {});

    bool SolveOne(EnneoPuzzle& puzzle);
    void Solve(EnneoPuzzle& puzzle);
    bool GaveUp() const { return gaveUp_; }

    // The strategies in the order SolveOne tries them; each places at most one digit,
    // with state CELL_SET, and says whether it did.
    static bool PlaceSingleCandidate(EnneoPuzzle& puzzle);
    static bool PlaceSingleInBlock(EnneoPuzzle& puzzle);
    static bool PlaceSingleInRow(EnneoPuzzle& puzzle);
    static bool PlaceSingleInColumn(EnneoPuzzle& puzzle);
    bool PlaceByTrial(EnneoPuzzle& puzzle);

private:
    bool OutOfBudget();

    long long stepsLeft_;
    bool timeLimited_;
    std::chrono::steady_clock::time_point deadline_;
    bool gaveUp_ = false;
};
