// GridClash: where a digit repeats in a row, a column or a block, found in one order.
#include "GridClash.h"

namespace {

bool SameCell(EnneoPuzzle::Cell a, EnneoPuzzle::Cell b) { return a.x == b.x && a.y == b.y; }

}  // namespace

std::optional<GridClash::Repeat> GridClash::FirstRepeat(const EnneoPuzzle& puzzle) {
    for (GridUnit::Kind kind : {GridUnit::kRow, GridUnit::kColumn, GridUnit::kBlock}) {
        for (int index = 0; index < 9; ++index) {
            GridUnit unit{kind, index};
            int counts[10] = {};
            for (int i = 0; i < 9; ++i) {
                EnneoPuzzle::Cell cell = unit.CellAt(i);
                ++counts[puzzle.GetCell(cell.x, cell.y)];
            }
            for (int digit = 1; digit <= 9; ++digit) {
                if (counts[digit] >= 2) return Repeat{unit, digit, counts[digit]};
            }
        }
    }
    return std::nullopt;
}

std::optional<GridClash::Blocker> GridClash::BlockerOf(const EnneoPuzzle& puzzle, EnneoPuzzle::Cell cell, int digit) {
    for (GridUnit unit : {GridUnit::RowOf(cell), GridUnit::ColumnOf(cell), GridUnit::BlockOf(cell)}) {
        for (int i = 0; i < 9; ++i) {
            EnneoPuzzle::Cell other = unit.CellAt(i);
            if (!SameCell(other, cell) && puzzle.GetCell(other.x, other.y) == digit) return Blocker{unit, other};
        }
    }
    return std::nullopt;
}
