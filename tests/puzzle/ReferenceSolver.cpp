// ReferenceSolver: the plain step-by-step solver, the yardstick for the engine's solver.
#include "ReferenceSolver.h"

namespace {

using Cell = EnneoPuzzle::Cell;
using Unit = Cell[9];

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

// In the unit's order of cells: the first digit, from 1 up, that fits exactly one of
// the unit's empty cells is placed there.
bool PlaceSingleInUnit(EnneoPuzzle& puzzle, const Unit& unit) {
    int pending = 0;
    for (const Cell& cell : unit) {
        if (puzzle.GetCellState(cell.x, cell.y) == EnneoPuzzle::CELL_EMPTY) {
            pending |= DigitBits(puzzle.GetCandidatesFor(cell.x, cell.y));
        }
    }
    for (int digit = 1; digit <= 9; ++digit) {
        if ((pending & (1 << (digit - 1))) == 0) continue;
        int count = 0;
        Cell place = {0, 0};
        for (const Cell& cell : unit) {
            if (puzzle.GetCellState(cell.x, cell.y) == EnneoPuzzle::CELL_EMPTY &&
                HasDigit(puzzle.GetCandidatesFor(cell.x, cell.y), digit)) {
                place = cell;
                if (++count == 2) break;
            }
        }
        if (count == 1) {
            puzzle.SetCell(place.x, place.y, digit, EnneoPuzzle::CELL_SET);
            return true;
        }
    }
    return false;
}

bool FindFirstEmptyCell(const EnneoPuzzle& puzzle, Cell& cell) {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (puzzle.GetCellState(x, y) == EnneoPuzzle::CELL_EMPTY) {
                cell = {x, y};
                return true;
            }
        }
    }
    return false;
}

}  // namespace

ReferenceSolver::ReferenceSolver(long long maxSteps, std::chrono::steady_clock::duration maxTime)
    : stepsLeft_(maxSteps),
      timeLimited_(maxTime != std::chrono::steady_clock::duration::zero()),
      deadline_(std::chrono::steady_clock::now() + maxTime) {}

bool ReferenceSolver::OutOfBudget() {
    if (!gaveUp_ && stepsLeft_ != kNoStepLimit && stepsLeft_-- == 0) gaveUp_ = true;
    if (!gaveUp_ && timeLimited_ && std::chrono::steady_clock::now() > deadline_) gaveUp_ = true;
    return gaveUp_;
}

bool ReferenceSolver::SolveOne(EnneoPuzzle& puzzle) {
    if (OutOfBudget()) return false;
    return PlaceSingleCandidate(puzzle) || PlaceSingleInBlock(puzzle) || PlaceSingleInRow(puzzle) ||
           PlaceSingleInColumn(puzzle) || PlaceByTrial(puzzle);
}

void ReferenceSolver::Solve(EnneoPuzzle& puzzle) {
    while (SolveOne(puzzle)) {
    }
}

// The first empty cell in column order with exactly one candidate gets it.
bool ReferenceSolver::PlaceSingleCandidate(EnneoPuzzle& puzzle) {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (puzzle.GetCellState(x, y) != EnneoPuzzle::CELL_EMPTY) continue;
            int digit = SingleDigit(puzzle.GetCandidatesFor(x, y));
            if (digit != 0) {
                puzzle.SetCell(x, y, digit, EnneoPuzzle::CELL_SET);
                return true;
            }
        }
    }
    return false;
}

bool ReferenceSolver::PlaceSingleInBlock(EnneoPuzzle& puzzle) {
    for (int block = 0; block < 9; ++block) {
        Unit unit;
        for (int i = 0; i < 9; ++i) unit[i] = {block % 3 * 3 + i % 3 + 1, block / 3 * 3 + i / 3 + 1};
        if (PlaceSingleInUnit(puzzle, unit)) return true;
    }
    return false;
}

bool ReferenceSolver::PlaceSingleInRow(EnneoPuzzle& puzzle) {
    for (int y = 1; y <= 9; ++y) {
        Unit unit;
        for (int x = 1; x <= 9; ++x) unit[x - 1] = {x, y};
        if (PlaceSingleInUnit(puzzle, unit)) return true;
    }
    return false;
}

bool ReferenceSolver::PlaceSingleInColumn(EnneoPuzzle& puzzle) {
    for (int x = 1; x <= 9; ++x) {
        Unit unit;
        for (int y = 1; y <= 9; ++y) unit[y - 1] = {x, y};
        if (PlaceSingleInUnit(puzzle, unit)) return true;
    }
    return false;
}

// Tries each candidate of the first empty cell and solves on from it. A candidate that
// leads to a full grid is kept (only it: the following steps find the rest again). When
// every candidate fails, the cell keeps the last one tried and the step fails.
bool ReferenceSolver::PlaceByTrial(EnneoPuzzle& puzzle) {
    Cell cell;
    if (!FindFirstEmptyCell(puzzle, cell)) return false;
    wchar_t candidates[10];
    const wchar_t* found = puzzle.GetCandidatesFor(cell.x, cell.y);
    int count = 0;
    for (; found[count] != 0; ++count) candidates[count] = found[count];
    candidates[count] = 0;
    for (int i = 0; i < count; ++i) {
        int digit = candidates[i] - L'0';
        puzzle.SetCell(cell.x, cell.y, digit, EnneoPuzzle::CELL_SET);
        EnneoPuzzle snapshot = puzzle;
        Solve(puzzle);
        bool solved = puzzle.IsSolved();
        puzzle = snapshot;
        if (solved) {
            puzzle.SetCell(cell.x, cell.y, digit, EnneoPuzzle::CELL_SET);
            return true;
        }
    }
    return false;
}
