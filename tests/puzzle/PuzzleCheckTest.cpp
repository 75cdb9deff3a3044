// Tests of the check of a puzzle that comes in: the first clash, and the count of solutions.
#include "puzzle/PuzzleCheck.h"

#include "PuzzleTestGrids.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A clash is not loaded, and the message names its unit, count and digit.
TEST(PuzzleCheckTest, RefusesAClashAndNamesIt) {
    PuzzleCheck check(PuzzleOf({{1, 9, 4}, {4, 9, 4}, {9, 9, 4}, {4, 4, 3}, {5, 5, 3}}));
    EXPECT_EQ(PuzzleCheck::kClash, check.GetVerdict());
    EXPECT_FALSE(check.MayLoad());
    ASSERT_TRUE(check.GetClash());
    EXPECT_EQ((GridUnit{GridUnit::kRow, 8}), check.GetClash()->unit);
    Message message = check.GetMessage();
    EXPECT_EQ(Message::kPuzzleClash, message.id);
    EXPECT_EQ((std::vector<Message::Value>{Message::Value::Unit({GridUnit::kRow, 8}), Message::Value::CountWord(3),
                                           Message::Value::Number(4)}),
              message.values);
}

TEST(PuzzleCheckTest, CountsTheSolutionsOfAPuzzleThatKeepsTheRules) {
    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    PuzzleCheck unique(sample);
    EXPECT_EQ(PuzzleCheck::kOneSolution, unique.GetVerdict());
    EXPECT_TRUE(unique.GetMessage().IsEmpty());
    EXPECT_FALSE(unique.GetClash());

    // Row 1 leaves its last cell only a 9, which column 9 already holds.
    PuzzleCheck none(
        PuzzleOf({{1, 1, 1}, {2, 1, 2}, {3, 1, 3}, {4, 1, 4}, {5, 1, 5}, {6, 1, 6}, {7, 1, 7}, {8, 1, 8}, {9, 2, 9}}));
    EXPECT_EQ(PuzzleCheck::kNoSolution, none.GetVerdict());
    EXPECT_TRUE(none.MayLoad());
    EXPECT_EQ(Message::kPuzzleNoSolution, none.GetMessage().id);

    PuzzleCheck several(PuzzleOf({{5, 5, 1}}));
    EXPECT_EQ(PuzzleCheck::kSeveralSolutions, several.GetVerdict());
    EXPECT_EQ(Message::kPuzzleSeveralSolutions, several.GetMessage().id);

    PuzzleCheck undecided(PuzzleOf({{5, 5, 1}}), 1);
    EXPECT_EQ(PuzzleCheck::kUndecided, undecided.GetVerdict());
    EXPECT_TRUE(undecided.MayLoad());
    EXPECT_TRUE(undecided.GetMessage().IsEmpty());
}

}  // namespace
