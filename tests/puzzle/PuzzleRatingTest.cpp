// Tests of a puzzle's rating by the technique ladder: the levels, the path's ends, and
// the soundness of every step on generated puzzles.
#include "puzzle/PuzzleRating.h"

#include "PuzzleTestGrids.h"
#include "RandomGrids.h"
#include "SeededTest.h"
#include "puzzle/PuzzleGenerator.h"
#include "puzzle/PuzzleLine.h"
#include "puzzle/SolverGrid.h"
#include "puzzle/TechniqueFinder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace {

#ifdef ENNEO_SANITIZED
const int kPuzzlesPerLevel = 4;
const int kHardPuzzles = 15;
#else
const int kPuzzlesPerLevel = 18;
const int kHardPuzzles = 95;
#endif

std::string PatternLine() {
    std::string line;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) line += static_cast<char>('0' + PatternDigit(x, y));
    }
    return line;
}

class PuzzleRatingTest : public SeededTest {};

// The solution's digit at a cell, from SolverGrid's numbering.
int DigitAt(const SolverGrid& solution, EnneoPuzzle::Cell cell) {
    return solution.GetDigit((cell.x - 1) * 9 + cell.y - 1);
}

// A rating's level is that of its figure as shown, with one decimal.
TEST(PuzzleRatingLevelTest, LevelsStartAtTheirBounds) {
    const struct {
        double rating;
        PuzzleLevel level;
        const char* name;
    } cases[] = {
        {0.0, PuzzleLevel::kEasy, "Easy"},       {1.2, PuzzleLevel::kEasy, "Easy"},
        {1.44, PuzzleLevel::kEasy, "Easy"},      {1.45, PuzzleLevel::kMedium, "Medium"},
        {1.5, PuzzleLevel::kMedium, "Medium"},   {2.3, PuzzleLevel::kMedium, "Medium"},
        {2.5, PuzzleLevel::kHard, "Hard"},       {4.4, PuzzleLevel::kHard, "Hard"},
        {4.4 + 0.1, PuzzleLevel::kExpert, "Expert"}, {6.4, PuzzleLevel::kExpert, "Expert"},
        {6.5, PuzzleLevel::kExtreme, "Extreme"}, {PuzzleRating::kBeyondLadder, PuzzleLevel::kExtreme, "Extreme"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.level, LevelOf(c.rating)) << c.rating;
        EXPECT_STREQ(c.name, LevelName(LevelOf(c.rating)));
    }
}

// A full grid takes no step; one cell short, a full house; without two digits, two
// solutions that no step tells apart; an empty grid, nothing at all.
TEST(PuzzleRatingLevelTest, RatesThePathsEnds) {
    std::string oneShort = PatternLine();
    oneShort[40] = '.';
    std::string twoDigitsShort = PatternLine();
    for (char& digit : twoDigitsShort) digit = digit == '3' || digit == '7' ? '.' : digit;
    const struct {
        std::string line;
        double rating;
        bool complete;
        size_t steps;
        std::optional<Technique> hardest;
    } cases[] = {
        {PatternLine(), 0.0, true, 0, std::nullopt},
        {oneShort, 1.0, true, 1, Technique::kFullHouse},
        {twoDigitsShort, PuzzleRating::kBeyondLadder, false, 0, std::nullopt},
        {std::string(81, '.'), PuzzleRating::kBeyondLadder, false, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        PuzzleRating rating(ReadPuzzleLine(c.line));
        EXPECT_EQ(c.rating, rating.GetRating());
        EXPECT_EQ(c.complete, rating.IsComplete());
        EXPECT_EQ(c.steps, rating.GetSteps().size());
        EXPECT_EQ(c.hardest, rating.GetHardest());
    }
}

// A puzzle of the generator's that the ladder finishes with BUG+1, the digit its one
// solution has there. Without the given r2c3 it has two solutions: the path stops where
// BUG+1 would apply, which only one solution would bear out.
TEST(PuzzleRatingLevelTest, RestsOnUniquenessOnlyWithOneSolution) {
    std::string line = "...9.37.1..1..8..47.4...63.84.........7...3.........57.13...9.59..3..1..4.26.9...";
    EnneoPuzzle puzzle = ReadPuzzleLine(line);
    SolverGrid solution(puzzle);
    ASSERT_EQ(1, SolverGrid(puzzle).CountCompletions(2, &solution));
    PuzzleRating rating(puzzle);
    EXPECT_TRUE(rating.IsComplete());
    ASSERT_EQ(Technique::kBugPlusOne, rating.GetHardest());
    for (const TechniqueStep& step : rating.GetSteps()) {
        if (step.technique == Technique::kBugPlusOne) {
            EXPECT_EQ(DigitAt(solution, step.placements[0].cell), step.placements[0].digit);
        }
    }

    line[11] = '.';
    EnneoPuzzle twoSolutions = ReadPuzzleLine(line);
    ASSERT_EQ(2, SolverGrid(twoSolutions).CountCompletions(2, nullptr));
    PuzzleRating without(twoSolutions);
    EXPECT_FALSE(without.IsComplete());
    CandidateGrid end(twoSolutions);
    for (const TechniqueStep& step : without.GetSteps()) {
        EXPECT_FALSE(TechniqueFinder::RestsOnUniqueness(step.technique)) << static_cast<int>(step.technique);
        TechniqueFinder::Apply(step, end);
    }
    EXPECT_TRUE(TechniqueFinder(end, true).Find(Technique::kBugPlusOne).has_value());
}

// Every step of the path is sound against the puzzle's one solution, a complete path
// fills every empty cell, and the rating is the highest step's.
void ExpectSoundPath(const EnneoPuzzle& puzzle, const PuzzleRating& rating) {
    std::string line = ToPuzzleLine(puzzle);
    SCOPED_TRACE(line);
    SolverGrid solution(puzzle);
    ASSERT_EQ(1, SolverGrid(puzzle).CountCompletions(2, &solution));
    double highest = 0;
    int filled = 0;
    for (const TechniqueStep& step : rating.GetSteps()) {
        SCOPED_TRACE(static_cast<int>(step.technique));
        ASSERT_FALSE(step.placements.empty() && step.eliminations.empty());
        for (const TechniqueStep::Candidate& placement : step.placements) {
            EXPECT_EQ(DigitAt(solution, placement.cell), placement.digit);
        }
        for (const TechniqueStep::Candidate& elimination : step.eliminations) {
            EXPECT_NE(DigitAt(solution, elimination.cell), elimination.digit);
        }
        highest = std::max(highest, step.rating);
        filled += static_cast<int>(step.placements.size());
    }
    int empty = static_cast<int>(std::count(line.begin(), line.end(), '.'));
    EXPECT_EQ(rating.IsComplete(), filled == empty);
    EXPECT_EQ(rating.IsComplete() ? highest : PuzzleRating::kBeyondLadder, rating.GetRating());
}

// On generated puzzles of every level.
TEST_F(PuzzleRatingTest, EveryStepKeepsToTheSolution) {
    PuzzleGenerator generator(seed_);
    for (int i = 0; i < kPuzzleLevelCount * kPuzzlesPerLevel; ++i) {
        EnneoPuzzle puzzle = generator.Generate(kPuzzleLevels[i % kPuzzleLevelCount]);
        ExpectSoundPath(puzzle, PuzzleRating(puzzle));
    }
}

// The forcing chains take every puzzle of the hard collection to its end.
TEST(PuzzleRatingCollectionTest, RatesEveryHardPuzzleToItsEnd) {
    std::ifstream file(std::string(ENNEO_BENCH_DIR) + "/top95.txt");
    int rated = 0;
    for (std::string line; rated < kHardPuzzles && std::getline(file, line); ++rated) {
        EnneoPuzzle puzzle = ReadPuzzleLine(line.substr(0, 81));
        PuzzleRating rating(puzzle);
        EXPECT_TRUE(rating.IsComplete()) << line;
        ExpectSoundPath(puzzle, rating);
    }
    if (rated == 0) GTEST_SKIP() << "no puzzle collection at " << ENNEO_BENCH_DIR;
}

}  // namespace
