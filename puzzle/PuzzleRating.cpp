// PuzzleRating: how hard a puzzle is by the technique ladder, with the path of steps that shows it.
#include "PuzzleRating.h"

#include "CandidateGrid.h"
#include "SolverGrid.h"
#include "TechniqueFinder.h"

#include <utility>

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
