// PuzzleRating: how hard a puzzle is by the technique ladder, with the path of steps that shows it.
#pragma once

#include "EnneoPuzzle.h"
#include "PuzzleLevel.h"
#include "Technique.h"
#include "TechniqueStep.h"

#include <optional>
#include <vector>

// Solves a puzzle by always taking the simplest step (TechniqueFinder::FindSimplest) and
// rates it by the hardest step taken. When no technique of the ladder applies before
// the grid is full, the path stops there and the rating is kBeyondLadder, above every
// rating the ladder gives (a dynamic forcing chain through all 810 candidates and digits
// of a grid would rate 10.1). A full grid needs no step and rates 0. The techniques that
// rest on uniqueness are used only when the givens' completions, counted up to two, are
// exactly one.
class PuzzleRating {
public:
    static constexpr double kBeyondLadder = 11.0;

    explicit PuzzleRating(const EnneoPuzzle& puzzle);

    double GetRating() const { return rating_; }
    PuzzleLevel GetLevel() const { return LevelOf(rating_); }
    // False when the ladder stopped before the grid was full.
    bool IsComplete() const { return complete_; }
    const std::vector<TechniqueStep>& GetSteps() const { return steps_; }
    // The technique of the highest rated step taken (the first of them), if any.
    std::optional<Technique> GetHardest() const { return hardest_; }

private:
    std::vector<TechniqueStep> steps_;
    std::optional<Technique> hardest_;
    double rating_ = 0;
    bool complete_ = false;
};
