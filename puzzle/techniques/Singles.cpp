// Singles: a digit that must go into a cell, for its unit or for the cell.
#include "Techniques.h"

#include "GridSearch.h"
#include "StepMaker.h"

namespace techniques {

// A unit with one empty cell: the digit missing from it goes there.
Step FullHouse(const CandidateGrid& grid) {
    for (int unit = 0; unit < CandidateGrid::kUnitCount; ++unit) {
        std::vector<int> empty;
        for (int i = 0; i < 9; ++i) {
            int cell = CandidateGrid::UnitCell(unit, i);
            if (grid.GetDigit(cell) == 0) empty.push_back(cell);
        }
        int missing = 0x1FF & ~grid.DigitsIn(unit);
        if (empty.size() != 1 || Count(missing) != 1 || (grid.GetCandidates(empty[0]) & missing) == 0) continue;
        return StepMaker(grid, Technique::kFullHouse)
            .Unit(unit)
            .Pattern(empty[0], missing)
            .Place(empty[0], Lowest(missing) + 1);
    }
    return {};
}

namespace {

// A digit with a single place in a unit of one kind.
Step HiddenSingle(const CandidateGrid& grid, Technique technique, int firstUnit) {
    for (int unit = firstUnit; unit < firstUnit + 9; ++unit) {
        for (int digit = 1; digit <= 9; ++digit) {
            int places = grid.PlacesOf(unit, digit);
            if (Count(places) != 1 || (grid.DigitsIn(unit) & Bit(digit)) != 0) continue;
            int cell = CandidateGrid::UnitCell(unit, Lowest(places));
            return StepMaker(grid, technique).Unit(unit).Pattern(cell, Bit(digit)).Place(cell, digit);
        }
    }
    return {};
}

}  // namespace

Step HiddenSingleInBlock(const CandidateGrid& grid) {
    return HiddenSingle(grid, Technique::kHiddenSingleBlock, kFirstBlock);
}
Step HiddenSingleInRow(const CandidateGrid& grid) { return HiddenSingle(grid, Technique::kHiddenSingleRow, kFirstRow); }
Step HiddenSingleInColumn(const CandidateGrid& grid) {
    return HiddenSingle(grid, Technique::kHiddenSingleColumn, kFirstColumn);
}

// A cell with a single candidate.
Step NakedSingle(const CandidateGrid& grid) {
    for (int cell = 0; cell < 81; ++cell) {
        int candidates = grid.GetCandidates(cell);
        if (Count(candidates) == 1) {
            return StepMaker(grid, Technique::kNakedSingle)
                .Pattern(cell, candidates)
                .Place(cell, Lowest(candidates) + 1);
        }
    }
    return {};
}

}  // namespace techniques
