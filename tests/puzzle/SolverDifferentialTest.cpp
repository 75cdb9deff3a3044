// Tests of the solver against the plain reference: the same steps on every kind of grid.
#include "puzzle/EnneoPuzzle.h"

#include "PuzzleTestGrids.h"
#include "RandomGrids.h"
#include "SeededTest.h"
#include "ReferenceSolver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

// The reference gives up after this many steps, nested ones included: about half a
// second here, under Wine as well; enough for all but a few of the collections' puzzles.
const long long kReferenceSteps = 100000;
// On grids with few givens the reference hardly ever finishes; it is given less time.
const long long kFewReferenceSteps = 5000;

// Every cell's digit and state, so that two grids compare whole: 81 digits ('.' for an
// empty cell), a space, 81 states.
std::string GridOf(const EnneoPuzzle& puzzle) {
    std::string states;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) states += static_cast<char>('0' + puzzle.GetCellState(x, y));
    }
    return ToPuzzleLine(puzzle) + " " + states;
}

struct Outcome {
    bool compared;  // false when the reference gave up
    bool solved;
};

// Runs the reference and the solver step by step on the same grid and expects the same
// result and grid after every step, then the same end from Solve. Where the reference
// gives up, expects the solver's steps and Solve to agree with each other, to keep the
// givens and, when they fill the grid, to leave no repeat the puzzle did not have.
Outcome ExpectSameSteps(const EnneoPuzzle& puzzle, const std::string& what,
                        long long referenceSteps = kReferenceSteps) {
    SCOPED_TRACE(what + ": " + ToPuzzleLine(puzzle));
    EnneoPuzzle reference = puzzle, stepped = puzzle, solved = puzzle;
    ReferenceSolver referenceSolver(referenceSteps);
    bool compared = true;
    for (int step = 0;; ++step) {
        bool fastPlaced = stepped.SolveOne();
        if (compared) {
            bool referencePlaced = referenceSolver.SolveOne(reference);
            compared = !referenceSolver.GaveUp();
            if (compared) {
                EXPECT_EQ(referencePlaced, fastPlaced) << "step " << step;
                EXPECT_EQ(GridOf(reference), GridOf(stepped)) << "step " << step;
                if (referencePlaced != fastPlaced || GridOf(reference) != GridOf(stepped)) break;
            }
        }
        if (!fastPlaced) break;
        if (step == 81) {
            ADD_FAILURE() << "more steps than cells";
            break;
        }
    }
    // The plain rule takes minutes on some of these grids; the solver a millisecond at
    // most, so a second catches a solver that re-derives its trials.
    auto start = std::chrono::steady_clock::now();
    solved.Solve();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(GridOf(stepped), GridOf(solved));
    std::string givens = ToPuzzleLine(puzzle), result = ToPuzzleLine(solved);
    for (int i = 0; i < 81; ++i) {
        if (givens[i] != '.') {
            EXPECT_EQ(givens[i], result[i]) << "cell " << i;
        }
    }
    if (solved.IsSolved() && ToPuzzleLine(PuzzleFromLine(givens)) == givens) {  // givens without a repeat
        EXPECT_TRUE(IsValidComplete(solved));
    }
    return {compared, solved.IsSolved()};
}

std::vector<std::string> ReadCollection(const std::string& name) {
    std::vector<std::string> puzzles;
    std::ifstream file(std::string(ENNEO_BENCH_DIR) + "/" + name);
    for (std::string line; std::getline(file, line);) {
        if (line.size() >= 81) puzzles.push_back(line.substr(0, 81));
    }
    return puzzles;
}

class SolverDifferentialTest : public SeededTest {};

TEST(SolverCollectionTest, EveryPuzzleTakesTheSameSteps) {
    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    EXPECT_TRUE(ExpectSameSteps(sample, "sample").compared);
    for (const char* name : {"top95.txt", "qqwing_expert200.txt", "s17_dev1000.txt"}) {
        std::vector<std::string> puzzles = ReadCollection(name);
        if (puzzles.empty()) GTEST_SKIP() << "no puzzle collection at " << ENNEO_BENCH_DIR;
        int compared = 0;
        for (const std::string& line : puzzles) {
            Outcome outcome = ExpectSameSteps(PuzzleFromLine(line), name);
            EXPECT_TRUE(outcome.solved);
            compared += outcome.compared ? 1 : 0;
        }
        std::printf("%s: %d of %zu compared with the reference\n", name, compared, puzzles.size());
    }
}

TEST_F(SolverDifferentialTest, GridsWithSeveralSolutionsTakeTheSameSteps) {
    for (int givens = 8; givens <= 28; ++givens) {
        int compared = 0;
        const int kGrids = 4;
        for (int i = 0; i < kGrids; ++i) {
            std::string grid = KeepGivens(RandomSolvedGrid(random_), givens, random_);
            Outcome outcome = ExpectSameSteps(PuzzleFromLine(grid), std::to_string(givens) + " givens",
                                              givens < 19 ? kFewReferenceSteps : kReferenceSteps);
            EXPECT_TRUE(outcome.solved);
            compared += outcome.compared ? 1 : 0;
        }
        std::printf("%d givens: %d of %d compared with the reference\n", givens, compared, kGrids);
    }
}

TEST_F(SolverDifferentialTest, TheEmptyGridIsSolved) {
    EXPECT_TRUE(ExpectSameSteps(EnneoPuzzle(), "empty grid", kFewReferenceSteps).solved);
}

// Grids without a solution whose first empty cell in scan order, or a random one, has no
// candidate from the start: givens that fit their cells are added around it until none
// is left. Before the solver notices, it may make deductions and trials elsewhere.
TEST_F(SolverDifferentialTest, GridsWithACellWithoutCandidatesTakeTheSameSteps) {
    int compared = 0, made = 0;
    for (int i = 0; i < 40; ++i) {
        EnneoPuzzle puzzle = PuzzleFromLine(KeepGivens(RandomSolvedGrid(random_), 20 + i % 10, random_));
        std::vector<EnneoPuzzle::Cell> empty;
        for (int x = 1; x <= 9; ++x) {
            for (int y = 1; y <= 9; ++y) {
                if (puzzle.GetCell(x, y) == 0) empty.push_back({x, y});
            }
        }
        EnneoPuzzle::Cell dead = i % 2 == 0 ? empty[0] : empty[random_() % empty.size()];
        for (int tries = 0; tries < 200 && puzzle.GetCandidatesMask(dead.x, dead.y) != 0; ++tries) {
            int mask = puzzle.GetCandidatesMask(dead.x, dead.y);
            int digit = 1;
            while ((mask & (1 << (digit - 1))) == 0) ++digit;
            EnneoPuzzle::Cell peer = empty[random_() % empty.size()];
            bool sees = peer.x == dead.x || peer.y == dead.y ||
                        ((peer.x - 1) / 3 == (dead.x - 1) / 3 && (peer.y - 1) / 3 == (dead.y - 1) / 3);
            if (sees && puzzle.GetCell(peer.x, peer.y) == 0 && (peer.x != dead.x || peer.y != dead.y)) {
                puzzle.SetCell(peer.x, peer.y, digit, EnneoPuzzle::CELL_KNOWN);
            }
        }
        if (puzzle.GetCandidatesMask(dead.x, dead.y) != 0) continue;
        ++made;
        Outcome outcome = ExpectSameSteps(puzzle, "cell without candidates");
        EXPECT_FALSE(outcome.solved);
        compared += outcome.compared ? 1 : 0;
    }
    std::printf("%d of %d compared with the reference\n", compared, made);
    EXPECT_GT(made, 20);
}

// Puzzles with one solution and a digit typed into an empty cell that fits there but is
// not the solution's: the grid has no solution, and the solver finds that out only by
// solving on.
TEST_F(SolverDifferentialTest, GridsWithAWrongDigitTakeTheSameSteps) {
    std::vector<std::string> puzzles = ReadCollection("qqwing_expert200.txt");
    if (puzzles.empty()) GTEST_SKIP() << "no puzzle collection at " << ENNEO_BENCH_DIR;
    int compared = 0;
    const int kGrids = 40;
    for (int i = 0; i < kGrids; ++i) {
        EnneoPuzzle puzzle = PuzzleFromLine(puzzles[random_() % puzzles.size()]);
        EnneoPuzzle solution = puzzle;
        solution.Solve();
        int x, y, mask;
        do {
            x = static_cast<int>(random_() % 9) + 1;
            y = static_cast<int>(random_() % 9) + 1;
            mask = puzzle.GetCandidatesMask(x, y) & ~(1 << (solution.GetCell(x, y) - 1));
        } while (mask == 0);
        int digit = 1;
        while ((mask & (1 << (digit - 1))) == 0) ++digit;
        puzzle.SetCell(x, y, digit, EnneoPuzzle::CELL_SET);
        Outcome outcome = ExpectSameSteps(puzzle, "wrong digit");
        EXPECT_FALSE(outcome.solved);
        compared += outcome.compared ? 1 : 0;
    }
    std::printf("%d of %d compared with the reference\n", compared, kGrids);
}

// Grids loaded from text, where givens may repeat: one or two givens that repeat a
// digit of their row, column or block. The solver's deductions are no longer forced
// there, so it must follow the plain rule step by step.
TEST_F(SolverDifferentialTest, GridsWithRepeatedGivensTakeTheSameSteps) {
    int compared = 0, solved = 0;
    const int kGrids = 60;
    for (int i = 0; i < kGrids; ++i) {
        std::string solution = RandomSolvedGrid(random_);
        std::string grid = KeepGivens(solution, 22 + i % 12, random_);
        for (int repeats = 1 + i % 2; repeats > 0;) {
            int cell = static_cast<int>(random_() % 81), other = static_cast<int>(random_() % 81);
            int x = cell % 9, y = cell / 9, ox = other % 9, oy = other / 9;
            bool sees = ox == x || oy == y || (ox / 3 == x / 3 && oy / 3 == y / 3);
            if (grid[cell] == '.' && cell != other && sees) {
                grid[cell] = solution[other];
                --repeats;
            }
        }
        Outcome outcome = ExpectSameSteps(ReadPuzzleLine(grid), "repeated givens");
        compared += outcome.compared ? 1 : 0;
        solved += outcome.solved ? 1 : 0;
    }
    std::printf("%d of %d compared with the reference, %d filled\n", compared, kGrids, solved);
}

}  // namespace
