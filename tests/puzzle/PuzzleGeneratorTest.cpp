// Tests of the puzzle generator: one solution, the level's rating, symmetry, repeatable seeds, cancelling.
#include "puzzle/PuzzleGenerator.h"

#include "puzzle/PuzzleLine.h"
#include "puzzle/PuzzleRating.h"
#include "SeededTest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Puzzles per level: a few dozen natively, fewer under the sanitizers' slower code.
#ifdef ENNEO_SANITIZED
const int kPuzzlesPerLevel = 4;
#else
const int kPuzzlesPerLevel = 15;
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

class PuzzleGeneratorTest : public SeededTest {};

TEST_F(PuzzleGeneratorTest, PuzzlesHaveOneSolutionTheLevelsRatingAndSymmetricGivens) {
    PuzzleGenerator generator(seed_);
    for (PuzzleLevel level : kPuzzleLevels) {
        for (int i = 0; i < kPuzzlesPerLevel; ++i) {
            EnneoPuzzle puzzle = generator.Generate(level);
            std::string line = ToPuzzleLine(puzzle);
            SCOPED_TRACE(std::string(LevelName(level)) + ": " + line);
            for (int y = 1; y <= 9; ++y) {
                for (int x = 1; x <= 9; ++x) {
                    int state = puzzle.GetCellState(x, y);
                    ASSERT_TRUE(state == EnneoPuzzle::CELL_EMPTY || state == EnneoPuzzle::CELL_KNOWN);
                    ASSERT_EQ(state == EnneoPuzzle::CELL_EMPTY, puzzle.GetCell(10 - x, 10 - y) == 0) << x << "," << y;
                }
            }
            std::string grid = line;
            ASSERT_EQ(1, CountCompletions(grid, 2));
            ASSERT_EQ(level, PuzzleRating(puzzle).GetLevel());
            EXPECT_GE(generator.GetTries(), 1);
        }
    }
}

// The same seed gives the same sequence, and the same puzzles on every platform: the
// first lines of the levels that singles solve are pinned, so the Windows tree's run
// checks them too (the harder levels' puzzles move as the technique ladder grows).
TEST(PuzzleGeneratorSeedTest, ASeedFixesTheSequence) {
    const char* const first[] = {
        ".5...98....872...1.9.3....697.......52..4..87.......642....1.7.8...972....94...5.",
        "45...9.....872...1.9.3....697.......52..4..87.......642....1.7.8...972.....4...58",
    };
    for (PuzzleLevel level : kPuzzleLevels) {
        PuzzleGenerator one(12345), other(12345);
        std::string line = ToPuzzleLine(one.Generate(level));
        if (level <= PuzzleLevel::kMedium) {
            EXPECT_EQ(first[static_cast<int>(level)], line);
        }
        EXPECT_EQ(line, ToPuzzleLine(other.Generate(level)));
        for (int i = 0; i < 3; ++i) EXPECT_EQ(ToPuzzleLine(one.Generate(level)), ToPuzzleLine(other.Generate(level)));
    }
    EXPECT_NE(ToPuzzleLine(PuzzleGenerator(1).Generate(PuzzleLevel::kHard)),
              ToPuzzleLine(PuzzleGenerator(2).Generate(PuzzleLevel::kHard)));
}

// The generator polls between tries and gives up at the first false; a generation that
// needs a single try never asks.
TEST(PuzzleGeneratorCancelTest, AFalseFromKeepGoingEndsTheGeneration) {
    PuzzleGenerator generator(12345);
    int polls = 0;
    EXPECT_FALSE(generator.Generate(PuzzleLevel::kExtreme, [&polls] { return ++polls < 2; }));
    EXPECT_EQ(2, polls);
    EXPECT_EQ(2, generator.GetTries());
    EXPECT_TRUE(generator.Generate(PuzzleLevel::kEasy, [] { return false; }));
}

}  // namespace
