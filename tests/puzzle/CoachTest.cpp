// Tests of the coach: the solver's next step, the player's mistakes, and the verdict.
#include "puzzle/Coach.h"

#include "CoachGrids.h"
#include "RandomGrids.h"
#include "ReferenceSolver.h"
#include "SeededTest.h"
#include "puzzle/PuzzleGenerator.h"
#include "puzzle/PuzzleLine.h"
#include "puzzle/PuzzleRating.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

EnneoPuzzle Sample() {
    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    return sample;
}

// The board with every digit set by the player, as if typed into an empty grid.
EnneoPuzzle Typed(const EnneoPuzzle& board) {
    EnneoPuzzle typed;
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (board.GetCell(x, y) != 0) typed.SetCell(x, y, board.GetCell(x, y), EnneoPuzzle::CELL_SET);
        }
    }
    return typed;
}

// The first of the plain rule's deductions that places on the board; kTrial for none.
SolverGrid::Strategy ReferenceStrategy(const EnneoPuzzle& board) {
    bool (*const deductions[])(EnneoPuzzle&) = {ReferenceSolver::PlaceSingleCandidate,
                                                ReferenceSolver::PlaceSingleInBlock, ReferenceSolver::PlaceSingleInRow,
                                                ReferenceSolver::PlaceSingleInColumn};
    for (int i = 0; i < 4; ++i) {
        EnneoPuzzle copy = board;
        if (deductions[i](copy)) return static_cast<SolverGrid::Strategy>(i);
    }
    return SolverGrid::kTrial;
}

class CoachTest : public SeededTest {};

// A board for each kind of step, its digits given or typed in: the step and its kind.
TEST_F(CoachTest, NamesTheStepOfEachKind) {
    for (const StepGrid& grid : kStepGrids) {
        SCOPED_TRACE(grid.givens);
        EnneoPuzzle puzzle = PuzzleFromLine(grid.givens);
        for (const EnneoPuzzle& board : {puzzle, Typed(puzzle)}) {
            Coach coach(board);
            ASSERT_EQ(Coach::kOpen, coach.GetVerdict());
            EXPECT_EQ(grid.strategy, coach.GetNextStep().strategy);
            EXPECT_EQ(grid.x, coach.GetNextStep().cell.x);
            EXPECT_EQ(grid.y, coach.GetNextStep().cell.y);
            EXPECT_EQ(grid.digit, coach.GetNextStep().digit);
            EXPECT_EQ(std::count(grid.givens, grid.givens + 81, '.'), coach.GetCellsLeft());
        }
    }
}

// The hint's step is the solver's next placement, and of the kind of the plain rule's
// first deduction that applies, at every step of many solves: puzzles of each level,
// their digits given or typed in.
TEST_F(CoachTest, TheStepIsTheSolversNextPlacement) {
    PuzzleGenerator generator(seed_);
    int trials = 0;
    for (int i = 0; i < 24; ++i) {
        EnneoPuzzle board = generator.Generate(kPuzzleLevels[i % 3]);
        if (i % 2 == 1) board = Typed(board);
        SCOPED_TRACE(ToPuzzleLine(board));
        while (!board.IsSolved()) {
            Coach coach(board);
            ASSERT_EQ(Coach::kOpen, coach.GetVerdict()) << ToPuzzleLine(board);
            Coach::Step step = coach.GetNextStep();
            EXPECT_EQ(ReferenceStrategy(board), step.strategy) << ToPuzzleLine(board);
            trials += step.strategy == SolverGrid::kTrial ? 1 : 0;
            ASSERT_EQ(0, board.GetCell(step.cell.x, step.cell.y));
            ASSERT_TRUE(board.SolveOne());
            ASSERT_EQ(step.digit, board.GetCell(step.cell.x, step.cell.y)) << ToPuzzleLine(board);
        }
        EXPECT_EQ(Coach::kSolved, Coach(board).GetVerdict());
    }
    EXPECT_GE(trials, 8);  // at least one in each hard puzzle
}

// With the givens' only solution known, the player's digits that differ from it are
// mistakes, in reading order, before any step; a digit that fits is none.
TEST_F(CoachTest, MistakesComeBeforeTheStep) {
    EnneoPuzzle board = Sample();
    board.SetCell(1, 1, 8, EnneoPuzzle::CELL_SET);  // the solution's
    board.SetCell(1, 3, 1, EnneoPuzzle::CELL_SET);  // 4 in the solution
    board.SetCell(9, 2, 9, EnneoPuzzle::CELL_SET);  // 8 in the solution
    Coach coach(board);
    ASSERT_EQ(Coach::kMisfits, coach.GetVerdict());
    ASSERT_EQ(2u, coach.GetMisfits().size());
    EXPECT_EQ(9, coach.GetMisfits()[0].x);
    EXPECT_EQ(2, coach.GetMisfits()[0].y);
    EXPECT_EQ(1, coach.GetMisfits()[1].x);
    EXPECT_EQ(3, coach.GetMisfits()[1].y);
    // Typed in, the same digits are the puzzle: the givens (none) have many solutions,
    // and none fits the digits.
    EXPECT_EQ(Coach::kNoSolutionFits, Coach(Typed(board)).GetVerdict());
}

TEST_F(CoachTest, VerdictsOnSolvedUnsolvableAndOpenPuzzles) {
    EnneoPuzzle solved = Sample();
    solved.Solve();
    EXPECT_EQ(Coach::kSolved, Coach(solved).GetVerdict());
    EXPECT_EQ(Coach::kSolved, Coach(Typed(solved)).GetVerdict());

    // (9, 1) has no digit left; and a repeated given, which only a file can bring.
    EXPECT_EQ(Coach::kNoSolution, Coach(PuzzleFromLine("12345678.........9" + std::string(63, '.'))).GetVerdict());
    EXPECT_EQ(Coach::kNoSolution, Coach(ReadPuzzleLine("11" + std::string(79, '.'))).GetVerdict());

    // No givens: the typed digits are the puzzle, and do not fix one solution.
    EnneoPuzzle few;
    few.SetCell(5, 5, 1, EnneoPuzzle::CELL_SET);
    EXPECT_EQ(Coach::kSeveralSolutions, Coach(few).GetVerdict());
    EXPECT_EQ(Coach::kSeveralSolutions,
              Coach(ReadPuzzleLine(WithoutTwoDigits(ToPuzzleLine(solved), random_))).GetVerdict());
    EXPECT_EQ(Coach::kUndecided, Coach(few, 1).GetVerdict());  // a budget of one node
}

// The rating and level are the givens', however far the player got; the same digits
// typed in have no givens to rate.
TEST_F(CoachTest, RatesTheGivens) {
    PuzzleGenerator generator(seed_);
    for (PuzzleLevel level : kPuzzleLevels) {
        EnneoPuzzle board = generator.Generate(level);
        double rating = PuzzleRating(board).GetRating();
        for (int step = 0; step < 20; ++step) board.SolveOne();
        EXPECT_EQ(rating, Coach(board).GetRating());
        EXPECT_EQ(level, Coach(board).GetLevel());
        EXPECT_EQ(Coach::kOpen, Coach(board).GetVerdict());
        EXPECT_EQ(std::nullopt, Coach(Typed(board)).GetRating());
        EXPECT_EQ(std::nullopt, Coach(Typed(board)).GetLevel());
    }
}

}  // namespace
