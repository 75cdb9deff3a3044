// Tests of the board's geometry: where it lies in an area and which cell a point is in.
#include "board/BoardGeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(BoardGeometryTest, PlacesTheBoardInTheArea) {
    BoardGeometry g(400, 300);
    EXPECT_EQ(70, g.GetLeft());
    EXPECT_EQ(20, g.GetTop());
    EXPECT_EQ(28, g.GetCellSize());
    EXPECT_EQ(252, g.GetSide());
    EXPECT_EQ(70 + 28 * 4, g.GetColumnLeft(5));
    EXPECT_EQ(20 + 28 * 8, g.GetRowTop(9));
    EnneoPuzzle::Cell cell;
    EXPECT_FALSE(g.CellAt(70, 100, cell));   // the left edge line
    EXPECT_FALSE(g.CellAt(100, 20, cell));   // the top edge line
    EXPECT_FALSE(g.CellAt(322, 100, cell));  // the right edge line
    ASSERT_TRUE(g.CellAt(71, 21, cell));
    EXPECT_EQ(1, cell.x);
    EXPECT_EQ(1, cell.y);
    ASSERT_TRUE(g.CellAt(321, 271, cell));
    EXPECT_EQ(9, cell.x);
    EXPECT_EQ(9, cell.y);
    EXPECT_FALSE(BoardGeometry().CellAt(0, 0, cell));  // before the first paint
    BoardGeometry tiny(10, 10);                        // under 40 pixels: still a board, from absolute values
    EXPECT_EQ(20, tiny.GetLeft());
    EXPECT_EQ(27, tiny.GetSide());
}

}  // namespace
