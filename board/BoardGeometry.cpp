// BoardGeometry: where the board and its cells lie in an area drawn on (the window's client area).
#include "BoardGeometry.h"

#include <algorithm>
#include <cstdlib>

BoardGeometry::BoardGeometry(int areaWidth, int areaHeight, int margin) {
    int size = std::min(areaWidth, areaHeight) - margin;
    left_ = std::abs((areaWidth - size) / 2);
    top_ = std::abs((areaHeight - size) / 2);
    cellSize_ = std::abs(size / 9);
    side_ = 9 * cellSize_;
}

BoardGeometry BoardGeometry::At(int left, int top, int side) {
    BoardGeometry board;
    board.left_ = left;
    board.top_ = top;
    board.cellSize_ = side / 9;
    board.side_ = 9 * board.cellSize_;
    return board;
}

bool BoardGeometry::CellAt(int x, int y, EnneoPuzzle::Cell& cell) const {
    if (!(left_ < x && x < left_ + side_ && top_ < y && y < top_ + side_)) return false;
    cell = {(x - left_) / cellSize_ + 1, (y - top_) / cellSize_ + 1};
    return true;
}
