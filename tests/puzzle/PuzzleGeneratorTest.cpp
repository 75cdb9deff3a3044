// Tests of the puzzle generator: one solution, the level's steps, symmetry, repeatable seeds.
#include "puzzle/PuzzleGenerator.h"

#include "puzzle/PuzzleLine.h"
#include "ReferenceSolver.h"
#include "SeededTest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Puzzles per level: a few hundred natively, fewer under the sanitizers' slower code.
#ifdef ENNEO_SANITIZED
const int kPuzzlesPerLevel = 100;
#else
const int kPuzzlesPerLevel = 300;
#endif

// The completions of a puzzle line, counted up to limit by a plain search apart from
// the engine's: the empty cell with the fewest digits that fit, each digit in turn.
int CountCompletions(std::string& grid, int limit) {
    int best = -1, bestFits = 0, bestCount = 10;
    for (int cell = 0; cell < 81; ++cell) {
        if (grid[cell] != '.') continue;
        int taken = 0;
        for (int other = 0; other < 81; ++other) {
            bool peer = other % 9 == cell % 9 || other / 9 == cell / 9 ||
                        (other % 9 / 3 == cell % 9 / 3 && other / 27 == cell / 27);
            if (peer && grid[other] != '.') taken |= 1 << (grid[other] - '1');
        }
        int fits = 0x1FF & ~taken, count = __builtin_popcount(static_cast<unsigned>(fits));
        if (count < bestCount) {
            best = cell, bestFits = fits, bestCount = count;
        }
    }
    if (best < 0) return 1;
    int completions = 0;
    for (int digit = 1; digit <= 9 && completions < limit; ++digit) {
        if ((bestFits & (1 << (digit - 1))) == 0) continue;
        grid[best] = static_cast<char>('0' + digit);
        completions += CountCompletions(grid, limit - completions);
    }
    grid[best] = '.';
    return completions;
}

// The level of the plain rule's steps, taken by the reference's strategies up to the
// first step that needs a trial.
PuzzleGenerator::Level LevelOfSteps(EnneoPuzzle puzzle) {
    PuzzleGenerator::Level level = PuzzleGenerator::kEasy;
    for (;;) {
        if (ReferenceSolver::PlaceSingleCandidate(puzzle) || ReferenceSolver::PlaceSingleInBlock(puzzle)) continue;
        if (!ReferenceSolver::PlaceSingleInRow(puzzle) && !ReferenceSolver::PlaceSingleInColumn(puzzle)) {
            return puzzle.IsSolved() ? level : PuzzleGenerator::kHard;
        }
        level = PuzzleGenerator::kMedium;
    }
}

class PuzzleGeneratorTest : public SeededTest {};

TEST_F(PuzzleGeneratorTest, PuzzlesHaveOneSolutionTheLevelAndSymmetricGivens) {
    PuzzleGenerator generator(seed_);
    for (int level = PuzzleGenerator::kEasy; level <= PuzzleGenerator::kHard; ++level) {
        for (int i = 0; i < kPuzzlesPerLevel; ++i) {
            EnneoPuzzle puzzle = generator.Generate(static_cast<PuzzleGenerator::Level>(level));
            std::string line = ToPuzzleLine(puzzle);
            SCOPED_TRACE("level " + std::to_string(level) + ": " + line);
            for (int y = 1; y <= 9; ++y) {
                for (int x = 1; x <= 9; ++x) {
                    int state = puzzle.GetCellState(x, y);
                    ASSERT_TRUE(state == EnneoPuzzle::CELL_EMPTY || state == EnneoPuzzle::CELL_KNOWN);
                    ASSERT_EQ(state == EnneoPuzzle::CELL_EMPTY, puzzle.GetCell(10 - x, 10 - y) == 0) << x << "," << y;
                }
            }
            std::string grid = line;
            ASSERT_EQ(1, CountCompletions(grid, 2));
            ASSERT_EQ(level, LevelOfSteps(puzzle));
            puzzle.Solve();
            ASSERT_TRUE(puzzle.IsSolved());
        }
    }
}

// The same seed gives the same sequence, and the same puzzles on every platform: these
// lines are pinned, so the Windows tree's run checks them too.
TEST(PuzzleGeneratorSeedTest, ASeedFixesTheSequence) {
    const char* const first[] = {
        "45...9.....872...1.9.3....697.......52..4..87.......642....1.7.8...972.....4...58",
        "...1..73...2.....553...9.4....2..9.76..4.3..12.8..7....4.5...189.....6...86..4...",
        ".29..7.....6..2.4741..6.......3...6..43...92..5...4.......4..3238.6..7.....7..41.",
    };
    for (int level = PuzzleGenerator::kEasy; level <= PuzzleGenerator::kHard; ++level) {
        PuzzleGenerator one(12345), other(12345);
        auto at = static_cast<PuzzleGenerator::Level>(level);
        EXPECT_EQ(first[level], ToPuzzleLine(one.Generate(at)));
        EXPECT_EQ(first[level], ToPuzzleLine(other.Generate(at)));
        for (int i = 0; i < 5; ++i) EXPECT_EQ(ToPuzzleLine(one.Generate(at)), ToPuzzleLine(other.Generate(at)));
    }
    EXPECT_NE(ToPuzzleLine(PuzzleGenerator(1).Generate(PuzzleGenerator::kHard)),
              ToPuzzleLine(PuzzleGenerator(2).Generate(PuzzleGenerator::kHard)));
}

}  // namespace
