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
    EXPECT_EQ("897315246", ToPuzzleLine(puzzle).substr(0, 9));
    puzzle.Reset();  // the solver's digits are set digits
    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    EXPECT_EQ(ToPuzzleLine(sample), ToPuzzleLine(puzzle));
}

TEST(EnneoPuzzleSolverTest, ACompleteGridIsLeftAlone) {
    EnneoPuzzle puzzle;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) puzzle.SetCell(x, y, PatternDigit(x, y), EnneoPuzzle::CELL_KNOWN);
    }
    std::string before = ToPuzzleLine(puzzle);
    EXPECT_FALSE(puzzle.SolveOne());
    EXPECT_EQ(before, ToPuzzleLine(puzzle));
}

TEST(EnneoPuzzleSolverTest, SingleCandidatesGoInColumnOrder) {
    EnneoPuzzle puzzle;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) puzzle.SetCell(x, y, PatternDigit(x, y), EnneoPuzzle::CELL_KNOWN);
    }
    puzzle.SetCell(5, 2, 0, EnneoPuzzle::CELL_EMPTY);
    puzzle.SetCell(3, 7, 0, EnneoPuzzle::CELL_EMPTY);
    puzzle.SetCell(3, 4, 0, EnneoPuzzle::CELL_EMPTY);
    EnneoPuzzle before = puzzle;
    ASSERT_TRUE(puzzle.SolveOne());  // the smaller column first, in it the smaller row
    EXPECT_EQ("3,4=" + std::to_string(PatternDigit(3, 4)), PlacementBetween(before, puzzle));
    EXPECT_EQ(EnneoPuzzle::CELL_SET, puzzle.GetCellState(3, 4));
    before = puzzle;
    ASSERT_TRUE(puzzle.SolveOne());
    EXPECT_EQ("3,7=" + std::to_string(PatternDigit(3, 7)), PlacementBetween(before, puzzle));
}

// Grids on which no cell has a single candidate but several strategies could place a
// digit, each with the placement of each strategy and the one a step makes.
struct StrategyCase {
    const char* grid;
    const char* block;
    const char* row;
    const char* column;
    const char* step;
};

TEST(EnneoPuzzleSolverTest, BlocksComeBeforeRowsAndRowsBeforeColumns) {
    const StrategyCase cases[] = {
        {"..851..36..9..62...........78.1....2..........6...5..485........4..2......7...94.",
         "1,8=9", "6,1=9", "2,5=9", "1,8=9"},
        {"....2....1...6.9..768..5.2..5.....8....6......8...1...5......9....89...289....4..",
         "", "4,3=9", "5,5=8", "4,3=9"},
        {"..9.45.78..5..8.6..........6..4....245.7...9.........1.345.....51....9........5..",
         "", "", "9,3=5", "9,3=5"},
    };
    for (const StrategyCase& c : cases) {
        EnneoPuzzle puzzle = PuzzleFromLine(c.grid);
        EXPECT_EQ("", WouldPlace(puzzle, &EnneoPuzzle::PlaceSingleCandidate)) << c.grid;
        EXPECT_EQ(c.block, WouldPlace(puzzle, &EnneoPuzzle::PlaceSingleInBlock)) << c.grid;
        EXPECT_EQ(c.row, WouldPlace(puzzle, &EnneoPuzzle::PlaceSingleInRow)) << c.grid;
        EXPECT_EQ(c.column, WouldPlace(puzzle, &EnneoPuzzle::PlaceSingleInColumn)) << c.grid;
        EXPECT_EQ(c.step, WouldPlace(puzzle, &EnneoPuzzle::SolveOne)) << c.grid;
    }
}

TEST(EnneoPuzzleSolverTest, ATrialKeepsOnlyItsDigitAndTheNextStepsFindTheRest) {
    // Two solutions differ in a rectangle of four cells: nothing but a trial helps, and
    // the first candidate of the first empty cell in column order leads to a solution.
    EnneoPuzzle puzzle = PuzzleFromLine(
        "8973152463514267984629873511.96384.55.81496.3643752189214593867936874512785261934");
    EXPECT_EQ("", WouldPlace(puzzle, &EnneoPuzzle::PlaceSingleCandidate));
    EXPECT_EQ("", WouldPlace(puzzle, &EnneoPuzzle::PlaceSingleInBlock));
    EXPECT_EQ("", WouldPlace(puzzle, &EnneoPuzzle::PlaceSingleInRow));
    EXPECT_EQ("", WouldPlace(puzzle, &EnneoPuzzle::PlaceSingleInColumn));
    EXPECT_EQ("2,4=2", WouldPlace(puzzle, &EnneoPuzzle::SolveOne));
    int steps = 0;
    while (puzzle.SolveOne()) ++steps;
    EXPECT_EQ(4, steps);
    EXPECT_EQ("897315246351426798462987351129638475578149623643752189214593867936874512785261934",
              ToPuzzleLine(puzzle));
}

TEST(EnneoPuzzleSolverTest, ACellWithoutCandidatesEndsTheTrialAtOnce) {
    // No digit fits the top-left cell: row 1 holds 1-8 and column 1 holds 9.
    EnneoPuzzle puzzle = PuzzleFromLine(".12345678" "........." "........." "........." "9........"
                                        "........." "........." "........." ".........");
    std::string before = ToPuzzleLine(puzzle);
    EXPECT_FALSE(puzzle.PlaceByTrial());
    EXPECT_EQ(before, ToPuzzleLine(puzzle));
    puzzle.Solve();
    EXPECT_FALSE(puzzle.IsSolved());
}

TEST(EnneoPuzzleSolverTest, AFailedTrialLeavesTheLastCandidateTried) {
    // The cell below the top-left one has no candidate, so every trial at the top-left
    // cell fails; its candidates are 3 to 8.
    EnneoPuzzle puzzle = PuzzleFromLine("........." ".12345678" "........." "........." "9........"
                                        "........." "........." "........." ".........");
    std::string before = ToPuzzleLine(puzzle);
    EXPECT_FALSE(puzzle.SolveOne());
    EXPECT_EQ(8, puzzle.GetCell(1, 1));
    EXPECT_EQ(EnneoPuzzle::CELL_SET, puzzle.GetCellState(1, 1));
    EXPECT_EQ(before.substr(1), ToPuzzleLine(puzzle).substr(1));
}

// Rows 1 and 3 repeat each other's givens, which a file can give: deciding one trial
// took minutes of completion search before the search had a budget. The solve now
// ends, its trials failed, with the givens untouched.
TEST(EnneoPuzzleSolverTest, RepeatedGivensThatDefeatTheSearchEndTheSolve) {
    const std::string line = ".73.5.4.." "........." ".73.5.4.." "........." "........."
                             "........." "........." "........." ".........";
    EnneoPuzzle puzzle = ReadPuzzleLine(line);  // as a file gives it, without the validity rule
    puzzle.Solve();
    EXPECT_FALSE(puzzle.IsSolved());
    EXPECT_EQ(line.substr(1), ToPuzzleLine(puzzle).substr(1));  // only the failed trial's digit
}

}  // namespace
