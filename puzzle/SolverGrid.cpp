// SolverGrid: the solver's working copy of a grid, with candidates as bit masks.
#include "SolverGrid.h"

#include "EnneoPuzzle.h"

#include <array>

namespace {

// Units 0-8 are the blocks in reading order, each walked in reading order; units 9-17
// the rows from the top, each left to right; units 18-26 the columns from the left,
// each top to bottom. These are the orders in which the solver looks for single places.
const int kFirstBlock = 0;
const int kFirstRow = 9;
const int kFirstColumn = 18;

// Where a block meets a row or a column, in segments: three cells of a line within one
// block. Segments 0-26 lie in rows (row y, stack x / 3: y * 3 + x / 3), 27-53 in columns
// (27 + x * 3 + y / 3), x and y from 0. A crossing's segments all lie in its line's
// direction: the one shared, the block's other two and the line's other two.
struct Crossing {
    int block;
    int line;
    int shared;
    int blockRest[2];
    int lineRest[2];
};

struct Tables {
    int unitCells[27][9];
    int segmentCells[54][3];
    int cellSegments[81][2];  // its row's segment, its column's
    Crossing crossings[54];

    Tables() {
        for (int i = 0; i < 9; ++i) {
            for (int j = 0; j < 9; ++j) {
                unitCells[kFirstBlock + i][j] = Cell(i % 3 * 3 + j % 3, i / 3 * 3 + j / 3);
                unitCells[kFirstRow + i][j] = Cell(j, i);
                unitCells[kFirstColumn + i][j] = Cell(i, j);
            }
        }
        for (int cell = 0; cell < 81; ++cell) {
            int x = cell / 9, y = cell % 9;
            cellSegments[cell][0] = RowSegment(x, y);
            cellSegments[cell][1] = ColumnSegment(x, y);
            segmentCells[RowSegment(x, y)][x % 3] = cell;
            segmentCells[ColumnSegment(x, y)][y % 3] = cell;
        }
        int next = 0;
        for (int block = 0; block < 9; ++block) {
            int x0 = block % 3 * 3, y0 = block / 3 * 3;
            for (int i = 0; i < 3; ++i) {  // the block's rows
                int y = y0 + i;
                crossings[next++] = {kFirstBlock + block, kFirstRow + y, RowSegment(x0, y),
                                     {RowSegment(x0, y0 + (i + 1) % 3), RowSegment(x0, y0 + (i + 2) % 3)},
                                     {RowSegment((x0 + 3) % 9, y), RowSegment((x0 + 6) % 9, y)}};
            }
            for (int i = 0; i < 3; ++i) {  // the block's columns
                int x = x0 + i;
                crossings[next++] = {kFirstBlock + block, kFirstColumn + x, ColumnSegment(x, y0),
                                     {ColumnSegment(x0 + (i + 1) % 3, y0), ColumnSegment(x0 + (i + 2) % 3, y0)},
                                     {ColumnSegment(x, (y0 + 3) % 9), ColumnSegment(x, (y0 + 6) % 9)}};
            }
        }
    }

    static int Cell(int x, int y) { return x * 9 + y; }  // both from 0
    static int RowSegment(int x, int y) { return y * 3 + x / 3; }
    static int ColumnSegment(int x, int y) { return 27 + x * 3 + y / 3; }
};

const Tables& GetTables() {
    static const Tables tables;
    return tables;
}

// The digits of each mask, by table: without a popcount instruction, which the portable
// builds do not assume, __builtin_popcount is a library call, and the search counts
// digits at every node.
constexpr std::array<uint8_t, 512> kDigitCounts = [] {
    std::array<uint8_t, 512> counts{};
    for (int mask = 1; mask < 512; ++mask) counts[mask] = static_cast<uint8_t>(counts[mask >> 1] + (mask & 1));
    return counts;
}();

int DigitCount(int mask) { return kDigitCounts[mask]; }

// The four cells of each cell's block that share neither its row nor its column.
constexpr std::array<std::array<uint8_t, 4>, 81> kBlockOnlyPeers = [] {
    std::array<std::array<uint8_t, 4>, 81> peers{};
    for (int cell = 0; cell < 81; ++cell) {
        int x = cell / 9, y = cell % 9, count = 0;
        for (int i = 1; i <= 2; ++i) {
            for (int j = 1; j <= 2; ++j) {
                peers[cell][count++] = static_cast<uint8_t>((x / 3 * 3 + (x + i) % 3) * 9 + y / 3 * 3 + (y + j) % 3);
            }
        }
    }
    return peers;
}();

// The units of the cell in column x and row y, both from 0: its block (i 0), its row
// (1) and its column (2).
int CellUnit(int x, int y, int i) {
    return i == 0 ? kFirstBlock + y / 3 * 3 + x / 3 : i == 1 ? kFirstRow + y : kFirstColumn + x;
}

}  // namespace

SolverGrid::SolverGrid(const EnneoPuzzle& puzzle) {
    for (uint16_t& digits : unitDigits_) digits = 0;
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            int digit = puzzle.GetCell(x + 1, y + 1);
            digits_[x * 9 + y] = static_cast<uint8_t>(digit);
            if (digit == 0) {
                ++emptyCells_;
                continue;
            }
            for (int i = 0; i < 3; ++i) {
                int unit = CellUnit(x, y, i);
                if ((unitDigits_[unit] & (1 << (digit - 1))) != 0) repeatUnits_ |= 1u << unit;
                unitDigits_[unit] |= static_cast<uint16_t>(1 << (digit - 1));
            }
        }
    }
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            int taken = unitDigits_[CellUnit(x, y, 0)] | unitDigits_[CellUnit(x, y, 1)] | unitDigits_[CellUnit(x, y, 2)];
            candidates_[x * 9 + y] = static_cast<uint16_t>(IsEmpty(x * 9 + y) ? kAllDigits & ~taken : 0);
        }
    }
}

int SolverGrid::FirstEmptyCell() const {
    for (int cell = 0; cell < 81; ++cell) {
        if (IsEmpty(cell)) return cell;
    }
    return -1;
}

// The cell's column is nine cells in a row in candidates_, its row every ninth (the cell
// itself among them, without candidates by then), and four cells of its block are in
// neither.
void SolverGrid::Place(int cell, int digit, NarrowedCells* narrowed) {
    int x = cell / 9, y = cell % 9;
    int bit = 1 << (digit - 1);
    digits_[cell] = static_cast<uint8_t>(digit);
    candidates_[cell] = 0;
    --emptyCells_;
    for (int i = 0; i < 3; ++i) unitDigits_[CellUnit(x, y, i)] |= static_cast<uint16_t>(bit);
    for (int i = 0; i < 9; ++i) TakeOut(x * 9 + i, bit, narrowed);
    for (int i = 0; i < 9; ++i) TakeOut(i * 9 + y, bit, narrowed);
    for (int peer : kBlockOnlyPeers[cell]) TakeOut(peer, bit, narrowed);
}

void SolverGrid::TakeOut(int cell, int digits, NarrowedCells* narrowed) {
    int before = candidates_[cell];
    int after = before & ~digits;
    candidates_[cell] = static_cast<uint16_t>(after);
    if (narrowed != nullptr) narrowed->AddIf(cell, (before != after) & ((after & (after - 1)) == 0));
}

bool SolverGrid::IsPartOf(const SolverGrid& other) const {
    for (int cell = 0; cell < 81; ++cell) {
        if (digits_[cell] != 0 && digits_[cell] != other.digits_[cell]) return false;
    }
    return true;
}

bool SolverGrid::FindSingleCandidate(Placement& placement) const {
    for (int cell = 0; cell < 81; ++cell) {
        int mask = candidates_[cell];
        if (DigitCount(mask) == 1) {  // one branch, seldom taken, where two mispredict
            placement = {cell, LowestDigit(mask)};
            return true;
        }
    }
    return false;
}

// A digit has a single place in a unit when exactly one of the unit's empty cells has
// it as a candidate; the lowest such digit of the first such unit wins.
bool SolverGrid::FindSingleInUnits(int firstUnit, Placement& placement) const {
    const Tables& tables = GetTables();
    for (int unit = firstUnit; unit < firstUnit + 9; ++unit) {
        int once = 0, twice = 0;
        for (int cell : tables.unitCells[unit]) {
            twice |= once & candidates_[cell];
            once |= candidates_[cell];
        }
        int single = once & ~twice;
        if (single == 0) continue;
        int bit = single & -single;
        for (int cell : tables.unitCells[unit]) {
            if ((candidates_[cell] & bit) != 0) {
                placement = {cell, LowestDigit(bit)};
                return true;
            }
        }
    }
    return false;
}

bool SolverGrid::FindSingleInBlock(Placement& placement) const {
    return FindSingleInUnits(kFirstBlock, placement);
}

bool SolverGrid::FindSingleInRow(Placement& placement) const {
    return FindSingleInUnits(kFirstRow, placement);
}

bool SolverGrid::FindSingleInColumn(Placement& placement) const {
    return FindSingleInUnits(kFirstColumn, placement);
}

bool SolverGrid::FindDeduction(Placement& placement, Strategy* used) const {
    Strategy found = FindSingleCandidate(placement)  ? kSingleCandidate
                     : FindSingleInBlock(placement)  ? kSingleInBlock
                     : FindSingleInRow(placement)    ? kSingleInRow
                     : FindSingleInColumn(placement) ? kSingleInColumn
                                                     : kTrial;
    if (used != nullptr) *used = found;
    return found != kTrial;
}

int SolverGrid::CountCompletions(int limit, SolverGrid* first, int64_t* budget) const {
    SolverGrid grid = *this;
    NarrowedCells narrowed;
    for (int cell = 0; cell < 81; ++cell) {
        int mask = candidates_[cell];
        if (IsEmpty(cell) && (mask & (mask - 1)) == 0) narrowed.Add(cell);
    }
    int count = 0;
    grid.Search(limit, count, first, budget, narrowed);
    return budget != nullptr && *budget < 0 ? -1 : count;
}

// A cell with one candidate must take it. A unit's empty cells take distinct digits
// that it lacks; when it lacks exactly as many as it has empty cells (always, unless a
// given repeats in it) each of them must go in, so a digit with one place must go
// there, and a digit with none means there is no completion. A unit with a repeat lacks
// more (its spare digits, one per repeat); once that many of them have no place left,
// the others must go in. When none of this places a digit, candidates that a block and
// a line lock between them are removed, and the search goes on.
//
// Each of these rules, once it applies, applies until it is taken or the grid is found
// dead (candidates only shrink), so the order in which they are taken changes neither
// the grid they end with nor whether it is found dead: the search sees the same grids
// whatever the order. So each change of candidates notes the cells it narrows to one
// candidate or none, which are placed (or found dead) at once, and the units are read
// only when no such cell is left.
bool SolverGrid::PlaceForcedDigits(NarrowedCells& narrowed) {
    do {
        for (int placed = 1; placed > 0;) {
            if (!PlaceNarrowedCells(narrowed)) return false;
            if (emptyCells_ == 0) return true;  // a full grid: nothing to force, nothing dead
            placed = PlaceSinglesInUnits(narrowed);
            if (placed < 0) return false;
        }
    } while (RemoveLockedCandidates(narrowed));
    return true;
}

bool SolverGrid::PlaceNarrowedCells(NarrowedCells& narrowed) {
    while (narrowed.count > 0) {
        int cell = narrowed.cells[--narrowed.count];
        if (!IsEmpty(cell)) continue;
        int mask = candidates_[cell];
        if (mask == 0) return false;
        Place(cell, LowestDigit(mask), &narrowed);
    }
    return true;
}

// The digits that some cells' candidates hold once, and those they hold more than once.
struct SolverGrid::Tally {
    int once = 0;
    int twice = 0;
    void Add(int mask) {
        twice |= once & mask;
        once |= mask;
    }
    void Add(const Tally& other) {
        twice |= other.twice | (once & other.once);
        once |= other.once;
    }
};

// Without the unit tables: the rows gather column by column, all nine at once, and
// each column's three segments (three cells in one block) make its tally and their
// blocks'.
void SolverGrid::TallyUnits(Tally (&tallies)[27]) const {
    uint16_t rowOnce[9] = {}, rowTwice[9] = {};
    for (int x = 0; x < 9; ++x) {
        const uint16_t* column = candidates_ + x * 9;
        for (int y = 0; y < 9; ++y) {
            rowTwice[y] |= rowOnce[y] & column[y];
            rowOnce[y] |= column[y];
        }
        for (int band = 0; band < 3; ++band) {
            Tally segment;
            for (int y = band * 3; y < band * 3 + 3; ++y) segment.Add(column[y]);
            tallies[kFirstColumn + x].Add(segment);
            tallies[kFirstBlock + band * 3 + x / 3].Add(segment);
        }
    }
    for (int y = 0; y < 9; ++y) tallies[kFirstRow + y] = {rowOnce[y], rowTwice[y]};
}

// The singles of every unit are read first and then placed: a placement can take a
// single's place away (then the unit is dead) or put the very digit there, but it
// cannot give the digit another place.
int SolverGrid::PlaceSinglesInUnits(NarrowedCells& narrowed) {
    const Tables& tables = GetTables();
    Tally tallies[27];
    TallyUnits(tallies);
    int singles[27], placeless[27];  // placeless: digits the unit lacks and has no place for
    for (int unit = 0; unit < 27; ++unit) {
        singles[unit] = tallies[unit].once & ~tallies[unit].twice;
        placeless[unit] = kAllDigits & ~unitDigits_[unit] & ~tallies[unit].once;
    }
    for (uint32_t units = repeatUnits_; units != 0; units &= units - 1) {
        int unit = __builtin_ctz(units);
        int spare = DigitCount(kAllDigits & ~unitDigits_[unit]);  // digits the unit will go without
        for (int cell : tables.unitCells[unit]) spare -= IsEmpty(cell) ? 1 : 0;
        if (spare < 0 || DigitCount(placeless[unit]) > spare) return -1;
        if (DigitCount(placeless[unit]) < spare) singles[unit] = 0;
        placeless[unit] = 0;
    }
    int dead = 0;
    uint32_t unitsWithSingles = 0;
    for (int unit = 0; unit < 27; ++unit) {
        dead |= placeless[unit];
        unitsWithSingles |= static_cast<uint32_t>(singles[unit] != 0) << unit;
    }
    if (dead != 0) return -1;
    int placed = 0;
    for (; unitsWithSingles != 0; unitsWithSingles &= unitsWithSingles - 1) {
        int unit = __builtin_ctz(unitsWithSingles);
        for (int single = singles[unit]; single != 0; single &= single - 1) {
            int bit = single & -single;
            if ((unitDigits_[unit] & bit) != 0) continue;  // placed since it was read
            const int* cells = tables.unitCells[unit];
            int place = 0;
            while (place < 9 && (candidates_[cells[place]] & bit) == 0) ++place;
            if (place == 9) return -1;
            Place(cells[place], LowestDigit(bit), &narrowed);
            ++placed;
        }
    }
    return placed;
}

// A digit that a unit without a repeat must hold, and that can go only into the cells
// it shares with another unit, goes there, so no other cell of that other unit can take
// it (no placed digit repeats beside another). The crossings are taken in turn, each
// seeing what the ones before it removed; segments[] holds the candidates of each
// segment's three cells.
bool SolverGrid::RemoveLockedCandidates(NarrowedCells& narrowed) {
    const Tables& tables = GetTables();
    int segments[54];
    // Each segment's candidates, without the table: a column's segment is three cells in
    // a row in candidates_, a row's every ninth.
    for (int x = 0; x < 9; ++x) {
        for (int band = 0; band < 3; ++band) {
            const uint16_t* cells = candidates_ + x * 9 + band * 3;
            segments[Tables::ColumnSegment(x, band * 3)] = cells[0] | cells[1] | cells[2];
        }
    }
    for (int y = 0; y < 9; ++y) {
        for (int stack = 0; stack < 3; ++stack) {
            const uint16_t* cells = candidates_ + stack * 27 + y;
            segments[Tables::RowSegment(stack * 3, y)] = cells[0] | cells[9] | cells[18];
        }
    }
    bool removed = false;
    for (const Crossing& crossing : tables.crossings) {
        int shared = segments[crossing.shared];
        int blockRest = segments[crossing.blockRest[0]] | segments[crossing.blockRest[1]];
        int lineRest = segments[crossing.lineRest[0]] | segments[crossing.lineRest[1]];
        int onlyHereInBlock = shared & ~blockRest, onlyHereInLine = shared & ~lineRest;
        if (((onlyHereInBlock & lineRest) | (onlyHereInLine & blockRest)) == 0) continue;  // mostly
        if ((repeatUnits_ & (1u << crossing.block)) == 0 && (onlyHereInBlock & lineRest) != 0) {
            RemoveCandidates(crossing.lineRest, onlyHereInBlock, segments, narrowed);
            removed = true;
        }
        if ((repeatUnits_ & (1u << crossing.line)) == 0 && (onlyHereInLine & blockRest) != 0) {
            RemoveCandidates(crossing.blockRest, onlyHereInLine, segments, narrowed);
            removed = true;
        }
    }
    return removed;
}

int SolverGrid::SegmentCandidates(int segment) const {
    const int* cells = GetTables().segmentCells[segment];
    return candidates_[cells[0]] | candidates_[cells[1]] | candidates_[cells[2]];
}

// The cells' segments across the two change as well: they are read again.
void SolverGrid::RemoveCandidates(const int (&twoSegments)[2], int digits, int* segments, NarrowedCells& narrowed) {
    const Tables& tables = GetTables();
    for (int segment : twoSegments) {
        for (int cell : tables.segmentCells[segment]) TakeOut(cell, digits, &narrowed);
    }
    for (int segment : twoSegments) {
        for (int cell : tables.segmentCells[segment]) {
            for (int touched : tables.cellSegments[cell]) segments[touched] = SegmentCandidates(touched);
        }
    }
}

// Depth first over the fewest choices: the candidates of a cell with the fewest, or the
// places of a digit that a unit without a repeat lacks, when it has fewer places.
void SolverGrid::Search(int limit, int& count, SolverGrid* first, int64_t* budget, NarrowedCells& narrowed) {
    if (budget != nullptr && --*budget < 0) return;
    if (!PlaceForcedDigits(narrowed)) return;
    if (emptyCells_ == 0) {
        if (count == 0 && first != nullptr) *first = *this;
        ++count;
        return;
    }
    int best = -1, bestCount = 10;
    for (int cell = 0; cell < 81 && bestCount > 2; ++cell) {
        int n = DigitCount(candidates_[cell]);
        if (IsEmpty(cell) && n < bestCount) {
            best = cell;
            bestCount = n;
        }
    }
    const Tables& tables = GetTables();
    int bestUnit = -1, bestDigit = 0;
    for (int unit = 0; unit < 27 && bestCount > 2; ++unit) {
        if ((repeatUnits_ & (1u << unit)) != 0) continue;
        for (int missing = kAllDigits & ~unitDigits_[unit]; missing != 0; missing &= missing - 1) {
            int bit = missing & -missing, places = 0;
            for (int cell : tables.unitCells[unit]) places += (candidates_[cell] & bit) != 0 ? 1 : 0;
            if (places < bestCount) {
                bestUnit = unit;
                bestDigit = LowestDigit(bit);
                bestCount = places;
            }
        }
    }
    if (bestUnit >= 0) {
        for (int cell : tables.unitCells[bestUnit]) {
            if ((candidates_[cell] & (1 << (bestDigit - 1))) == 0) continue;
            SolverGrid next = *this;
            NarrowedCells nextNarrowed;
            next.Place(cell, bestDigit, &nextNarrowed);
            next.Search(limit, count, first, budget, nextNarrowed);
            if (count >= limit) return;
        }
        return;
    }
    for (int mask = candidates_[best]; mask != 0 && count < limit; mask &= mask - 1) {
        SolverGrid next = *this;
        NarrowedCells nextNarrowed;
        next.Place(best, LowestDigit(mask), &nextNarrowed);
        next.Search(limit, count, first, budget, nextNarrowed);
    }
}
