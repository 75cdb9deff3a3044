// TechniqueFinder: the simplest step of the technique ladder that makes progress on a grid.
#include "TechniqueFinder.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

using Step = std::optional<TechniqueStep>;
using Candidate = TechniqueStep::Candidate;

constexpr bool TableFollowsLadder() {
    for (int i = 0; i < kTechniqueCount; ++i) {
        if (static_cast<int>(kTechniques[i].technique) != i) return false;
    }
    return true;
}
static_assert(TableFollowsLadder(), "kTechniques holds one row per technique, in ladder order");

const int kFirstRow = 0;
const int kFirstColumn = 9;
const int kFirstBlock = 18;

// The number of bits of a nine-bit mask, from a table: without a popcount instruction in
// the target, the builtin is a call, and the fish count bits in their innermost loops.
int Count(int bits) {
    static const std::array<uint8_t, 512> counts = [] {
        std::array<uint8_t, 512> table{};
        for (int mask = 1; mask < 512; ++mask) table[mask] = static_cast<uint8_t>(table[mask >> 1] + (mask & 1));
        return table;
    }();
    return counts[bits & 0x1FF];
}

// The nine-bit masks of size bits (1 to 4), ascending: the choices of cells, digits or
// lines that the subsets and the fish try.
const std::vector<int>& MasksOfSize(int size) {
    static const std::array<std::vector<int>, 5> masks = [] {
        std::array<std::vector<int>, 5> bySize;
        for (int mask = 1; mask < 512; ++mask) {
            if (Count(mask) < 5) bySize[Count(mask)].push_back(mask);
        }
        return bySize;
    }();
    return masks[size];
}
int Lowest(int bits) { return __builtin_ctz(static_cast<unsigned>(bits)); }
int Bit(int digit) { return 1 << (digit - 1); }

// The row, the column and the block of a cell, as unit numbers.
std::array<int, 3> UnitsOf(int cell) {
    return {kFirstRow + CandidateGrid::RowOf(cell), kFirstColumn + CandidateGrid::ColumnOf(cell),
            kFirstBlock + CandidateGrid::BlockOf(cell)};
}

bool InUnit(int cell, int unit) {
    std::array<int, 3> units = UnitsOf(cell);
    return std::find(units.begin(), units.end(), unit) != units.end();
}

// The cells of unit at the positions set in places.
std::vector<int> CellsAt(int unit, int places) {
    std::vector<int> cells;
    for (; places != 0; places &= places - 1) cells.push_back(CandidateGrid::UnitCell(unit, Lowest(places)));
    return cells;
}

void AddCandidates(std::vector<Candidate>& to, int cell, int digits) {
    for (; digits != 0; digits &= digits - 1) to.push_back({CandidateGrid::CellAt(cell), Lowest(digits) + 1});
}

// A step being put together: the units and the pattern, then what it yields.
class StepMaker {
public:
    StepMaker(const CandidateGrid& grid, Technique technique) : grid_(grid), step_{technique, {}, {}, {}, {}} {}

    StepMaker& Unit(int unit) {
        step_.units.push_back(CandidateGrid::UnitOf(unit));
        return *this;
    }
    // The cell's candidates among digits, into the pattern.
    StepMaker& Pattern(int cell, int digits) {
        AddCandidates(step_.pattern, cell, grid_.GetCandidates(cell) & digits);
        return *this;
    }
    StepMaker& Pattern(const std::vector<int>& cells, int digits) {
        for (int cell : cells) Pattern(cell, digits);
        return *this;
    }
    // The cell's candidates among digits, as eliminations.
    void Eliminate(int cell, int digits) {
        AddCandidates(step_.eliminations, cell, grid_.GetCandidates(cell) & digits);
    }
    // The step, placing digit in cell.
    Step Place(int cell, int digit) {
        step_.placements.push_back({CandidateGrid::CellAt(cell), digit});
        return step_;
    }
    // The step when it eliminates anything.
    Step Result() const { return step_.eliminations.empty() ? Step() : step_; }

private:
    const CandidateGrid& grid_;
    TechniqueStep step_;
};

// Strong links: a digit with exactly two places in a unit, so that one of them holds it.
struct Link {
    int unit;
    int ends[2];
};

std::vector<Link> LinksOf(const CandidateGrid& grid, int digit, int firstUnit, int endUnit) {
    std::vector<Link> links;
    for (int unit = firstUnit; unit < endUnit; ++unit) {
        int places = grid.PlacesOf(unit, digit);
        if (Count(places) != 2 || (grid.DigitsIn(unit) & Bit(digit)) != 0) continue;
        std::vector<int> cells = CellsAt(unit, places);
        links.push_back({unit, {cells[0], cells[1]}});
    }
    return links;
}

// Eliminations of digits from every cell that sees all of the given cells.
void EliminateSeenByAll(StepMaker& step, const std::vector<int>& cells, int digits) {
    for (int cell = 0; cell < 81; ++cell) {
        if (std::all_of(cells.begin(), cells.end(), [cell](int seen) { return CandidateGrid::Sees(cell, seen); })) {
            step.Eliminate(cell, digits);
        }
    }
}

// Singles.

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

Step Pointing(const CandidateGrid& grid) {
    return LockedCandidates(grid, Technique::kPointing, kFirstBlock, CandidateGrid::kUnitCount);
}
Step Claiming(const CandidateGrid& grid) {
    return LockedCandidates(grid, Technique::kClaiming, kFirstRow, kFirstBlock);
}

// Subsets.

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

Step NakedPair(const CandidateGrid& grid) { return NakedSubset(grid, Technique::kNakedPair, 2); }
Step HiddenPair(const CandidateGrid& grid) { return HiddenSubset(grid, Technique::kHiddenPair, 2); }
Step NakedTriple(const CandidateGrid& grid) { return NakedSubset(grid, Technique::kNakedTriple, 3); }
Step HiddenTriple(const CandidateGrid& grid) { return HiddenSubset(grid, Technique::kHiddenTriple, 3); }
Step NakedQuad(const CandidateGrid& grid) { return NakedSubset(grid, Technique::kNakedQuad, 4); }
Step HiddenQuad(const CandidateGrid& grid) { return HiddenSubset(grid, Technique::kHiddenQuad, 4); }

// Fish.

// Fish of size lines: a digit's places in size base lines (rows, or columns) lie in size
// cover lines across them, so the cover lines hold it only in the base lines. A finned
// fish has extra places, the fins, all in one block: either a fin holds the digit or the
// plain fish stands, so the digit leaves the cover lines' cells in that block only.
Step Fish(const CandidateGrid& grid, Technique technique, int size, bool finned) {
    for (int baseFirst : {kFirstRow, kFirstColumn}) {
        int coverFirst = baseFirst == kFirstRow ? kFirstColumn : kFirstRow;
        // The cell where base line b crosses cover line c.
        auto crossing = [baseFirst](int b, int c) { return baseFirst == kFirstRow ? b * 9 + c : c * 9 + b; };
        for (int digit = 1; digit <= 9; ++digit) {
            int places[9];
            int eligible = 0;
            for (int b = 0; b < 9; ++b) {
                places[b] = grid.PlacesOf(baseFirst + b, digit);
                // A finned fish's fins lie in one block: three at most in a base line.
                if (Count(places[b]) >= 2 && Count(places[b]) <= size + (finned ? 3 : 0)) eligible |= 1 << b;
            }
            for (int bases : MasksOfSize(size)) {
                if ((bases & ~eligible) != 0) continue;
                int spread = 0;
                for (int b = 0; b < 9; ++b) spread |= (bases >> b & 1) != 0 ? places[b] : 0;
                if (!finned && Count(spread) != size) continue;
                for (int covers = spread; covers != 0; covers = (covers - 1) & spread) {
                    if (Count(covers) != size) continue;
                    // The fins' block, kNoBlock without fins and kSeveralBlocks for fins in more.
                    const int kNoBlock = -1, kSeveralBlocks = 9;
                    int finBlock = kNoBlock;
                    bool everyBaseCovered = true;
                    for (int b = 0; b < 9; ++b) {
                        if ((bases >> b & 1) == 0) continue;
                        everyBaseCovered = everyBaseCovered && (places[b] & covers) != 0;
                        for (int c = 0; c < 9; ++c) {
                            if (((places[b] & ~covers) >> c & 1) == 0) continue;
                            int block = CandidateGrid::BlockOf(crossing(b, c));
                            finBlock = finBlock == kNoBlock || finBlock == block ? block : kSeveralBlocks;
                        }
                    }
                    if (!everyBaseCovered || finBlock == kSeveralBlocks || (finBlock == kNoBlock) == finned) continue;
                    StepMaker step(grid, technique);
                    for (int b = 0; b < 9; ++b) {
                        if (bases >> b & 1)
                            step.Unit(baseFirst + b).Pattern(CellsAt(baseFirst + b, places[b]), Bit(digit));
                    }
                    for (int c = 0; c < 9; ++c) {
                        if (covers >> c & 1) step.Unit(coverFirst + c);
                    }
                    if (finned) step.Unit(kFirstBlock + finBlock);
                    for (int b = 0; b < 9; ++b) {
                        for (int c = 0; c < 9; ++c) {
                            int cell = crossing(b, c);
                            if ((bases >> b & 1) == 0 && (covers >> c & 1) != 0 &&
                                (!finned || CandidateGrid::BlockOf(cell) == finBlock)) {
                                step.Eliminate(cell, Bit(digit));
                            }
                        }
                    }
                    if (Step found = step.Result()) return found;
                    if (!finned) break;  // a plain fish has one cover
                }
            }
        }
    }
    return {};
}

Step XWing(const CandidateGrid& grid) { return Fish(grid, Technique::kXWing, 2, false); }
Step Swordfish(const CandidateGrid& grid) { return Fish(grid, Technique::kSwordfish, 3, false); }
Step Jellyfish(const CandidateGrid& grid) { return Fish(grid, Technique::kJellyfish, 4, false); }
Step FinnedXWing(const CandidateGrid& grid) { return Fish(grid, Technique::kFinnedXWing, 2, true); }
Step FinnedSwordfish(const CandidateGrid& grid) { return Fish(grid, Technique::kFinnedSwordfish, 3, true); }

// Two strong links on a digit whose near ends see each other: they cannot both hold it,
// so one far end does, and the digit leaves every cell that sees both far ends. joined
// tells whether the near ends (then the far ends) make the pattern; it holds only for
// near ends that see each other.
template <typename Joined>
Step TwoLinks(const CandidateGrid& grid, Technique technique, int firstUnits, int secondUnits, Joined joined) {
    for (int digit = 1; digit <= 9; ++digit) {
        std::vector<Link> first = LinksOf(grid, digit, firstUnits, firstUnits + 9);
        std::vector<Link> second = LinksOf(grid, digit, secondUnits, secondUnits + 9);
        for (const Link& one : first) {
            for (const Link& other : second) {
                if (one.unit >= other.unit && firstUnits == secondUnits) continue;
                for (int i = 0; i < 2; ++i) {
                    for (int j = 0; j < 2; ++j) {
                        int near = one.ends[i], farEnd = one.ends[1 - i];
                        int otherNear = other.ends[j], otherFar = other.ends[1 - j];
                        std::vector<int> cells = {near, farEnd, otherNear, otherFar};
                        std::vector<int> sorted = cells;
                        std::sort(sorted.begin(), sorted.end());
                        if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) continue;
                        if (!joined(near, otherNear, farEnd, otherFar)) continue;
                        StepMaker step(grid, technique);
                        step.Unit(one.unit).Unit(other.unit).Pattern(cells, Bit(digit));
                        EliminateSeenByAll(step, {farEnd, otherFar}, Bit(digit));
                        if (Step found = step.Result()) return found;
                    }
                }
            }
        }
    }
    return {};
}

// Two rows (or two columns) with a strong link each, the near ends in one column (row)
// and the far ends not.
Step Skyscraper(const CandidateGrid& grid) {
    auto sameColumn = [](int a, int b) { return CandidateGrid::ColumnOf(a) == CandidateGrid::ColumnOf(b); };
    auto sameRow = [](int a, int b) { return CandidateGrid::RowOf(a) == CandidateGrid::RowOf(b); };
    if (Step found = TwoLinks(grid, Technique::kSkyscraper, kFirstRow, kFirstRow, [&](int n1, int n2, int f1, int f2) {
            return sameColumn(n1, n2) && !sameColumn(f1, f2);
        })) {
        return found;
    }
    return TwoLinks(grid, Technique::kSkyscraper, kFirstColumn, kFirstColumn,
                    [&](int n1, int n2, int f1, int f2) { return sameRow(n1, n2) && !sameRow(f1, f2); });
}

// A strong link in a row and one in a column whose near ends share a block.
Step TwoStringKite(const CandidateGrid& grid) {
    return TwoLinks(grid, Technique::kTwoStringKite, kFirstRow, kFirstColumn,
                    [](int n1, int n2, int, int) { return CandidateGrid::BlockOf(n1) == CandidateGrid::BlockOf(n2); });
}

// Wings.

// A pivot and two pincers that see it, each pincer with two candidates: one of the
// pivot's and z, their common digit. Whatever the pivot holds, one pincer holds z.
// XY-Wing: the pivot has two candidates, so z leaves what sees both pincers.
// XYZ-Wing: the pivot has three, z among them, so z leaves what sees all three.
Step Wing(const CandidateGrid& grid, Technique technique, int pivotSize) {
    for (int pivot = 0; pivot < 81; ++pivot) {
        int pivotDigits = grid.GetCandidates(pivot);
        if (Count(pivotDigits) != pivotSize) continue;
        for (int one = 0; one < 81; ++one) {
            for (int other = one + 1; other < 81; ++other) {
                int a = grid.GetCandidates(one), b = grid.GetCandidates(other);
                if (!CandidateGrid::Sees(pivot, one) || !CandidateGrid::Sees(pivot, other) || Count(a) != 2 ||
                    Count(b) != 2 || a == b || Count(a & b) != 1) {
                    continue;
                }
                int z = a & b;
                // The pincers hold the pivot's digits and z: beside them for XY-Wing, among
                // them for XYZ-Wing.
                if ((a | b) != (pivotDigits | z)) continue;
                StepMaker step(grid, technique);
                step.Pattern(pivot, pivotDigits).Pattern(one, a).Pattern(other, b);
                std::vector<int> seen = {one, other};
                if (pivotSize == 3) seen.push_back(pivot);
                EliminateSeenByAll(step, seen, z);
                if (Step found = step.Result()) return found;
            }
        }
    }
    return {};
}

Step XYWing(const CandidateGrid& grid) { return Wing(grid, Technique::kXYWing, 2); }
Step XYZWing(const CandidateGrid& grid) { return Wing(grid, Technique::kXYZWing, 3); }

// Two cells that do not see each other, both with candidates x and y, and a strong link
// on x whose ends see one cell each: both cells cannot be x, so one is y, and y leaves
// what sees both.
Step WWing(const CandidateGrid& grid) {
    for (int one = 0; one < 81; ++one) {
        int digits = grid.GetCandidates(one);
        if (Count(digits) != 2) continue;
        for (int other = one + 1; other < 81; ++other) {
            if (grid.GetCandidates(other) != digits || CandidateGrid::Sees(one, other)) continue;
            for (int x : {Lowest(digits) + 1, 32 - __builtin_clz(static_cast<unsigned>(digits))}) {
                for (const Link& link : LinksOf(grid, x, 0, CandidateGrid::kUnitCount)) {
                    for (int i = 0; i < 2; ++i) {
                        if (!CandidateGrid::Sees(link.ends[i], one) || !CandidateGrid::Sees(link.ends[1 - i], other))
                            continue;
                        StepMaker step(grid, Technique::kWWing);
                        step.Unit(link.unit).Pattern(one, digits).Pattern(other, digits);
                        step.Pattern(link.ends[i], Bit(x)).Pattern(link.ends[1 - i], Bit(x));
                        EliminateSeenByAll(step, {one, other}, digits & ~Bit(x));
                        if (Step found = step.Result()) return found;
                    }
                }
            }
        }
    }
    return {};
}

// Simple colouring: the cells that strong links on a digit join, in two colours that
// alternate along the links; one colour holds the digit in all its cells. A colour with
// two cells that see each other holds it nowhere; a cell that sees both colours cannot
// hold it.
Step SimpleColouring(const CandidateGrid& grid) {
    for (int digit = 1; digit <= 9; ++digit) {
        std::vector<Link> links = LinksOf(grid, digit, 0, CandidateGrid::kUnitCount);
        std::array<int, 81> colour;
        colour.fill(-1);
        for (int start = 0; start < 81; ++start) {
            if (colour[start] >= 0) continue;
            std::vector<int> cluster = {start};
            colour[start] = 0;
            bool twoColours = true;
            for (size_t next = 0; next < cluster.size(); ++next) {
                int cell = cluster[next];
                for (const Link& link : links) {
                    for (int i = 0; i < 2; ++i) {
                        if (link.ends[i] != cell) continue;
                        int joined = link.ends[1 - i];
                        if (colour[joined] < 0) {
                            colour[joined] = 1 - colour[cell];
                            cluster.push_back(joined);
                        }
                        twoColours = twoColours && colour[joined] != colour[cell];
                    }
                }
            }
            if (cluster.size() < 2 || !twoColours) continue;
            StepMaker step(grid, Technique::kSimpleColouring);
            step.Pattern(cluster, Bit(digit));
            for (int c : {0, 1}) {
                bool clash = false;
                for (int a : cluster) {
                    for (int b : cluster)
                        clash = clash || (colour[a] == c && colour[b] == c && CandidateGrid::Sees(a, b));
                }
                if (!clash) continue;
                for (int cell : cluster) {
                    if (colour[cell] == c) step.Eliminate(cell, Bit(digit));
                }
            }
            for (int cell = 0; cell < 81; ++cell) {
                if (std::find(cluster.begin(), cluster.end(), cell) != cluster.end()) continue;
                bool seesColour[2] = {false, false};
                for (int member : cluster) seesColour[colour[member]] |= CandidateGrid::Sees(cell, member);
                if (seesColour[0] && seesColour[1]) step.Eliminate(cell, Bit(digit));
            }
            if (Step found = step.Result()) return found;
        }
    }
    return {};
}

// The ladder: one finder for each technique, in the order of Technique.
using Finder = Step (*)(const CandidateGrid&);
const Finder kLadder[kTechniqueCount] = {
    FullHouse,
    HiddenSingleInBlock,
    HiddenSingleInRow,
    HiddenSingleInColumn,
    NakedSingle,
    Pointing,
    Claiming,
    NakedPair,
    HiddenPair,
    NakedTriple,
    HiddenTriple,
    NakedQuad,
    HiddenQuad,
    XWing,
    Swordfish,
    Jellyfish,
    FinnedXWing,
    FinnedSwordfish,
    Skyscraper,
    TwoStringKite,
    XYWing,
    XYZWing,
    WWing,
    SimpleColouring,
};

}  // namespace

std::optional<TechniqueStep> TechniqueFinder::FindSimplest() const {
    for (Technique technique : SearchOrder()) {
        if (Step found = Find(technique)) return found;
    }
    return {};
}

std::optional<TechniqueStep> TechniqueFinder::Find(Technique technique) const {
    return kLadder[static_cast<int>(technique)](grid_);
}

const std::array<Technique, kTechniqueCount>& TechniqueFinder::SearchOrder() {
    static const std::array<Technique, kTechniqueCount> order = [] {
        std::array<Technique, kTechniqueCount> techniques;
        for (int i = 0; i < kTechniqueCount; ++i) techniques[i] = kTechniques[i].technique;
        std::stable_sort(techniques.begin(), techniques.end(),
                         [](Technique a, Technique b) { return InfoOf(a).rating < InfoOf(b).rating; });
        return techniques;
    }();
    return order;
}

void TechniqueFinder::Apply(const TechniqueStep& step, CandidateGrid& grid) {
    for (const Candidate& placement : step.placements)
        grid.Place(CandidateGrid::CellOf(placement.cell), placement.digit);
    for (const Candidate& elimination : step.eliminations)
        grid.Eliminate(CandidateGrid::CellOf(elimination.cell), elimination.digit);
}
