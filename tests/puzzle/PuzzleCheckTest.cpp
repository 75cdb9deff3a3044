// Tests of the check of a puzzle that comes in: the first clash, and the count of solutions.
#include "puzzle/PuzzleCheck.h"

#include "puzzle/PuzzleLine.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

struct Digit {
    int x;
    int y;
    int digit;
};

// A puzzle of the given digits and nothing else.
EnneoPuzzle PuzzleOf(std::initializer_list<Digit> digits) {
    std::string line(81, '.');
    for (const Digit& d : digits) line[(d.y - 1) * 9 + d.x - 1] = static_cast<char>('0' + d.digit);
    return ReadPuzzleLine(line);
}

TEST(PuzzleCheckTest, NamesTheFirstClash) {
    const struct {
        EnneoPuzzle puzzle;
        const wchar_t* clash;
    } cases[] = {
        {PuzzleOf({{1, 3, 5}, {5, 3, 5}}), L"row 3 holds two 5s"},
        {PuzzleOf({{4, 1, 7}, {4, 9, 7}}), L"column 4 holds two 7s"},
        {PuzzleOf({{4, 4, 3}, {5, 5, 3}}), L"the centre block holds two 3s"},
        {PuzzleOf({{9, 7, 1}, {7, 9, 1}}), L"the bottom right block holds two 1s"},
        {PuzzleOf({{1, 9, 4}, {4, 9, 4}, {9, 9, 4}}), L"row 9 holds three 4s"},
        // Rows before columns and blocks, and the smallest digit of the unit first.
        {PuzzleOf({{1, 1, 2}, {1, 2, 2}, {2, 7, 8}, {6, 7, 6}, {8, 7, 8}, {9, 7, 6}}), L"row 7 holds two 6s"},
    };
    for (const auto& c : cases) {
        PuzzleCheck check(c.puzzle);
        EXPECT_EQ(PuzzleCheck::kClash, check.GetVerdict());
        EXPECT_FALSE(check.MayLoad());
        EXPECT_EQ(std::wstring(L"This puzzle breaks the rules: ") + c.clash + L".", check.GetSentence());
    }
}

TEST(PuzzleCheckTest, CountsTheSolutionsOfAPuzzleThatKeepsTheRules) {
    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    PuzzleCheck unique(sample);
    EXPECT_EQ(PuzzleCheck::kOneSolution, unique.GetVerdict());
    EXPECT_EQ(L"", unique.GetSentence());

    // Row 1 leaves its last cell only a 9, which column 9 already holds.
    PuzzleCheck none(PuzzleOf({{1, 1, 1}, {2, 1, 2}, {3, 1, 3}, {4, 1, 4}, {5, 1, 5}, {6, 1, 6}, {7, 1, 7}, {8, 1, 8}, {9, 2, 9}}));
    EXPECT_EQ(PuzzleCheck::kNoSolution, none.GetVerdict());
    EXPECT_TRUE(none.MayLoad());
    EXPECT_EQ(L"This puzzle has no solution.", none.GetSentence());

    PuzzleCheck several(PuzzleOf({{5, 5, 1}}));
    EXPECT_EQ(PuzzleCheck::kSeveralSolutions, several.GetVerdict());
    EXPECT_EQ(L"This puzzle has more than one solution.", several.GetSentence());

    PuzzleCheck undecided(PuzzleOf({{5, 5, 1}}), 1);
    EXPECT_EQ(PuzzleCheck::kUndecided, undecided.GetVerdict());
    EXPECT_TRUE(undecided.MayLoad());
    EXPECT_EQ(L"", undecided.GetSentence());
}

}  // namespace
