// Tests of the grid: the cell rules, candidates, reset and generation.
#include "puzzle/EnneoPuzzle.h"

#include "PuzzleTestGrids.h"

#include <gtest/gtest.h>

namespace {

TEST(EnneoPuzzleTest, StartsEmptyWithNoSelection) {
    EnneoPuzzle puzzle;
    EXPECT_EQ(0, puzzle.GetSelectedCell().x);
    EXPECT_EQ(0, puzzle.GetSelectedCell().y);
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            EXPECT_EQ(0, puzzle.GetCell(x, y));
            EXPECT_EQ(EnneoPuzzle::CELL_EMPTY, puzzle.GetCellState(x, y));
        }
    }
    EXPECT_FALSE(puzzle.IsSolved());
}

TEST(EnneoPuzzleTest, RefusesARepeatInRowColumnOrBlock) {
    EnneoPuzzle puzzle;
    puzzle.SetCell(1, 1, 5, EnneoPuzzle::CELL_KNOWN);
    puzzle.SetCell(9, 1, 5, EnneoPuzzle::CELL_SET);  // same row
    puzzle.SetCell(1, 9, 5, EnneoPuzzle::CELL_SET);  // same column
    puzzle.SetCell(3, 3, 5, EnneoPuzzle::CELL_SET);  // same block
    EXPECT_EQ(0, puzzle.GetCell(9, 1));
    EXPECT_EQ(0, puzzle.GetCell(1, 9));
    EXPECT_EQ(0, puzzle.GetCell(3, 3));
    EXPECT_EQ(EnneoPuzzle::CELL_EMPTY, puzzle.GetCellState(3, 3));
    puzzle.SetCell(4, 4, 5, EnneoPuzzle::CELL_SET);  // shares nothing with (1, 1)
    EXPECT_EQ(5, puzzle.GetCell(4, 4));
    EXPECT_TRUE(puzzle.IsValidValue(2, 4, 4));
    EXPECT_FALSE(puzzle.IsValidValue(2, 4, 5));
    // A refused digit keeps the cell's digit and state.
    puzzle.SetCell(7, 1, 3, EnneoPuzzle::CELL_KNOWN);
    puzzle.SetCell(7, 1, 5, EnneoPuzzle::CELL_SET);
    EXPECT_EQ(3, puzzle.GetCell(7, 1));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, puzzle.GetCellState(7, 1));
}

// Zero empties whatever the cell held; a cell's own digit can be set again with
// another state, or replaced.
TEST(EnneoPuzzleTest, SettingACellThatHoldsADigit) {
    EnneoPuzzle puzzle;
    puzzle.SetCell(5, 5, 8, EnneoPuzzle::CELL_KNOWN);
    puzzle.SetCell(5, 5, 0, EnneoPuzzle::CELL_KNOWN);
    EXPECT_EQ(0, puzzle.GetCell(5, 5));
    EXPECT_EQ(EnneoPuzzle::CELL_EMPTY, puzzle.GetCellState(5, 5));
    puzzle.SetCell(5, 5, 0, EnneoPuzzle::CELL_SET);  // already empty
    EXPECT_EQ(EnneoPuzzle::CELL_EMPTY, puzzle.GetCellState(5, 5));
    EXPECT_FALSE(puzzle.IsValidValue(5, 5, 0));

    puzzle.SetCell(6, 2, 4, EnneoPuzzle::CELL_SET);
    EXPECT_FALSE(puzzle.IsValidValue(6, 2, 4));  // the cell itself counts
    puzzle.SetCell(6, 2, 4, EnneoPuzzle::CELL_KNOWN);
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, puzzle.GetCellState(6, 2));
    puzzle.SetCell(6, 2, 7, EnneoPuzzle::CELL_SET);
    EXPECT_EQ(7, puzzle.GetCell(6, 2));
    EXPECT_TRUE(puzzle.IsValidValue(1, 2, 4));  // the old digit no longer counts
}

TEST(EnneoPuzzleTest, Candidates) {
    EnneoPuzzle puzzle;
    EXPECT_STREQ(L"123456789", puzzle.GetCandidatesFor(1, 1));
    EXPECT_EQ(0x1FF, puzzle.GetCandidatesMask(1, 1));
    // Row 1 holds 2 and 4, column 1 holds 5 and 6, block 1 holds 7 and 9.
    puzzle.SetCell(5, 1, 2, EnneoPuzzle::CELL_KNOWN);
    puzzle.SetCell(9, 1, 4, EnneoPuzzle::CELL_KNOWN);
    puzzle.SetCell(1, 5, 5, EnneoPuzzle::CELL_KNOWN);
    puzzle.SetCell(1, 8, 6, EnneoPuzzle::CELL_KNOWN);
    puzzle.SetCell(2, 2, 7, EnneoPuzzle::CELL_SET);
    puzzle.SetCell(3, 3, 9, EnneoPuzzle::CELL_SET);
    EXPECT_STREQ(L"138", puzzle.GetCandidatesFor(1, 1));
    EXPECT_EQ(0x85, puzzle.GetCandidatesMask(1, 1));
    // A filled cell's candidate text is its digit; its mask is 0.
    EXPECT_STREQ(L"7", puzzle.GetCandidatesFor(2, 2));
    EXPECT_EQ(0, puzzle.GetCandidatesMask(2, 2));
    EXPECT_STREQ(L"2", puzzle.GetCandidatesFor(5, 1));
    // With its last candidates 1, 3 and 8 placed around it, a cell has none.
    puzzle.SetCell(7, 1, 1, EnneoPuzzle::CELL_SET);
    puzzle.SetCell(2, 1, 3, EnneoPuzzle::CELL_SET);
    puzzle.SetCell(1, 2, 8, EnneoPuzzle::CELL_SET);
    EXPECT_STREQ(L"", puzzle.GetCandidatesFor(1, 1));
    EXPECT_EQ(0, puzzle.GetCandidatesMask(1, 1));
}

TEST(EnneoPuzzleTest, ResetKeepsOnlyTheGivens) {
    EnneoPuzzle puzzle;
    puzzle.SetCell(1, 1, 1, EnneoPuzzle::CELL_KNOWN);
    puzzle.SetCell(2, 2, 2, EnneoPuzzle::CELL_SET);
    puzzle.SetCell(9, 9, 9, EnneoPuzzle::CELL_SET);
    puzzle.Reset();
    EXPECT_EQ(1, puzzle.GetCell(1, 1));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, puzzle.GetCellState(1, 1));
    EXPECT_EQ(0, puzzle.GetCell(2, 2));
    EXPECT_EQ(EnneoPuzzle::CELL_EMPTY, puzzle.GetCellState(9, 9));
    EXPECT_TRUE(puzzle.IsValidValue(3, 3, 2));
}

TEST(EnneoPuzzleTest, SolvedMeansComplete) {
    EnneoPuzzle puzzle;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) puzzle.SetCell(x, y, PatternDigit(x, y), EnneoPuzzle::CELL_SET);
    }
    EXPECT_TRUE(IsValidComplete(puzzle));
    EXPECT_TRUE(puzzle.IsSolved());
    puzzle.SetCell(9, 9, 0, EnneoPuzzle::CELL_EMPTY);
    EXPECT_FALSE(puzzle.IsSolved());
    puzzle.Clear();
    EXPECT_EQ(0, puzzle.GetCell(1, 1));
    EXPECT_STREQ(L"123456789", puzzle.GetCandidatesFor(1, 1));
}

TEST(EnneoPuzzleTest, AssignmentCopiesTheWholeGrid) {
    EnneoPuzzle puzzle;
    puzzle.SetCell(4, 5, 6, EnneoPuzzle::CELL_KNOWN);
    puzzle.SetSelectedCell(2, 3);
    EnneoPuzzle copy;
    copy = puzzle;
    puzzle.Clear();
    EXPECT_EQ(6, copy.GetCell(4, 5));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, copy.GetCellState(4, 5));
    EXPECT_EQ(2, copy.GetSelectedCell().x);
}

TEST(EnneoPuzzleTest, GenerateAlwaysGivesACompleteValidGrid) {
    EnneoPuzzle puzzle;
    std::string previous;
    for (int run = 0; run < 5; ++run) {
        puzzle.generate();
        ASSERT_TRUE(puzzle.IsSolved());
        ASSERT_TRUE(IsValidComplete(puzzle)) << ToPuzzleLine(puzzle);
        EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, puzzle.GetCellState(5, 5));
        EXPECT_NE(previous, ToPuzzleLine(puzzle));
        previous = ToPuzzleLine(puzzle);
    }
}

}  // namespace
