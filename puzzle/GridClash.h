// GridClash: where a digit repeats in a row, a column or a block, found in one order.
#pragma once

#include "GridUnit.h"

#include <optional>

// The grid's one rule, that no digit stands twice in a unit, as the program looks it up:
// whatever asks whether a board or a digit breaks it asks here, so that the clash the
// player is told of is found the same way wherever it is told. Units are named by
// GridUnit. (The solver keeps the rule in its own bit masks, SolverGrid.)
class GridClash {
public:
    // A digit that stands count times (two or more) in unit.
    struct Repeat {
        GridUnit unit;
        int digit;
        int count;
    };
    // The unit in which a digit would repeat, and the cell of it that holds the digit.
    struct Blocker {
        GridUnit unit;
        EnneoPuzzle::Cell cell;
    };

    // The first clash of the board: the rows from the top, then the columns from the left,
    // then the blocks in reading order; within the first unit with a clash, the smallest
    // digit that repeats. Nothing when no digit repeats.
    static std::optional<Repeat> FirstRepeat(const EnneoPuzzle& puzzle);
    // The clash digit (0 to 9, 0 standing for an empty cell) would make in cell: its row
    // first, then its column, then its block, each with its first other cell that holds
    // the digit (along the unit; in a block, in reading order). The cell itself does not
    // count. Nothing when the digit fits.
    static std::optional<Blocker> BlockerOf(const EnneoPuzzle& puzzle, EnneoPuzzle::Cell cell, int digit);
};
