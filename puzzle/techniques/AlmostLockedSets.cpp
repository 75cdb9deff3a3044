// AlmostLockedSets: sets of cells one candidate short of locked, and what two of them rule out.
#include "Techniques.h"

#include "GridSearch.h"
#include "StepMaker.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <climits>
#include <vector>

namespace techniques {

namespace {

using Cells = std::bitset<81>;

// An almost locked set: n empty cells of one unit with n + 1 candidates between them.
// Whichever of its digits the set lacks, it holds all the others.
struct Als {
    int unit;
    Cells cells;
    int digits;
    int candidates;                  // of its cells, counted cell by cell
    std::array<Cells, 9> seenByAll;  // by digit: the cells that see each of its cells with it
};

const std::array<Cells, 81>& Peers() {
    static const std::array<Cells, 81> peers = [] {
        std::array<Cells, 81> all;
        for (int cell = 0; cell < 81; ++cell) {
            for (int other = 0; other < 81; ++other) all[cell][other] = CandidateGrid::Sees(cell, other);
        }
        return all;
    }();
    return peers;
}

// The cells of the grid with digit among their candidates, by digit.
std::array<Cells, 9> PlacesByDigit(const CandidateGrid& grid) {
    std::array<Cells, 9> places;
    for (int cell = 0; cell < 81; ++cell) {
        for (int rest = grid.GetCandidates(cell); rest != 0; rest &= rest - 1) places[Lowest(rest)][cell] = true;
    }
    return places;
}

// A set of cells within unit belongs to the first unit that holds them all: a row before
// a column or a block, a column before a block.
bool FirstUnitHolding(const std::vector<int>& cells, int unit) {
    bool oneRow = true, oneColumn = true;
    for (int cell : cells) {
        oneRow = oneRow && CandidateGrid::RowOf(cell) == CandidateGrid::RowOf(cells[0]);
        oneColumn = oneColumn && CandidateGrid::ColumnOf(cell) == CandidateGrid::ColumnOf(cells[0]);
    }
    if (unit >= kFirstBlock) return !oneRow && !oneColumn;
    return unit < kFirstColumn || !oneRow;
}

// Every almost locked set once, by units in order and within a unit by the subsets of
// its empty cells, ordered stably by their candidates, fewest first.
std::vector<Als> AlmostLockedSets(const CandidateGrid& grid) {
    const std::array<Cells, 81>& peers = Peers();
    std::vector<Als> sets;
    for (int unit = 0; unit < CandidateGrid::kUnitCount; ++unit) {
        int open = 0;
        for (int i = 0; i < 9; ++i) {
            if (grid.GetCandidates(CandidateGrid::UnitCell(unit, i)) != 0) open |= 1 << i;
        }
        for (int subset = open; subset != 0; subset = (subset - 1) & open) {
            int digits = 0;
            for (int rest = subset; rest != 0; rest &= rest - 1)
                digits |= grid.GetCandidates(CandidateGrid::UnitCell(unit, Lowest(rest)));
            if (Count(digits) != Count(subset) + 1) continue;
            std::vector<int> cells = CellsAt(unit, subset);
            if (!FirstUnitHolding(cells, unit)) continue;
            Als set{unit, {}, digits, 0, {}};
            for (int cell : cells) {
                set.cells[cell] = true;
                set.candidates += Count(grid.GetCandidates(cell));
            }
            for (int rest = set.digits; rest != 0; rest &= rest - 1) {
                int digit = Lowest(rest) + 1;
                set.seenByAll[digit - 1].set();
                for (int cell : cells) {
                    if (grid.HasCandidate(cell, digit)) set.seenByAll[digit - 1] &= peers[cell];
                }
            }
            sets.push_back(set);
        }
    }
    std::stable_sort(sets.begin(), sets.end(), [](const Als& a, const Als& b) { return a.candidates < b.candidates; });
    return sets;
}

}  // namespace

// Two almost locked sets without a common cell share a restricted candidate x: each of
// the one's cells with x sees each of the other's, so at most one set holds x and the
// other is locked on its remaining digits. Then for every other common digit z one set
// holds z, and z leaves each cell that sees all cells of both with z. A bigger pattern
// is harder to see, so the step rates as a chain of the candidates of both sets
// (ChainRating from 6.6) and the finder answers the pair with the fewest candidates
// (the first of them in the sets' order).
Step AlsXz(const CandidateGrid& grid) {
    std::vector<Als> sets = AlmostLockedSets(grid);
    std::array<Cells, 9> places = PlacesByDigit(grid);
    int fewest = INT_MAX;
    Step best;
    for (size_t i = 0; i < sets.size(); ++i) {
        const Als& a = sets[i];
        for (size_t j = i + 1; j < sets.size() && a.candidates + sets[j].candidates < fewest; ++j) {
            const Als& b = sets[j];
            int common = a.digits & b.digits;
            if (Count(common) < 2 || (a.cells & b.cells).any()) continue;
            // x and z are bit indexes: the digit less one.
            for (int xs = common; xs != 0 && fewest > a.candidates + b.candidates; xs &= xs - 1) {
                int x = Lowest(xs);
                if ((b.cells & places[x] & ~a.seenByAll[x]).any()) continue;
                std::array<Cells, 9> targets;
                bool any = false;
                for (int zs = common & ~(1 << x); zs != 0; zs &= zs - 1) {
                    int z = Lowest(zs);
                    targets[z] = a.seenByAll[z] & b.seenByAll[z] & places[z];
                    any = any || targets[z].any();
                }
                if (!any) continue;
                StepMaker step(grid, Technique::kAlsXz);
                step.Rating(ChainRating(Technique::kAlsXz, a.candidates + b.candidates)).Unit(a.unit).Unit(b.unit);
                for (int cell = 0; cell < 81; ++cell) {
                    if (a.cells[cell] || b.cells[cell]) step.Pattern(cell, 0x1FF);
                    for (int z = 0; z < 9; ++z) {
                        if (targets[z][cell]) step.Eliminate(cell, 1 << z);
                    }
                }
                fewest = a.candidates + b.candidates;
                best = step.Result();
            }
        }
    }
    return best;
}

}  // namespace techniques
