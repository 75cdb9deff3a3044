// Hint: what a hint points at on a board, as a value.
#pragma once

#include "EnneoPuzzle.h"
#include "GridUnit.h"
#include "SolverGrid.h"

#include <optional>
#include <vector>

// The board shows a hint by its cells and the words layer says it by its kind and
// technique; both read only this value. A mistake is a digit of the player's that
// differs from the only solution; a step is the next step of solving, named by its
// technique, with the unit it is about where it has one, what it places and the
// candidates it removes.
struct Hint {
    enum Kind { kMistake, kStep };

    struct Candidate {
        EnneoPuzzle::Cell cell;
        int digit;
    };

    Kind kind = kStep;
    SolverGrid::Strategy technique = SolverGrid::kTrial;  // a step's
    std::vector<EnneoPuzzle::Cell> cells;                 // to tint: the mistake, or the step's pattern
    std::optional<GridUnit> unit;                         // the unit a step is about
    std::optional<Candidate> placement;                   // the digit a step places, or the mistake's digit
    std::vector<Candidate> removes;                       // the candidates a step removes
};
