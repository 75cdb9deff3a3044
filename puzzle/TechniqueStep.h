// TechniqueStep: one step of the technique ladder, what it rests on and what it yields.
#pragma once

#include "EnneoPuzzle.h"
#include "GridUnit.h"
#include "Technique.h"

#include <vector>

// A step as a value: the technique and the step's rating (the technique's, or more for a
// longer instance of it, as chains rate by their length), the units the pattern is
// about (where it has any), the candidates that make the pattern, and the result: digits
// placed and candidates eliminated. Every step found has a placement or an elimination.
struct TechniqueStep {
    struct Candidate {
        EnneoPuzzle::Cell cell;
        int digit;
        bool operator==(const Candidate& other) const {
            return cell.x == other.cell.x && cell.y == other.cell.y && digit == other.digit;
        }
    };

    Technique technique;
    double rating;
    std::vector<GridUnit> units;
    std::vector<Candidate> pattern;
    std::vector<Candidate> placements;
    std::vector<Candidate> eliminations;
};
