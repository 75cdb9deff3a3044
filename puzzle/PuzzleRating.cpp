// PuzzleRating: how hard a puzzle is by the technique ladder, with the path of steps that shows it.
#include "PuzzleRating.h"

#include "CandidateGrid.h"
#include "SolverGrid.h"
#include "TechniqueFinder.h"

#include <utility>

namespace {

const char* const kLevelNames[] = {"Easy", "Medium", "Hard", "Expert", "Extreme"};
// The ratings of each level but the last are below its bound.
const double kLevelBounds[] = {1.5, 2.5, 4.5, 6.5};

}  // namespace

PuzzleRating::PuzzleRating(const EnneoPuzzle& puzzle) {
    SolverGrid givens(puzzle);
    bool oneSolution = !givens.HasRepeatedDigit() && givens.CountCompletions(2, nullptr) == 1;
    CandidateGrid grid(puzzle);
    TechniqueFinder finder(grid, oneSolution);
    while (!grid.IsComplete()) {
        std::optional<TechniqueStep> step = finder.FindSimplest();
        if (!step) {
            rating_ = kBeyondLadder;
            return;
        }
        double rating = step->rating;
        if (rating > rating_) {
            rating_ = rating;
            hardest_ = step->technique;
        }
        TechniqueFinder::Apply(*step, grid);
        steps_.push_back(std::move(*step));
    }
    complete_ = true;
}

PuzzleRating::Level PuzzleRating::LevelOf(double rating) {
    int level = kEasy;
    while (level < kExtreme && rating >= kLevelBounds[level]) ++level;
    return static_cast<Level>(level);
}

const char* PuzzleRating::LevelName(Level level) { return kLevelNames[level]; }
