// Tests of the clash finder: the first clash of a board, and the clash a digit would make.
#include "puzzle/GridClash.h"

#include "PuzzleTestGrids.h"

#include <gtest/gtest.h>

namespace {

const GridUnit::Kind kRow = GridUnit::kRow;
const GridUnit::Kind kColumn = GridUnit::kColumn;
const GridUnit::Kind kBlock = GridUnit::kBlock;

// Rows before columns before blocks, each in order; in the unit, the smallest digit.
TEST(GridClashTest, FindsTheFirstRepeatOfABoard) {
    const struct {
        EnneoPuzzle puzzle;
        GridUnit unit;
        int digit;
        int count;
    } cases[] = {
        {PuzzleOf({{1, 3, 5}, {5, 3, 5}}), {kRow, 2}, 5, 2},
        {PuzzleOf({{4, 1, 7}, {4, 9, 7}}), {kColumn, 3}, 7, 2},
        {PuzzleOf({{4, 4, 3}, {5, 5, 3}}), {kBlock, 4}, 3, 2},
        {PuzzleOf({{9, 7, 1}, {7, 9, 1}}), {kBlock, 8}, 1, 2},
        {PuzzleOf({{1, 9, 4}, {4, 9, 4}, {9, 9, 4}}), {kRow, 8}, 4, 3},
        {PuzzleOf({{1, 1, 2}, {1, 2, 2}, {2, 7, 8}, {6, 7, 6}, {8, 7, 8}, {9, 7, 6}}), {kRow, 6}, 6, 2},
        {PuzzleOf({{2, 1, 9}, {1, 2, 9}, {9, 3, 1}, {9, 8, 1}}), {kColumn, 8}, 1, 2},
    };
    for (const auto& c : cases) {
        std::optional<GridClash::Repeat> repeat = GridClash::FirstRepeat(c.puzzle);
        ASSERT_TRUE(repeat);
        EXPECT_EQ(c.unit, repeat->unit);
        EXPECT_EQ(c.digit, repeat->digit);
        EXPECT_EQ(c.count, repeat->count);
    }
    EXPECT_FALSE(GridClash::FirstRepeat(ReadPuzzleLine(kSampleLine)));
}

// Row, then column, then block; in the unit, the first cell holding the digit, never the
// cell itself.
TEST(GridClashTest, FindsWhereADigitWouldRepeat) {
    const EnneoPuzzle puzzle = PuzzleOf(
        {{7, 5, 1}, {9, 5, 1}, {5, 1, 1}, {5, 9, 2}, {6, 6, 2}, {4, 6, 3}, {6, 4, 3}, {5, 5, 4}, {2, 8, 5}, {2, 6, 5}});
    const struct {
        EnneoPuzzle::Cell cell;
        int digit;
        GridUnit unit;
        EnneoPuzzle::Cell other;
    } cases[] = {
        {{5, 5}, 1, {kRow, 4}, {7, 5}},     // before the column's
        {{5, 5}, 2, {kColumn, 4}, {5, 9}},  // before the block's
        {{5, 5}, 3, {kBlock, 4}, {6, 4}},   // the block's first row before its first column
        {{2, 2}, 5, {kColumn, 1}, {2, 6}},
    };
    for (const auto& c : cases) {
        std::optional<GridClash::Blocker> blocker = GridClash::BlockerOf(puzzle, c.cell, c.digit);
        ASSERT_TRUE(blocker) << c.cell.x << "," << c.cell.y;
        EXPECT_EQ(c.unit, blocker->unit);
        EXPECT_EQ(c.other.x, blocker->cell.x);
        EXPECT_EQ(c.other.y, blocker->cell.y);
    }
    EXPECT_FALSE(GridClash::BlockerOf(puzzle, {5, 5}, 4));  // only the cell itself holds it
    EXPECT_FALSE(GridClash::BlockerOf(puzzle, {1, 1}, 9));
}

}  // namespace
