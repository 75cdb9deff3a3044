// PuzzleGenerator: new puzzles with one solution, at a chosen level, from a seed.
#include "PuzzleGenerator.h"

#include "PuzzleRating.h"
#include "SolverGrid.h"
#include "Technique.h"

#include <algorithm>
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

EnneoPuzzle PuzzleOf(const uint8_t* digits) {
    EnneoPuzzle puzzle;
    for (int cell = 0; cell < 81; ++cell) {
        if (digits[cell] != 0) {
            Placement placement = {cell, digits[cell]};
            puzzle.SetCell(placement.X(), placement.Y(), placement.digit, EnneoPuzzle::CELL_KNOWN);
        }
    }
    return puzzle;
}

// The cell that 180-degree rotation maps cell to: (x, y) to (10 - x, 10 - y).
int MirrorCell(int cell) { return 80 - cell; }

// Whether the solver's singles (SolverGrid::FindDeduction) fill the grid.
bool SolvedBySingles(SolverGrid grid) {
    Placement placement;
    while (grid.FindDeduction(placement)) grid.Place(placement);
    return grid.IsComplete();
}

// What the solver's singles tell of a rating without rating: the ladder takes its
// lowest rated step first, and singles that fill a grid still fill it after any sound
// step, so a grid the singles fill rates at most the highest single; any other grid
// needs a step of another technique, and rates at least the lowest of those (a step
// rates at least its technique).
struct SinglesBounds {
    double singlesCeiling = 0;
    double othersFloor = PuzzleRating::kBeyondLadder;
};

const SinglesBounds& BoundsOfSingles() {
    static const SinglesBounds bounds = [] {
        const Technique singles[] = {Technique::kFullHouse, Technique::kHiddenSingleBlock, Technique::kHiddenSingleRow,
                                     Technique::kHiddenSingleColumn, Technique::kNakedSingle};
        SinglesBounds found;
        for (const TechniqueInfo& info : kTechniques) {
            if (std::find(std::begin(singles), std::end(singles), info.technique) != std::end(singles)) {
                found.singlesCeiling = std::max(found.singlesCeiling, info.rating);
            } else {
                found.othersFloor = std::min(found.othersFloor, info.rating);
            }
        }
        return found;
    }();
    return bounds;
}

// Whether a puzzle with one completion rates at level or below, rated only when the
// singles leave it open.
bool RatesAtMost(const uint8_t* digits, const SolverGrid& grid, PuzzleLevel level) {
    if (level == PuzzleLevel::kExtreme) return true;
    const SinglesBounds& bounds = BoundsOfSingles();
    bool singles = SolvedBySingles(grid);
    if (singles && LevelOf(bounds.singlesCeiling) <= level) return true;
    if (!singles && LevelOf(bounds.othersFloor) > level) return false;
    return PuzzleRating(PuzzleOf(digits)).GetLevel() <= level;
}

// Whether a puzzle with one completion rates at level or above, rated only when the
// singles leave it open.
bool RatesAtLeast(const uint8_t* digits, PuzzleLevel level) {
    if (level == PuzzleLevel::kEasy) return true;
    if (LevelOf(BoundsOfSingles().singlesCeiling) < level && SolvedBySingles(GridOf(digits))) return false;
    return PuzzleRating(PuzzleOf(digits)).GetLevel() >= level;
}

}  // namespace

EnneoPuzzle PuzzleGenerator::Generate(PuzzleLevel level) { return *Generate(level, [] { return true; }); }

// Removal keeps the rating at the level or below and stops at a puzzle from which no
// pair can go; that puzzle may still rate below the level, and then the next grid of
// the sequence is tried. At kExtreme removal makes a minimal puzzle, the hardest a
// grid's givens give by chance.
std::optional<EnneoPuzzle> PuzzleGenerator::Generate(PuzzleLevel level, const KeepGoing& keepGoing) {
    for (tries_ = 1;; ++tries_) {
        Digits givens = FillGrid();
        RemoveGivens(givens, level);
        if (RatesAtLeast(givens.data(), level)) return PuzzleOf(givens.data());
        if (!keepGoing()) return std::nullopt;
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

// The completion count, stopping at two, decides uniqueness before the rating, which
// means something only for a puzzle with one solution.
void PuzzleGenerator::RemoveGivens(Digits& givens, PuzzleLevel level) {
    int pairs[41];  // the cells 0 to 40, each with its mirror (40 is its own)
    for (int i = 0; i < 41; ++i) pairs[i] = i;
    Shuffle(pairs, 41);
    for (int cell : pairs) {
        Digits fewer = givens;
        fewer[cell] = 0;
        fewer[MirrorCell(cell)] = 0;
        SolverGrid grid = GridOf(fewer.data());
        if (grid.CountCompletions(2, nullptr) == 1 && RatesAtMost(fewer.data(), grid, level)) givens = fewer;
    }
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
