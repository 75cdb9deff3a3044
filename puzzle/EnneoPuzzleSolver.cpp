// EnneoPuzzle: the solver, human-style deduction with trial placements as a last resort.
#include "EnneoPuzzle.h"

namespace {

// The digit of a one-character candidate text, or 0.
int SingleDigit(const wchar_t* candidates) {
    return candidates[0] != 0 && candidates[1] == 0 ? candidates[0] - L'0' : 0;
}

// The union of the digits of a candidate text, bit d-1 for digit d.
int DigitBits(const wchar_t* candidates) {
    int bits = 0;
    for (; *candidates != 0; ++candidates) bits |= 1 << (*candidates - L'1');
    return bits;
}

bool HasDigit(const wchar_t* candidates, int digit) {
    for (; *candidates != 0; ++candidates) {
        if (*candidates - L'0' == digit) return true;
    }
    return false;
}

}  // namespace

bool EnneoPuzzle::SolveOne() {
    return PlaceSingleCandidate() || PlaceSingleInBlock() || PlaceSingleInRow() ||
           PlaceSingleInColumn() || PlaceByTrial();
}

void EnneoPuzzle::Solve() {
    while (SolveOne()) {
    }
}

// The first empty cell in column order with exactly one candidate gets it.
bool EnneoPuzzle::PlaceSingleCandidate() {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (GetCellState(x, y) != CELL_EMPTY) continue;
            int digit = SingleDigit(GetCandidatesFor(x, y));
            if (digit != 0) {
                SetCell(x, y, digit, CELL_SET);
                return true;
            }
        }
    }
    return false;
}

// In the unit's order of cells: the first digit, from 1 up, that fits exactly one of
// the unit's empty cells is placed there.
bool EnneoPuzzle::PlaceSingleInUnit(const Unit& unit) {
    int pending = 0;
    for (const Cell& cell : unit) {
        if (GetCellState(cell.x, cell.y) == CELL_EMPTY) {
            pending |= DigitBits(GetCandidatesFor(cell.x, cell.y));
        }
    }
    for (int digit = 1; digit <= 9; ++digit) {
        if ((pending & (1 << (digit - 1))) == 0) continue;
        int count = 0;
        Cell place = {0, 0};
        for (const Cell& cell : unit) {
            if (GetCellState(cell.x, cell.y) == CELL_EMPTY &&
                HasDigit(GetCandidatesFor(cell.x, cell.y), digit)) {
                place = cell;
                if (++count == 2) break;
            }
        }
        if (count == 1) {
            SetCell(place.x, place.y, digit, CELL_SET);
            return true;
        }
    }
    return false;
}

void EnneoPuzzle::GetBlock(int block, Unit& unit) const {
    for (int i = 0; i < 9; ++i) {
        const int* entry = blockTable_[(block - 1) * 9 + i];
        unit[i] = {entry[0], entry[1]};
    }
}

bool EnneoPuzzle::PlaceSingleInBlock() {
    for (int block = 1; block <= 9; ++block) {
        Unit unit;
        GetBlock(block, unit);
        if (PlaceSingleInUnit(unit)) return true;
    }
    return false;
}

bool EnneoPuzzle::PlaceSingleInRow() {
    for (int y = 1; y <= 9; ++y) {
        Unit unit;
        for (int x = 1; x <= 9; ++x) unit[x - 1] = {x, y};
        if (PlaceSingleInUnit(unit)) return true;
    }
    return false;
}

bool EnneoPuzzle::PlaceSingleInColumn() {
    for (int x = 1; x <= 9; ++x) {
        Unit unit;
        for (int y = 1; y <= 9; ++y) unit[y - 1] = {x, y};
        if (PlaceSingleInUnit(unit)) return true;
    }
    return false;
}

bool EnneoPuzzle::FindFirstEmptyCell(Cell& cell) const {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (GetCellState(x, y) == CELL_EMPTY) {
                cell = {x, y};
                return true;
            }
        }
    }
    return false;
}

// Tries each candidate of the first empty cell and solves on from it. A candidate that
// leads to a full grid is kept (only it: the following steps find the rest again). When
// every candidate fails, the cell keeps the last one tried and the step fails.
bool EnneoPuzzle::PlaceByTrial() {
    Cell cell;
    if (!FindFirstEmptyCell(cell)) return false;
    wchar_t candidates[10];
    const wchar_t* found = GetCandidatesFor(cell.x, cell.y);
    int count = 0;
    for (; found[count] != 0; ++count) candidates[count] = found[count];
    candidates[count] = 0;
    for (int i = 0; i < count; ++i) {
        int digit = candidates[i] - L'0';
        SetCell(cell.x, cell.y, digit, CELL_SET);
        EnneoPuzzle snapshot = *this;
        Solve();
        bool solved = IsSolved();
        *this = snapshot;
        if (solved) {
            SetCell(cell.x, cell.y, digit, CELL_SET);
            return true;
        }
    }
    return false;
}
