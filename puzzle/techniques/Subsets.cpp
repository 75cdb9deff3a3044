// Subsets: as many cells of a unit as the digits they are confined to.
#include "Techniques.h"

#include "GridSearch.h"
#include "StepMaker.h"

namespace techniques {

namespace {

// Naked subset: size cells of a unit with size candidates between them; those digits
// leave the unit's other cells.
Step NakedSubset(const CandidateGrid& grid, Technique technique, int size) {
    for (int unit = 0; unit < CandidateGrid::kUnitCount; ++unit) {
        for (int positions : MasksOfSize(size)) {
            std::vector<int> cells = CellsAt(unit, positions);
            int digits = 0;
            bool allOpen = true;
            for (int cell : cells) {
                digits |= grid.GetCandidates(cell);
                allOpen = allOpen && grid.GetCandidates(cell) != 0;
            }
            if (!allOpen || Count(digits) != size) continue;
            StepMaker step(grid, technique);
            step.Unit(unit).Pattern(cells, digits);
            for (int i = 0; i < 9; ++i) {
                if ((positions >> i & 1) == 0) step.Eliminate(CandidateGrid::UnitCell(unit, i), digits);
            }
            if (Step found = step.Result()) return found;
        }
    }
    return {};
}

// Hidden subset: size digits of a unit with size places between them; the other
// candidates leave those places.
Step HiddenSubset(const CandidateGrid& grid, Technique technique, int size) {
    for (int unit = 0; unit < CandidateGrid::kUnitCount; ++unit) {
        int placed = grid.DigitsIn(unit);
        for (int digits : MasksOfSize(size)) {
            if ((digits & placed) != 0) continue;
            int places = 0;
            bool allPlaced = true;
            for (int rest = digits; rest != 0; rest &= rest - 1) {
                int placesOfDigit = grid.PlacesOf(unit, Lowest(rest) + 1);
                places |= placesOfDigit;
                allPlaced = allPlaced && placesOfDigit != 0;
            }
            if (!allPlaced || Count(places) != size) continue;
            std::vector<int> cells = CellsAt(unit, places);
            StepMaker step(grid, technique);
            step.Unit(unit).Pattern(cells, digits);
            for (int cell : cells) step.Eliminate(cell, ~digits);
            if (Step found = step.Result()) return found;
        }
    }
    return {};
}

}  // namespace

Step NakedPair(const CandidateGrid& grid) { return NakedSubset(grid, Technique::kNakedPair, 2); }
Step HiddenPair(const CandidateGrid& grid) { return HiddenSubset(grid, Technique::kHiddenPair, 2); }
Step NakedTriple(const CandidateGrid& grid) { return NakedSubset(grid, Technique::kNakedTriple, 3); }
Step HiddenTriple(const CandidateGrid& grid) { return HiddenSubset(grid, Technique::kHiddenTriple, 3); }
Step NakedQuad(const CandidateGrid& grid) { return NakedSubset(grid, Technique::kNakedQuad, 4); }
Step HiddenQuad(const CandidateGrid& grid) { return HiddenSubset(grid, Technique::kHiddenQuad, 4); }

}  // namespace techniques
