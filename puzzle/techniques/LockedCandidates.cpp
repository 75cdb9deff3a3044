// LockedCandidates: a digit confined to where a block and a line cross.
#include "Techniques.h"

#include "GridSearch.h"
#include "StepMaker.h"

#include <algorithm>

namespace techniques {

namespace {

// Locked candidates: a digit whose places in one unit all lie in another unit leaves the
// other unit's remaining cells. Pointing goes from a block to a line, claiming from a line
// to a block.
Step LockedCandidates(const CandidateGrid& grid, Technique technique, int firstUnit, int endUnit) {
    bool fromBlock = firstUnit == kFirstBlock;
    for (int unit = firstUnit; unit < endUnit; ++unit) {
        for (int digit = 1; digit <= 9; ++digit) {
            std::vector<int> cells = CellsAt(unit, grid.PlacesOf(unit, digit));
            if (cells.empty()) continue;
            for (int other : UnitsOf(cells[0])) {
                if (other == unit || (other >= kFirstBlock) == fromBlock) continue;
                if (!std::all_of(cells.begin(), cells.end(), [other](int cell) { return InUnit(cell, other); }))
                    continue;
                StepMaker step(grid, technique);
                step.Unit(unit).Unit(other).Pattern(cells, Bit(digit));
                for (int i = 0; i < 9; ++i) {
                    int cell = CandidateGrid::UnitCell(other, i);
                    if (!InUnit(cell, unit)) step.Eliminate(cell, Bit(digit));
                }
                if (Step found = step.Result()) return found;
            }
        }
    }
    return {};
}

}  // namespace

Step Pointing(const CandidateGrid& grid) {
    return LockedCandidates(grid, Technique::kPointing, kFirstBlock, CandidateGrid::kUnitCount);
}
Step Claiming(const CandidateGrid& grid) {
    return LockedCandidates(grid, Technique::kClaiming, kFirstRow, kFirstBlock);
}

}  // namespace techniques
