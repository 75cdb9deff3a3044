// BoardGeometry: where the board and its cells lie in an area drawn on (the window's client area).
#pragma once

#include "puzzle/EnneoPuzzle.h"

// The board is a square of nine by nine cells, a margin (40 pixels at 96 DPI) smaller
// than the area's shorter side, placed by that unrounded size: it sits up to 4
// pixels left of and above the exact centre. All divisions truncate toward zero.
class BoardGeometry {
public:
    // The margin at 96 DPI.
    static constexpr int kMargin = 40;

    BoardGeometry() = default;
    // margin: kMargin in pixels at the window's DPI.
    BoardGeometry(int areaWidth, int areaHeight, int margin = kMargin);
    // A board with its top-left corner at (left, top) and nine cells of side / 9 each
    // way (a printed grid).
    static BoardGeometry At(int left, int top, int side);

    int GetLeft() const { return left_; }
    int GetTop() const { return top_; }
    int GetSide() const { return side_; }
    int GetCellSize() const { return cellSize_; }
    // The left edge of column x and the top edge of row y (1 to 9 each).
    int GetColumnLeft(int x) const { return left_ + cellSize_ * (x - 1); }
    int GetRowTop(int y) const { return top_ + cellSize_ * (y - 1); }

    // The cell under a point of the area; false when the point is not strictly inside the
    // board (a point on its edge lines is outside; nothing is inside a board of side 0).
    bool CellAt(int x, int y, EnneoPuzzle::Cell& cell) const;

private:
    int left_ = 0;
    int top_ = 0;
    int side_ = 0;
    int cellSize_ = 0;
};
