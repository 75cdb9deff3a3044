// EnneoPuzzle: the grid, its cell rules and candidates.
#include "EnneoPuzzle.h"

#include "GridClash.h"

#include <cassert>
#include <cstdlib>

namespace {

// The cell addresses and digits the accessors accept (see EnneoPuzzle.h), for assert(),
// which drops them where assertions are off.
[[maybe_unused]] bool IsCell(int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; }
[[maybe_unused]] bool IsDigitOrEmpty(int value) { return value >= 0 && value <= 9; }

}  // namespace

EnneoPuzzle::EnneoPuzzle() : Object(L"EnneoPuzzle") {
    Clear();
    print_[0] = 0;
}

void EnneoPuzzle::SetCell(int x, int y, int value, int state) {
    assert(IsCell(x, y) && IsDigitOrEmpty(value) && state >= CELL_EMPTY && state <= CELL_KNOWN);
    int previous = values_[x - 1][y - 1];
    values_[x - 1][y - 1] = 0;
    if (IsValidValue(x, y, value)) {
        values_[x - 1][y - 1] = value;
        states_[x - 1][y - 1] = state;
    } else if (value == 0) {
        states_[x - 1][y - 1] = CELL_EMPTY;  // 0 is never valid once the cell's value is 0
    } else {
        values_[x - 1][y - 1] = previous;
    }
}

void EnneoPuzzle::RestoreCell(int x, int y, int value, int state) {
    assert(IsCell(x, y) && IsDigitOrEmpty(value) && state >= CELL_EMPTY && state <= CELL_KNOWN);
    assert((value == 0) == (state == CELL_EMPTY));
    values_[x - 1][y - 1] = value;
    states_[x - 1][y - 1] = state;
}

bool EnneoPuzzle::IsValidValue(int x, int y, int value) const {
    assert(IsCell(x, y) && IsDigitOrEmpty(value));
    return GetCell(x, y) != value && !GridClash::BlockerOf(*this, {x, y}, value);
}

const wchar_t* EnneoPuzzle::GetCandidatesFor(int x, int y) {
    assert(IsCell(x, y));
    wchar_t* text = candidates_[x - 1][y - 1];
    int length = 0;
    if (states_[x - 1][y - 1] != CELL_EMPTY) {
        text[length++] = static_cast<wchar_t>(L'0' + values_[x - 1][y - 1]);
    } else {
        for (int digit = 1; digit <= 9; ++digit) {
            if (IsValidValue(x, y, digit)) text[length++] = static_cast<wchar_t>(L'0' + digit);
        }
    }
    text[length] = 0;
    return text;
}

int EnneoPuzzle::GetCandidatesMask(int x, int y) const {
    assert(IsCell(x, y));
    if (states_[x - 1][y - 1] != CELL_EMPTY) return 0;
    int mask = 0;
    for (int digit = 1; digit <= 9; ++digit) {
        if (IsValidValue(x, y, digit)) mask |= 1 << (digit - 1);
    }
    return mask;
}

void EnneoPuzzle::SetSelectedCell(int x, int y) {
    assert(IsCell(x, y) || (x == 0 && y == 0));
    selectedX_ = x;
    selectedY_ = y;
}

EnneoPuzzle::Cell EnneoPuzzle::GetSelectedCell() const { return {selectedX_, selectedY_}; }

void EnneoPuzzle::Clear() {
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            values_[x][y] = 0;
            states_[x][y] = CELL_EMPTY;
            candidates_[x][y][0] = 0;
        }
    }
}

void EnneoPuzzle::Reset() {
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            if (states_[x][y] == CELL_SET) {
                values_[x][y] = 0;
                states_[x][y] = CELL_EMPTY;
            }
        }
    }
}

bool EnneoPuzzle::IsSolved() const {
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            if (states_[x][y] == CELL_EMPTY) return false;
        }
    }
    return true;
}

void EnneoPuzzle::generate() {
    // Filling column by column with random valid digits often reaches a cell that no
    // digit fits; then the fill starts again, so the result is always a complete grid.
    // A cell takes a bounded number of draws: far more than a fitting digit needs.
    const int kDrawsPerCell = 200;
    for (;;) {
        Clear();
        bool stuck = false;
        for (int x = 1; x <= 9 && !stuck; ++x) {
            for (int y = 1; y <= 9 && !stuck; ++y) {
                if (GetCandidatesMask(x, y) == 0) {
                    stuck = true;
                    break;
                }
                for (int draw = 0; draw < kDrawsPerCell; ++draw) {
                    // The generator's numbers taken as 0 to 32767, the range of the
                    // Windows runtime's; other runtimes have a wider one.
                    int r = std::rand() % 32768;
                    int digit = static_cast<int>(r * (1.0 / 32768) * 9 + 1);
                    if (IsValidValue(x, y, digit)) {
                        SetCell(x, y, digit, CELL_KNOWN);
                        break;
                    }
                }
                stuck = states_[x - 1][y - 1] == CELL_EMPTY;
            }
        }
        if (!stuck) return;
    }
}
