// Boards on which the coach's answers are known, for the coach's tests and the board window's.
#pragma once

#include "puzzle/SolverGrid.h"

// Puzzles (givens in reading order, '.' for an empty cell) whose first step is of each
// kind the solver takes, in its order, with that step: digit at column x, row y.
struct StepGrid {
    SolverGrid::Strategy strategy;
    const char* givens;
    int x;
    int y;
    int digit;
};

inline const StepGrid kStepGrids[] = {
    {SolverGrid::kSingleCandidate,
     ".....3..4.7.612.5.......7..9..1..2....37.64....8..5..3..1.......9.487.1.7..2.....", 4, 6, 9},
    {SolverGrid::kSingleInBlock,
     ".62.81...8...7.........9.85.2.....14..1...2..39.....5.18.4.........6...7...21.53.", 4, 6, 1},
    {SolverGrid::kSingleInRow,
     "645..7....1.48.75...9.........6..2...3.....1...4..9.........5...57.28.6....5..423", 9, 2, 9},
    {SolverGrid::kSingleInColumn,
     ".4.3..6....57...48...4.613...9..34...2.....1...62..7...541.2...97...53....2..7.5.", 3, 5, 3},
    {SolverGrid::kTrial,
     "..84...3....3.....9....157479...8........7..514.....2...9.6...2.5....4......9..56", 1, 1, 5},
};
