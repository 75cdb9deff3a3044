// PuzzleGenerator: new puzzles with one solution, at a chosen level, from a seed.
#include "PuzzleGenerator.h"

#include <atomic>
#include <chrono>

namespace {

using Placement = SolverGrid::Placement;

// The empty grid, made once: a SolverGrid comes only from a puzzle.
const SolverGrid& EmptyGrid() {
    static const SolverGrid empty{EnneoPuzzle()};
    return empty;
}

// A grid of 81 digits by SolverGrid's cell numbers, 0 for an empty cell.
SolverGrid GridOf(const uint8_t* digits) {
    SolverGrid grid = EmptyGrid();
    for (int cell = 0; cell < 81; ++cell) {
        if (digits[cell] != 0) grid.Place(cell, digits[cell]);
    }
    return grid;
}

// The cell that 180-degree rotation maps cell to: (x, y) to (10 - x, 10 - y).
int MirrorCell(int cell) { return 80 - cell; }

}  // namespace

const wchar_t* PuzzleGenerator::LevelName(Level level) {
    switch (level) {
    case kEasy: return L"Easy";
    case kMedium: return L"Medium";
    default: return L"Hard";
    }
}

EnneoPuzzle PuzzleGenerator::Generate(Level level) {
    // Removal stops at a puzzle from which no pair can go; at kEasy that puzzle is easy,
    // otherwise it may fall short of level (or, at kMedium, need no row or column), and
    // the next grid of the sequence is tried.
    for (;;) {
        Digits givens = FillGrid();
        RemoveGivens(givens, level);
        if (Grade(GridOf(givens.data())) != level) continue;
        EnneoPuzzle puzzle;
        for (int cell = 0; cell < 81; ++cell) {
            if (givens[cell] != 0) {
                Placement placement = {cell, givens[cell]};
                puzzle.SetCell(placement.X(), placement.Y(), placement.digit, EnneoPuzzle::CELL_KNOWN);
            }
        }
        return puzzle;
    }
}

// The three blocks on the diagonal share no row, column or block, so each takes a
// random order of the digits, and any such start has a completion; the completion
// search finds one, the same one for the same start on every platform.
PuzzleGenerator::Digits PuzzleGenerator::FillGrid() {
    Digits digits{};
    for (int block = 0; block < 3; ++block) {
        int order[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
        Shuffle(order, 9);
        for (int i = 0; i < 9; ++i) digits[(block * 3 + i % 3) * 9 + block * 3 + i / 3] = static_cast<uint8_t>(order[i]);
    }
    SolverGrid complete = EmptyGrid();
    GridOf(digits.data()).CountCompletions(1, &complete);
    for (int cell = 0; cell < 81; ++cell) digits[cell] = static_cast<uint8_t>(complete.GetDigit(cell));
    return digits;
}

// The grade is checked first, being far cheaper; the completion count, stopping at two,
// decides uniqueness.
void PuzzleGenerator::RemoveGivens(Digits& givens, Level level) {
    int pairs[41];  // the cells 0 to 40, each with its mirror (40 is its own)
    for (int i = 0; i < 41; ++i) pairs[i] = i;
    Shuffle(pairs, 41);
    for (int cell : pairs) {
        Digits fewer = givens;
        fewer[cell] = 0;
        fewer[MirrorCell(cell)] = 0;
        SolverGrid grid = GridOf(fewer.data());
        if (level != kHard && Grade(grid) > level) continue;
        if (grid.CountCompletions(2, nullptr) == 1) givens = fewer;
    }
}

PuzzleGenerator::Level PuzzleGenerator::Grade(SolverGrid grid) {
    Level level = kEasy;
    Placement placement;
    SolverGrid::Strategy used;
    while (grid.FindDeduction(placement, &used)) {
        if (used == SolverGrid::kSingleInRow || used == SolverGrid::kSingleInColumn) level = kMedium;
        grid.Place(placement);
    }
    return grid.IsComplete() ? level : kHard;
}

uint64_t PuzzleGenerator::SeedFromClock() {
    static std::atomic<uint64_t> calls{0};
    uint64_t ticks = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    return ticks ^ (++calls * 0x9E3779B97F4A7C15u);
}

uint64_t PuzzleGenerator::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

// The high 32 bits scaled to the range: a bias of at most bound / 2^32.
int PuzzleGenerator::Below(int bound) {
    return static_cast<int>(((Next() >> 32) * static_cast<uint64_t>(bound)) >> 32);
}

// Fisher-Yates, from the last place down.
void PuzzleGenerator::Shuffle(int* values, int count) {
    for (int i = count - 1; i > 0; --i) {
        int j = Below(i + 1);
        int value = values[i];
        values[i] = values[j];
        values[j] = value;
    }
}
