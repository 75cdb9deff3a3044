// PuzzleSolution: whether a puzzle has one solution, and which digits of a board differ from it.
#pragma once

#include "EnneoPuzzle.h"
#include "PuzzleGenerator.h"
#include "SolverGrid.h"

#include <cstdint>
#include <vector>

// A puzzle (usually a board's givens, see GivensOf) counted for its solutions: none,
// one, several, or undecided when the search's budget ran out first. With one, it tells
// which digits of a board differ from that solution and how hard the puzzle is. A plain
// value of a few hundred bytes: the board controller keeps one while the givens stay.
class PuzzleSolution {
public:
    enum Count { kNone, kOne, kSeveral, kUndecided };

    // budget: the nodes of completion search it may use; those used are taken from it.
    PuzzleSolution(const SolverGrid& puzzle, int64_t* budget);

    // The board's givens (its CELL_KNOWN digits) alone.
    static SolverGrid GivensOf(const EnneoPuzzle& board);

    Count GetCount() const { return count_; }
    const SolverGrid& GetPuzzle() const { return puzzle_; }
    // True when the board's givens are exactly this puzzle's digits.
    bool IsGivensOf(const EnneoPuzzle& board) const;
    // kOne: the board's cells whose digit differs from the solution's, in reading order
    // (rows from the top, each from the left); none for another count.
    std::vector<EnneoPuzzle::Cell> MisfitsOf(const EnneoPuzzle& board) const;
    // kOne: the solution's digit in cell.
    int DigitAt(EnneoPuzzle::Cell cell) const;
    // kOne: the level the generator grades the puzzle at.
    PuzzleGenerator::Level GetLevel() const { return PuzzleGenerator::Grade(puzzle_); }

private:
    SolverGrid puzzle_;
    SolverGrid solution_;
    Count count_ = kUndecided;
};
