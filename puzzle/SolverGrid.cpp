// SolverGrid: the solver's working copy of a grid, with candidates as bit masks.
#include "SolverGrid.h"

#include "EnneoPuzzle.h"

namespace {

// Units 0-8 are the blocks in reading order, each walked in reading order; units 9-17
// the rows from the top, each left to right; units 18-26 the columns from the left,
// each top to bottom. These are the orders in which the solver looks for single places.
const int kFirstBlock = 0;
const int kFirstRow = 9;
const int kFirstColumn = 18;

struct Tables {
    int unitCells[27][9];
    int cellUnits[81][3];
    int peers[81][20];  // the other cells of a cell's block, row and column

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
            cellUnits[cell][0] = kFirstBlock + y / 3 * 3 + x / 3;
            cellUnits[cell][1] = kFirstRow + y;
            cellUnits[cell][2] = kFirstColumn + x;
            int count = 0;
            for (int other = 0; other < 81; ++other) {
                int ox = other / 9, oy = other % 9;
                bool peer = ox == x || oy == y || (ox / 3 == x / 3 && oy / 3 == y / 3);
                if (peer && other != cell) peers[cell][count++] = other;
            }
        }
    }

    static int Cell(int x, int y) { return x * 9 + y; }  // both from 0
};

const Tables& GetTables() {
    static const Tables tables;
    return tables;
}

int LowestDigit(int mask) { return __builtin_ctz(static_cast<unsigned>(mask)) + 1; }
int DigitCount(int mask) { return __builtin_popcount(static_cast<unsigned>(mask)); }

}  // namespace

SolverGrid::SolverGrid(const EnneoPuzzle& puzzle) {
    const Tables& tables = GetTables();
    for (int unit = 0; unit < 27; ++unit) unitDigits_[unit] = 0;
    for (int cell = 0; cell < 81; ++cell) {
        int x = cell / 9 + 1, y = cell % 9 + 1;
        int digit = puzzle.GetCellState(x, y) == EnneoPuzzle::CELL_EMPTY ? 0 : puzzle.GetCell(x, y);
        digits_[cell] = static_cast<uint8_t>(digit);
        if (digit == 0) {
            ++emptyCells_;
            continue;
        }
        for (int unit : tables.cellUnits[cell]) {
            hasRepeat_ = hasRepeat_ || (unitDigits_[unit] & (1 << (digit - 1))) != 0;
            unitDigits_[unit] |= 1 << (digit - 1);
        }
    }
    for (int cell = 0; cell < 81; ++cell) {
        int taken = 0;
        for (int unit : tables.cellUnits[cell]) taken |= unitDigits_[unit];
        candidates_[cell] = static_cast<uint16_t>(IsEmpty(cell) ? kAllDigits & ~taken : 0);
    }
}

int SolverGrid::FirstEmptyCell() const {
    for (int cell = 0; cell < 81; ++cell) {
        if (IsEmpty(cell)) return cell;
    }
    return -1;
}

void SolverGrid::Place(int cell, int digit) {
    const Tables& tables = GetTables();
    uint16_t bit = static_cast<uint16_t>(1 << (digit - 1));
    digits_[cell] = static_cast<uint8_t>(digit);
    candidates_[cell] = 0;
    --emptyCells_;
    for (int unit : tables.cellUnits[cell]) unitDigits_[unit] |= bit;
    for (int peer : tables.peers[cell]) candidates_[peer] &= static_cast<uint16_t>(~bit);
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
        if (mask != 0 && (mask & (mask - 1)) == 0) {
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

bool SolverGrid::FindDeduction(Placement& placement) const {
    return FindSingleCandidate(placement) || FindSingleInBlock(placement) ||
           FindSingleInRow(placement) || FindSingleInColumn(placement);
}

int SolverGrid::CountCompletions(int limit, SolverGrid* first) const {
    SolverGrid grid = *this;
    int count = 0;
    grid.Search(limit, count, first);
    return count;
}

// A cell with one candidate must take it. When no digit repeats, each unit must end up
// holding all nine digits, so a digit with one place in a unit must go there, and a
// digit with none means there is no completion. With a repeat that does not hold, and
// only single candidates are forced.
bool SolverGrid::PlaceForcedDigits() {
    const Tables& tables = GetTables();
    for (;;) {
        bool placed = false;
        for (int cell = 0; cell < 81; ++cell) {
            if (!IsEmpty(cell)) continue;
            int mask = candidates_[cell];
            if (mask == 0) return false;
            if ((mask & (mask - 1)) == 0) {
                Place(cell, LowestDigit(mask));
                placed = true;
            }
        }
        for (int unit = 0; unit < 27 && !hasRepeat_; ++unit) {
            int once = 0, twice = 0;
            for (int cell : tables.unitCells[unit]) {
                twice |= once & candidates_[cell];
                once |= candidates_[cell];
            }
            if ((once | unitDigits_[unit]) != kAllDigits) return false;
            int single = once & ~twice;
            if (single == 0) continue;
            int bit = single & -single;
            for (int cell : tables.unitCells[unit]) {
                if ((candidates_[cell] & bit) != 0) {
                    Place(cell, LowestDigit(bit));
                    placed = true;
                    break;
                }
            }
        }
        if (!placed) return true;
    }
}

// Depth first over the candidates of a cell with the fewest, after the forced digits.
void SolverGrid::Search(int limit, int& count, SolverGrid* first) {
    if (!PlaceForcedDigits()) return;
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
    for (int mask = candidates_[best]; mask != 0 && count < limit; mask &= mask - 1) {
        SolverGrid next = *this;
        next.Place(best, LowestDigit(mask));
        next.Search(limit, count, first);
    }
}
