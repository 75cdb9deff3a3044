// GridUnit: a row, a column or a block of the grid, and the cells in it.
#pragma once

#include "EnneoPuzzle.h"

// The nine cells in which no digit may repeat. Rows are numbered from the top, columns
// from the left and blocks in reading order (0 the top left, 4 the centre, 8 the bottom
// right), each 0 to 8; a unit's cells are numbered 0 to 8 along the row, down the column,
// and in reading order within the block. Everything that speaks of units (the clash
// finder, the coach, the words of the board) uses this one naming.
struct GridUnit {
    enum Kind { kRow, kColumn, kBlock };

    Kind kind;
    int index;

    static GridUnit RowOf(EnneoPuzzle::Cell cell) { return {kRow, cell.y - 1}; }
    static GridUnit ColumnOf(EnneoPuzzle::Cell cell) { return {kColumn, cell.x - 1}; }
    static GridUnit BlockOf(EnneoPuzzle::Cell cell) { return {kBlock, (cell.y - 1) / 3 * 3 + (cell.x - 1) / 3}; }

    // Cell i (0 to 8) of the unit.
    EnneoPuzzle::Cell CellAt(int i) const {
        switch (kind) {
        case kRow: return {i + 1, index + 1};
        case kColumn: return {index + 1, i + 1};
        default: return {index % 3 * 3 + i % 3 + 1, index / 3 * 3 + i / 3 + 1};
        }
    }

    bool operator==(const GridUnit& other) const { return kind == other.kind && index == other.index; }
};
