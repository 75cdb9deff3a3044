// Hint: what a hint points at on a board, as a value.
#pragma once

#include "EnneoPuzzle.h"
#include "SolverGrid.h"
#include "TechniqueStep.h"

#include <optional>

// The board shows a hint by its cells and the words layer says it by its kind; both
// read only this value. A mistake is a digit of the player's that differs from the only
// solution; a missing mark is an empty cell whose pencil marks leave out the solution's
// digit; a technique step is the simplest step of the technique ladder on the player's
// candidates; a solver step is the solver's next step (a trial), where the ladder finds
// none.
struct Hint {
    enum Kind { kMistake, kMissingMark, kTechnique, kSolverStep };

    Kind kind = kSolverStep;
    // The mistake's cell and its digit; the missing mark's cell (digit 0, the solution's
    // digit is not told); the solver step's cell and the digit it keeps.
    EnneoPuzzle::Cell cell = {0, 0};
    int digit = 0;
    SolverGrid::Strategy strategy = SolverGrid::kTrial;  // a solver step's
    std::optional<TechniqueStep> step;                   // a technique step
};
