// Fuzzes the technique ladder with any grid a file can give: on a grid with one solution,
// every step of the rating path, and every step found from pencil marks that drop some
// wrong candidates (as the bytes past the file's length say), the techniques that rest on
// uniqueness included, places the solution's digits and never eliminates one of them; and
// it rates no lower than its technique, as the finder's search for the simplest step takes
// for granted. On any other grid, repeated digits or no solution included, the forcing
// chains assume each candidate once and must end.
#include "puzzle/CandidateGrid.h"
#include "puzzle/EnneoPuzzle.h"
#include "puzzle/PuzzleRating.h"
#include "puzzle/SolverGrid.h"
#include "puzzle/TechniqueFinder.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace {

void CheckStep(const TechniqueStep& step, const SolverGrid& solution) {
    auto digitOf = [&solution](EnneoPuzzle::Cell cell) { return solution.GetDigit((cell.x - 1) * 9 + cell.y - 1); };
    if (step.placements.empty() && step.eliminations.empty()) __builtin_trap();
    if (step.rating < InfoOf(step.technique).rating) __builtin_trap();
    for (const TechniqueStep::Candidate& placement : step.placements) {
        if (digitOf(placement.cell) != placement.digit) __builtin_trap();
    }
    for (const TechniqueStep::Candidate& elimination : step.eliminations) {
        if (digitOf(elimination.cell) == elimination.digit) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);  // ends in a terminator
    EnneoPuzzle puzzle;
    puzzle.LoadFromString(text.c_str());
    SolverGrid grid(puzzle);
    SolverGrid solution = grid;
    int64_t budget = 20000;
    if (grid.HasRepeatedDigit() || grid.CountCompletions(2, &solution, &budget) != 1) {
        // Once, not along a rating path: an open grid takes hundreds of forcing steps.
        CandidateGrid open(puzzle);
        TechniqueFinder(open).Find(Technique::kForcingChain);
        TechniqueFinder(open).Find(Technique::kDynamicForcingChain);
        return 0;
    }
    PuzzleRating rating(puzzle);
    for (const TechniqueStep& step : rating.GetSteps()) CheckStep(step, solution);

    CandidateGrid full(puzzle);
    std::array<uint16_t, 81> marks;
    for (int i = 0; i < 81; ++i) marks[i] = static_cast<uint16_t>(full.GetCandidates(i));
    for (size_t i = EnneoPuzzle::kFileLength; i + 1 < size; i += 2) {
        int cell = data[i] % 81, digit = data[i + 1] % 9 + 1;
        EnneoPuzzle::Cell at = CandidateGrid::CellAt(cell);
        if (solution.GetDigit((at.x - 1) * 9 + at.y - 1) != digit)
            marks[cell] &= static_cast<uint16_t>(~(1 << (digit - 1)));
    }
    CandidateGrid marked(puzzle, marks);
    TechniqueFinder finder(marked, true);  // the count above found one solution
    while (std::optional<TechniqueStep> step = finder.FindSimplest()) {
        CheckStep(*step, solution);
        TechniqueFinder::Apply(*step, marked);
    }
    return 0;
}
