// PuzzleGenerator: new puzzles with one solution, at a chosen level, from a seed.
#pragma once

#include "EnneoPuzzle.h"
#include "PuzzleLevel.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

// Makes puzzles whose givens sit in 180-degree rotational symmetry, have exactly one
// completion and rate (PuzzleRating) within the level asked for. A seed fixes the whole
// sequence of puzzles on every platform: the generator draws from its own 64-bit
// generator with its own ranges and shuffles, and searches deterministically.
class PuzzleGenerator {
public:
    // Polled between tries; false cancels the generation.
    using KeepGoing = std::function<bool()>;

    explicit PuzzleGenerator(uint64_t seed) : state_(seed) {}

    // The next puzzle of the seed's sequence at level: its givens as CELL_KNOWN digits,
    // every other cell empty, no cell selected.
    EnneoPuzzle Generate(PuzzleLevel level);
    // The same, or nothing once keepGoing answers false; a cancelled generation leaves
    // the sequence at a place of its own, so a seed fixes the puzzles only of
    // generations that were not cancelled.
    std::optional<EnneoPuzzle> Generate(PuzzleLevel level, const KeepGoing& keepGoing);
    // The grids the last generation filled and emptied to find its puzzle, at least 1.
    int GetTries() const { return tries_; }

    // A seed from the clock, mixed with a count of the calls so that two calls within
    // one tick of the clock still differ.
    static uint64_t SeedFromClock();

private:
    // Digits by SolverGrid's cell numbers, 0 for an empty cell.
    using Digits = std::array<uint8_t, 81>;

    Digits FillGrid();
    // Empties symmetric pairs of cells in a random order, each pair only while the
    // puzzle keeps one completion and its rating stays at level or below.
    void RemoveGivens(Digits& givens, PuzzleLevel level);

    // splitmix64, and ranges and shuffles of its own: the standard library's
    // distributions differ between implementations.
    uint64_t Next();
    int Below(int bound);  // 0 to bound - 1
    void Shuffle(int* values, int count);

    uint64_t state_;
    int tries_ = 0;
};
