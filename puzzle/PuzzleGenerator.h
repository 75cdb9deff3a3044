// PuzzleGenerator: new puzzles with one solution, at a chosen level, from a seed.
#pragma once

#include "EnneoPuzzle.h"
#include "SolverGrid.h"

#include <array>
#include <cstdint>

// Makes puzzles whose givens sit in 180-degree rotational symmetry and have exactly one
// completion, graded by the steps the solver takes (see Level). A seed fixes the whole
// sequence of puzzles on every platform: the generator draws from its own 64-bit
// generator with its own ranges and shuffles, and searches deterministically.
class PuzzleGenerator {
public:
    // What the solver's steps need, up to the grid's end.
    enum Level {
        kEasy,    // single candidates and single places in a block only
        kMedium,  // no trial, at least one single place in a row or a column
        kHard,    // at least one trial
    };

    explicit PuzzleGenerator(uint64_t seed) : state_(seed) {}

    // The next puzzle of the seed's sequence at level: its givens as CELL_KNOWN digits,
    // every other cell empty, no cell selected.
    EnneoPuzzle Generate(Level level);

    // A seed from the clock, mixed with a count of the calls so that two calls within
    // one tick of the clock still differ.
    static uint64_t SeedFromClock();

    // The level of the solver's steps (StepSolver::Step) on a grid with exactly one
    // completion, up to its end: each deduction graded by the strategy that places, and
    // kHard once no deduction is left on an unfinished grid.
    static Level Grade(SolverGrid grid);
    // The level's name where the program stores it (the statistics' values): "Easy",
    // "Medium" or "Hard"; the player reads it in words (Message::Value::Level).
    static const wchar_t* LevelName(Level level);

private:
    // Digits by SolverGrid's cell numbers, 0 for an empty cell.
    using Digits = std::array<uint8_t, 81>;

    Digits FillGrid();
    // Empties symmetric pairs of cells in a random order, each pair only while the
    // puzzle keeps one completion and, below kHard, the solver's steps stay within level.
    void RemoveGivens(Digits& givens, Level level);

    // splitmix64, and ranges and shuffles of its own: the standard library's
    // distributions differ between implementations.
    uint64_t Next();
    int Below(int bound);  // 0 to bound - 1
    void Shuffle(int* values, int count);

    uint64_t state_;
};
