// Tests of the solver: its strategies, their order, trials and unsolvable grids.
#include "puzzle/EnneoPuzzle.h"

#include "PuzzleTestGrids.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The one cell that a step filled, as "x,y=d".
std::string PlacementBetween(const EnneoPuzzle& before, const EnneoPuzzle& after) {
    std::string placement;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (before.GetCell(x, y) != after.GetCell(x, y)) {
                placement += (placement.empty() ? "" : " ") + std::to_string(x) + "," +
                             std::to_string(y) + "=" + std::to_string(after.GetCell(x, y));
            }
        }
    }
    return placement;
}

// The placement one strategy would make on the grid, or "" when it makes none.
std::string WouldPlace(const EnneoPuzzle& puzzle, bool (EnneoPuzzle::*strategy)()) {
    EnneoPuzzle copy = puzzle;
    bool placed = (copy.*strategy)();
    std::string placement = PlacementBetween(puzzle, copy);
    EXPECT_EQ(placed, !placement.empty());
    return placement;
}

TEST(EnneoPuzzleSolverTest, SolvesTheSampleIn56StepsWithoutATrial) {
    EnneoPuzzle puzzle;
    puzzle.LoadFromString(EnneoPuzzle::kSampleText);
    int singles = 0, blocks = 0, others = 0;
    for (;;) {
        EnneoPuzzle before = puzzle;
        bool single = !WouldPlace(puzzle, &EnneoPuzzle::PlaceSingleCandidate).empty();
        bool block = !single && !WouldPlace(puzzle, &EnneoPuzzle::PlaceSingleInBlock).empty();
        if (!puzzle.SolveOne()) break;
        ASSERT_EQ(std::string::npos, PlacementBetween(before, puzzle).find(' '));
        if (single) ++singles;
        else if (block) ++blocks;
        else ++others;
    }
    EXPECT_EQ(43, singles);
    EXPECT_EQ(13, blocks);
    EXPECT_EQ(0, others);
    EXPECT_TRUE(puzzle.IsSolved());
    EXPECT_TRUE(IsValidComplete(puzzle));
    EXPECT_EQ("897315246", LineOf(puzzle).substr(0, 9));
    puzzle.Reset();  // the solver's digits are set digits
    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    EXPECT_EQ(LineOf(sample), LineOf(puzzle));
}

}  // namespace
