// Tests of the solver against the plain reference: the same steps on every kind of grid.
#include "puzzle/EnneoPuzzle.h"

#include "PuzzleTestGrids.h"
#include "RandomGrids.h"
#include "SeededTest.h"
#include "ReferenceSolver.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

// The reference gives up after this many steps, nested ones included: about half a
// second here, under Wine as well; enough for all but a few of the collections' puzzles.
const long long kReferenceSteps = 100000;
// A reference with no steps gives up at once: only the solver's own steps are checked.
const long long kNoReference = 0;
// Random grids with several solutions and fewer givens than this make the reference
// give up now and then (in 80 grids of each count: at 27 givens and below only).
const int kFewestFollowed = 30;

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

// Steps the solver through the puzzle, expecting of each step what holds whatever it
// deduces: it changes one cell, an empty one, to a digit with state CELL_SET that
// repeats nothing in the cell's row, column or block; only a failed trial's step, which
// reports no placement, may change none. Solve must end in the same grid. Until the
// reference gives up, each step must also be the reference's, result and grid.
Outcome ExpectSameSteps(const EnneoPuzzle& puzzle, const std::string& what,
                        long long referenceSteps = kReferenceSteps) {
    SCOPED_TRACE(what + ": " + ToPuzzleLine(puzzle));
    EnneoPuzzle reference = puzzle, stepped = puzzle, solved = puzzle;
    ReferenceSolver referenceSolver(referenceSteps);
    bool compared = true, placed = true;
    // Each placement fills an empty cell, so 82 steps mean one did not.
    for (int step = 0; placed && step <= 81; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        EnneoPuzzle before = stepped;
        placed = stepped.SolveOne();
        int changed = 0;
        for (int x = 1; x <= 9; ++x) {
            for (int y = 1; y <= 9; ++y) {
                int digit = stepped.GetCell(x, y), state = stepped.GetCellState(x, y);
                if (digit == before.GetCell(x, y) && state == before.GetCellState(x, y)) continue;
                ++changed;
                EXPECT_TRUE(before.GetCellState(x, y) == EnneoPuzzle::CELL_EMPTY && state == EnneoPuzzle::CELL_SET &&
                            before.IsValidValue(x, y, digit)) << x << "," << y;
            }
        }
        EXPECT_TRUE(changed == 1 || (changed == 0 && !placed)) << changed << " cells changed";
        if (compared) {
            bool referencePlaced = referenceSolver.SolveOne(reference);
            compared = !referenceSolver.GaveUp();
            if (compared && (referencePlaced != placed || GridOf(reference) != GridOf(stepped))) {
                ADD_FAILURE() << "the reference " << (referencePlaced ? "placed" : "stopped") << ": "
                              << GridOf(reference) << "\nthe solver: " << GridOf(stepped);
                break;
            }
        }
    }
    solved.Solve();
    EXPECT_EQ(GridOf(stepped), GridOf(solved));
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

class SolverDifferentialTest : public SeededTest {
protected:
    // A random grid with two digits emptied everywhere, so with several solutions.
    std::string WithSeveralSolutions(int givens) {
        return KeepGivens(WithoutTwoDigits(RandomSolvedGrid(random_), random_), givens, random_);
    }
};

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
    for (int givens = kFewestFollowed; givens <= 63; ++givens) {
        EXPECT_TRUE(ExpectSameSteps(PuzzleFromLine(WithSeveralSolutions(givens)), "several solutions").solved);
    }
}

// Fewer givens than the reference can follow, down to none.
TEST_F(SolverDifferentialTest, GridsWithFewGivensAreFilledByLegalSteps) {
    for (int givens = 0; givens < kFewestFollowed; ++givens) {
        EXPECT_TRUE(ExpectSameSteps(PuzzleFromLine(WithSeveralSolutions(givens)), "few givens", kNoReference).solved);
    }
}

// Random grids without a solution: a cell, in the first column or anywhere, sees its
// row's other eight digits and, in a cell of its block, its own. Before the solver
// notices, it may make deductions and trials elsewhere.
TEST_F(SolverDifferentialTest, GridsWithACellWithoutCandidatesTakeTheSameSteps) {
    int compared = 0;
    const int kGrids = 40;
    for (int i = 0; i < kGrids; ++i) {
        std::string solution = RandomSolvedGrid(random_);
        std::string grid = KeepGivens(solution, 20 + i % 10, random_);
        int x = i % 2 == 0 ? 0 : static_cast<int>(random_() % 9), y = static_cast<int>(random_() % 9);
        // The dead cell's digit moves to a cell of its block off its row and column and
        // goes from that cell's row and column; in the first column every other cell is
        // filled, so that the dead one is the first empty cell.
        int bx = x / 3 * 3 + (x + 1 + static_cast<int>(random_() % 2)) % 3;
        int by = y / 3 * 3 + (y + 1 + static_cast<int>(random_() % 2)) % 3;
        char digit = solution[y * 9 + x];
        for (int k = 0; k < 9; ++k) {
            grid[y * 9 + k] = solution[y * 9 + k];
            if (x == 0) grid[k * 9] = solution[k * 9];
            if (solution[by * 9 + k] == digit) grid[by * 9 + k] = '.';
            if (solution[k * 9 + bx] == digit) grid[k * 9 + bx] = '.';
        }
        grid[y * 9 + x] = '.';
        grid[by * 9 + bx] = digit;
        Outcome outcome = ExpectSameSteps(PuzzleFromLine(grid), "cell without candidates");
        EXPECT_FALSE(outcome.solved);
        compared += outcome.compared ? 1 : 0;
    }
    std::printf("%d of %d compared with the reference\n", compared, kGrids);
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
// given of their row, column or block, among at least 26 (with fewer the reference often
// gives up). The solver's deductions are no longer forced there, so it must follow the
// plain rule step by step.
TEST_F(SolverDifferentialTest, GridsWithRepeatedGivensTakeTheSameSteps) {
    int compared = 0;
    const int kGrids = 60;
    for (int i = 0; i < kGrids; ++i) {
        std::string solution = RandomSolvedGrid(random_);
        std::string grid = KeepGivens(solution, 26 + i % 12, random_);
        for (int repeats = 1 + i % 2; repeats > 0;) {
            int cell = static_cast<int>(random_() % 81), other = static_cast<int>(random_() % 81);
            int x = cell % 9, y = cell / 9, ox = other % 9, oy = other / 9;
            bool sees = ox == x || oy == y || (ox / 3 == x / 3 && oy / 3 == y / 3);
            if (grid[cell] == '.' && grid[other] != '.' && sees) {
                grid[cell] = grid[other];
                --repeats;
            }
        }
        compared += ExpectSameSteps(ReadPuzzleLine(grid), "repeated givens").compared ? 1 : 0;
    }
    std::printf("%d of %d compared with the reference\n", compared, kGrids);
}

}  // namespace
