// TechniqueFinder: the simplest step of the technique ladder that makes progress on a grid.
#pragma once

#include "CandidateGrid.h"
#include "Technique.h"
#include "TechniqueStep.h"

#include <array>
#include <optional>

// Looks for the techniques of the ladder (Technique) on a grid's candidates, the lowest
// rated first, ties in ladder order, and answers the lowest rated step that places a
// digit or eliminates a candidate (among equals, the one earliest on the ladder). Each technique looks through units (CandidateGrid's order:
// rows, columns, blocks), digits from 1 up and cells in one fixed order, and answers its
// first instance that does either. Steps are sound: on a grid whose candidates include
// its one solution's digits, a placement is the solution's digit and an elimination never
// removes it. The techniques that rest on uniqueness (RestsOnUniqueness) apply only when
// the finder is told that the grid's digits have exactly one completion.
class TechniqueFinder {
public:
    // The grid must outlive the finder. oneSolution: the grid's digits are known to have
    // exactly one completion (counted, not assumed), as the givens of a proper puzzle do.
    explicit TechniqueFinder(const CandidateGrid& grid, bool oneSolution = false)
        : grid_(grid), oneSolution_(oneSolution) {}

    // Nothing when no technique of the ladder applies, a complete grid included.
    std::optional<TechniqueStep> FindSimplest() const;
    // The first step of one technique; nothing for a technique that rests on uniqueness
    // unless the grid has one completion.
    std::optional<TechniqueStep> Find(Technique technique) const;

    // The techniques in the order FindSimplest tries them.
    static const std::array<Technique, kTechniqueCount>& SearchOrder();
    // Makes the step's placements and eliminations in grid.
    static void Apply(const TechniqueStep& step, CandidateGrid& grid);
    // True for the unique rectangles and BUG+1, which would be wrong on a puzzle with
    // more than one solution.
    static bool RestsOnUniqueness(Technique technique);

private:
    const CandidateGrid& grid_;
    bool oneSolution_;
};
