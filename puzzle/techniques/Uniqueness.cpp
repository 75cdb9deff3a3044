// Uniqueness: patterns that would give a puzzle two solutions, ruled out on one that has one.
#include "Techniques.h"

#include "GridSearch.h"
#include "StepMaker.h"

#include <array>
#include <vector>

namespace techniques {

namespace {

// Four empty cells at the corners of two rows and two columns that lie in exactly two
// blocks, each with both digits of pair among its candidates. Were all four to hold only
// those two digits, swapping them would give a second solution; on a puzzle with one
// solution that cannot be. Corners 0 and 1 are in the first row, 2 and 3 in the second,
// 0 and 2 in the first column. The floor: a bit for each corner with no other candidate.
struct Rectangle {
    std::array<int, 4> corners;
    int pair;
    int floor;
};

// The first rectangle (rows, then columns, then pairs of digits from the lowest) for
// which visit answers a step.
template <typename Visit>
Step FirstRectangle(const CandidateGrid& grid, Visit visit) {
    for (int top = 0; top < 9; ++top) {
        for (int bottom = top + 1; bottom < 9; ++bottom) {
            for (int left = 0; left < 9; ++left) {
                for (int right = left + 1; right < 9; ++right) {
                    // One band and two stacks, or two bands and one stack.
                    if ((top / 3 == bottom / 3) == (left / 3 == right / 3)) continue;
                    Rectangle rectangle{{top * 9 + left, top * 9 + right, bottom * 9 + left, bottom * 9 + right}, 0, 0};
                    int common = 0x1FF;
                    for (int cell : rectangle.corners) common &= grid.GetCandidates(cell);
                    if (Count(common) < 2) continue;
                    for (int pair : MasksOfSize(2)) {
                        if ((pair & common) != pair) continue;
                        rectangle.pair = pair;
                        rectangle.floor = 0;
                        for (int corner = 0; corner < 4; ++corner) {
                            if (grid.GetCandidates(rectangle.corners[corner]) == pair) rectangle.floor |= 1 << corner;
                        }
                        if (Step found = visit(rectangle)) return found;
                    }
                }
            }
        }
    }
    return {};
}

// The two corners off the floor when they share a row or a column (not a diagonal).
bool RoofOnOneSide(const Rectangle& rectangle, int& one, int& other) {
    int roof = 0xF & ~rectangle.floor;
    if (Count(roof) != 2 || roof == 0x9 || roof == 0x6) return false;
    one = rectangle.corners[Lowest(roof)];
    other = rectangle.corners[Highest(roof)];
    return true;
}

// The units (as numbers) that hold both cells.
std::vector<int> SharedUnits(int one, int other) {
    std::vector<int> units;
    for (int unit : UnitsOf(one)) {
        if (InUnit(other, unit)) units.push_back(unit);
    }
    return units;
}

// The step with the rectangle's pair as its pattern, and the roof's digits among extras.
StepMaker RectangleStep(const CandidateGrid& grid, Technique technique, const Rectangle& rectangle, int extras = 0) {
    StepMaker step(grid, technique);
    for (int corner = 0; corner < 4; ++corner)
        step.Pattern(rectangle.corners[corner], rectangle.pair | (rectangle.floor >> corner & 1 ? 0 : extras));
    return step;
}

// Type 3 with a subset of size cells besides the roof: the two roof cells act as one cell
// whose candidates are their extra digits, since one of them holds one of those.
Step Type3WithSubset(const CandidateGrid& grid, int size) {
    return FirstRectangle(grid, [&grid, size](const Rectangle& rectangle) -> Step {
        int one, other;
        if (!RoofOnOneSide(rectangle, one, other)) return {};
        int extras = (grid.GetCandidates(one) | grid.GetCandidates(other)) & ~rectangle.pair;
        for (int unit : SharedUnits(one, other)) {
            int open = 0;  // the unit's empty cells besides the roof, as positions
            for (int i = 0; i < 9; ++i) {
                int cell = CandidateGrid::UnitCell(unit, i);
                if (grid.GetCandidates(cell) != 0 && cell != one && cell != other) open |= 1 << i;
            }
            for (int subset : MasksOfSize(size)) {
                if ((subset & ~open) != 0) continue;
                std::vector<int> cells = CellsAt(unit, subset);
                int digits = extras;
                for (int cell : cells) digits |= grid.GetCandidates(cell);
                if (Count(digits) != size + 1) continue;
                StepMaker step = RectangleStep(grid, Technique::kUniqueRectangleType3, rectangle, extras);
                step.Rating(RatingAbove(Technique::kUniqueRectangleType3, size - 1)).Unit(unit);
                step.Pattern(cells, digits);
                for (int cell : CellsAt(unit, open & ~subset)) step.Eliminate(cell, digits);
                if (Step found = step.Result()) return found;
            }
        }
        return {};
    });
}

// With x left out of cell's candidates, every digit has two places or none in every
// unit, and none with places there is filled in that unit already.
bool IsBugWithout(const CandidateGrid& grid, int cell, int x) {
    for (int unit = 0; unit < CandidateGrid::kUnitCount; ++unit) {
        for (int digit = 1; digit <= 9; ++digit) {
            int places = Count(grid.PlacesOf(unit, digit));
            if (digit == x && InUnit(cell, unit)) --places;
            if (places != 0 && (places != 2 || (grid.DigitsIn(unit) & Bit(digit)) != 0)) return false;
        }
    }
    return true;
}

}  // namespace

// Three corners hold only the pair: the fourth holds neither digit of it.
Step UniqueRectangleType1(const CandidateGrid& grid) {
    return FirstRectangle(grid, [&grid](const Rectangle& rectangle) -> Step {
        if (Count(rectangle.floor) != 3) return {};
        StepMaker step = RectangleStep(grid, Technique::kUniqueRectangleType1, rectangle);
        step.Eliminate(rectangle.corners[Lowest(0xF & ~rectangle.floor)], rectangle.pair);
        return step.Result();
    });
}

// The two roof cells have one and the same extra digit: one of them holds it, so it
// leaves every cell that sees both.
Step UniqueRectangleType2(const CandidateGrid& grid) {
    return FirstRectangle(grid, [&grid](const Rectangle& rectangle) -> Step {
        int one, other;
        if (!RoofOnOneSide(rectangle, one, other)) return {};
        int extra = grid.GetCandidates(one) & ~rectangle.pair;
        if (Count(extra) != 1 || (grid.GetCandidates(other) & ~rectangle.pair) != extra) return {};
        StepMaker step = RectangleStep(grid, Technique::kUniqueRectangleType2, rectangle, extra);
        step.EliminateSeenByAll({one, other}, extra);
        return step.Result();
    });
}

// The roof's extra digits and size cells of a unit holding both roof cells have size + 1
// digits between them: a naked subset, whose digits leave the unit's other cells. The
// smallest subset first; each size rates 0.1 above the one before (4.6 to 4.8).
Step UniqueRectangleType3(const CandidateGrid& grid) {
    for (int size = 1; size <= 3; ++size) {
        if (Step found = Type3WithSubset(grid, size)) return found;
    }
    return {};
}

// One digit of the pair has no place in a unit of the roof but the two roof cells: one
// of them holds it, and the other then cannot hold the pair's other digit.
Step UniqueRectangleType4(const CandidateGrid& grid) {
    return FirstRectangle(grid, [&grid](const Rectangle& rectangle) -> Step {
        int one, other;
        if (!RoofOnOneSide(rectangle, one, other)) return {};
        for (int unit : SharedUnits(one, other)) {
            for (int digits = rectangle.pair; digits != 0; digits &= digits - 1) {
                int held = Lowest(digits) + 1;
                // Both roof cells have it, so a strong link's ends are they.
                if (LinksOf(grid, held, unit, unit + 1).empty()) continue;
                StepMaker step = RectangleStep(grid, Technique::kUniqueRectangleType4, rectangle);
                step.Unit(unit);
                step.Eliminate(one, rectangle.pair & ~Bit(held));
                step.Eliminate(other, rectangle.pair & ~Bit(held));
                if (Step found = step.Result()) return found;
            }
        }
        return {};
    });
}

// Every empty cell has two candidates but one, which has three, and each digit has two
// places or none in every unit once one digit x of that cell is left out: without x
// there, any solution would give a second one (each cell taking its other candidate),
// so on a puzzle with one solution the cell holds x.
Step BugPlusOne(const CandidateGrid& grid) {
    int triple = -1;
    for (int cell = 0; cell < 81; ++cell) {
        int size = Count(grid.GetCandidates(cell));
        if (size == 0 || size == 2) continue;
        if (size != 3 || triple >= 0) return {};
        triple = cell;
    }
    if (triple < 0) return {};
    int digits = grid.GetCandidates(triple);
    for (int rest = digits; rest != 0; rest &= rest - 1) {
        int x = Lowest(rest) + 1;
        if (!IsBugWithout(grid, triple, x)) continue;
        StepMaker step(grid, Technique::kBugPlusOne);
        step.Pattern(triple, digits);
        return step.Place(triple, x);
    }
    return {};
}

}  // namespace techniques
