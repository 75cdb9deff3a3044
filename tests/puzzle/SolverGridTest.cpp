// Tests of SolverGrid: candidate masks as the grid rule gives them, and counted completions.
#include "puzzle/SolverGrid.h"

#include "PuzzleTestGrids.h"
#include "RandomGrids.h"
#include "SeededTest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void ExpectSameCandidates(EnneoPuzzle& puzzle, const SolverGrid& grid) {
    for (int cell = 0; cell < 81; ++cell) {
        int x = cell / 9 + 1, y = cell % 9 + 1;
        ASSERT_EQ(puzzle.GetCandidatesMask(x, y), grid.GetCandidates(cell)) << x << "," << y;
        ASSERT_EQ(puzzle.GetCell(x, y), grid.GetDigit(cell)) << x << "," << y;
    }
}

// Completions counted the slow way: every candidate of the first empty cell, in turn.
int CountByHand(EnneoPuzzle& puzzle) {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (puzzle.GetCellState(x, y) != EnneoPuzzle::CELL_EMPTY) continue;
            int count = 0;
            for (int digit = 1; digit <= 9; ++digit) {
                if ((puzzle.GetCandidatesMask(x, y) & (1 << (digit - 1))) == 0) continue;
                puzzle.SetCell(x, y, digit, EnneoPuzzle::CELL_SET);
                count += CountByHand(puzzle);
                puzzle.SetCell(x, y, 0, EnneoPuzzle::CELL_EMPTY);
            }
            return count;
        }
    }
    return 1;
}

class SolverGridTest : public SeededTest {};

// Grids with and without repeated givens, filled further digit by digit: the masks
// follow every placement exactly as the grid's own candidates do.
TEST_F(SolverGridTest, CandidatesAreTheGridsCandidates) {
    for (int i = 0; i < 50; ++i) {
        std::string line = KeepGivens(RandomSolvedGrid(random_), 10 + i % 30, random_);
        if (i % 2 == 1) line[random_() % 81] = static_cast<char>('1' + random_() % 9);
        EnneoPuzzle puzzle = ReadPuzzleLine(line);
        SolverGrid grid(puzzle);
        ASSERT_EQ(ToPuzzleLine(PuzzleFromLine(line)) != line, grid.HasRepeatedDigit()) << line;
        ExpectSameCandidates(puzzle, grid);
        for (int cell = grid.FirstEmptyCell(); cell >= 0 && grid.GetCandidates(cell) != 0;
             cell = grid.FirstEmptyCell()) {
            int mask = grid.GetCandidates(cell), digit = 1;
            while ((mask & (1 << (digit - 1))) == 0) ++digit;
            grid.Place(cell, digit);
            puzzle.SetCell(cell / 9 + 1, cell % 9 + 1, digit, EnneoPuzzle::CELL_SET);
            ExpectSameCandidates(puzzle, grid);
        }
    }
}

TEST(SolverGridCountTest, CountsKnownGrids) {
    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    SolverGrid completion(sample);
    EXPECT_EQ(1, SolverGrid(sample).CountCompletions(2, &completion));
    EXPECT_TRUE(completion.IsComplete());
    EXPECT_TRUE(SolverGrid(sample).IsPartOf(completion));
    std::string firstRow;
    for (int x = 0; x < 9; ++x) firstRow += static_cast<char>('0' + completion.GetDigit(x * 9));
    EXPECT_EQ("897315246", firstRow);

    // Two solutions that differ in a rectangle of four cells.
    EnneoPuzzle rectangle = PuzzleFromLine(
        "8973152463514267984629873511.96384.55.81496.3643752189214593867936874512785261934");
    EXPECT_EQ(2, SolverGrid(rectangle).CountCompletions(5, nullptr));
    EXPECT_EQ(1, SolverGrid(rectangle).CountCompletions(1, nullptr));
    EXPECT_EQ(2, SolverGrid(EnneoPuzzle()).CountCompletions(2, nullptr));

    // No digit fits the top-left cell.
    EnneoPuzzle dead = PuzzleFromLine(".12345678" "........." "........." "........." "9........"
                                      "........." "........." "........." ".........");
    EXPECT_EQ(0, SolverGrid(dead).CountCompletions(2, nullptr));
}

TEST(SolverGridCountTest, ASpentBudgetLeavesTheCountUnknown) {
    SolverGrid empty{EnneoPuzzle()};
    int64_t budget = 3;
    EXPECT_EQ(-1, empty.CountCompletions(2, nullptr, &budget));
    EXPECT_LT(budget, 0);
    EXPECT_EQ(-1, empty.CountCompletions(1, nullptr, &budget));  // and stays spent

    budget = 1000;
    EXPECT_EQ(2, empty.CountCompletions(2, nullptr, &budget));
    EXPECT_GE(budget, 0);
    EXPECT_LT(budget, 1000);
}

// Each node of the search takes one from a budget, and a solve's trials fail where its
// budget runs out, so the solver's steps rest on these counts: a hard puzzle, the empty
// grid, grids with several completions, one with a repeated given. The forced digits
// may be found in any order; the search must meet the same grids all the same.
TEST(SolverGridCountTest, TheSearchVisitsTheSameNodes) {
    struct Case {
        const char* line;
        int limit;
        int count;
        int64_t nodes;
    };
    const char kEmpty[] = ".................................................................................";
    const Case cases[] = {
        {"1.....3.8.7.4..............2.3.1...........958.........5.6...7.....8.2...4.......", 2, 1, 201},
        {kEmpty, 1, 1, 45},
        {kEmpty, 2, 2, 47},
        {"....1..7.76...95..1.....9322......4.8...4.3......9....6........9..1...6.5....8.9.", 2, 2, 25},
        {"9.2........711.4..............8..71...31..6..1...6.28....6.......4.....1.9....56.", 2, 2, 23},
    };
    for (const Case& c : cases) {
        int64_t budget = 1000;
        EXPECT_EQ(c.count, SolverGrid(ReadPuzzleLine(c.line)).CountCompletions(c.limit, nullptr, &budget)) << c.line;
        EXPECT_EQ(c.nodes, 1000 - budget) << c.line << " limit " << c.limit;
    }
}

// Grids with 26 to 41 empty cells, each third without two digits, so with several
// completions, the others with cells toggled, which may leave a unit unable to hold all
// nine digits: the search counts exactly what trying every candidate counts.
TEST_F(SolverGridTest, CountsWhatTryingEveryCandidateCounts) {
    for (int i = 0; i < 200; ++i) {
        std::string solution = RandomSolvedGrid(random_);
        std::string line = KeepGivens(i % 3 == 0 ? WithoutTwoDigits(solution, random_) : solution, 40 + i % 16, random_);
        for (int repeats = i % 3; repeats > 0; --repeats) {
            int cell = static_cast<int>(random_() % 81);
            line[cell] = line[cell] == '.' ? static_cast<char>('1' + random_() % 9) : '.';
        }
        EnneoPuzzle puzzle = ReadPuzzleLine(line);
        EXPECT_EQ(CountByHand(puzzle), SolverGrid(puzzle).CountCompletions(100000, nullptr)) << line;
    }
}

}  // namespace
