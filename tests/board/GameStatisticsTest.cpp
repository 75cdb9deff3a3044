// Tests of the statistics: what the properties keep of each level, and what counts as none.
#include "board/play/GameStatistics.h"

#include "MemoryProperties.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Each level is the value of its stored name, so the values that the program kept
// before there were five levels read as they were.
TEST(GameStatisticsTest, KeepsEachLevelAndTakesADamagedValueForNone) {
    MemoryProperties properties;
    properties.values[L"Statistics\\Medium"] = L"2 65 145";
    GameStatistics statistics(properties);
    EXPECT_EQ(2u, statistics.Get(PuzzleLevel::kMedium).games);
    EXPECT_EQ(65u, statistics.Get(PuzzleLevel::kMedium).bestSeconds);
    EXPECT_TRUE(statistics.Record(PuzzleLevel::kExtreme, 1200));
    EXPECT_EQ(L"1 1200 1200", properties.values[L"Statistics\\Extreme"]);
    EXPECT_TRUE(statistics.Record(PuzzleLevel::kExpert, 900));
    EXPECT_EQ(L"1 900 900", properties.values[L"Statistics\\Expert"]);

    const wchar_t key[] = L"Statistics\\Hard";
    EXPECT_TRUE(statistics.Record(PuzzleLevel::kHard, 600));
    EXPECT_FALSE(statistics.Record(PuzzleLevel::kHard, 600));  // a tie is no new best
    EXPECT_TRUE(statistics.Record(PuzzleLevel::kHard, 599));
    EXPECT_EQ(L"3 599 1799", properties.values[key]);
    EXPECT_EQ(0u, statistics.Get(PuzzleLevel::kEasy).games);
    for (const wchar_t* damaged : {L"", L"3 599", L"3 599 1799 1", L"3  599 1799", L"-3 599 1799", L"0 0 0",
                                   L"2 600 1000", L"1234567890123456 1 1", L"3 599 1799x"}) {
        properties.values[key] = damaged;
        EXPECT_EQ(0u, statistics.Get(PuzzleLevel::kHard).games) << damaged;
    }
    EXPECT_TRUE(statistics.Record(PuzzleLevel::kHard, 700));  // the level afresh
    EXPECT_EQ(L"1 700 700", properties.values[key]);
}

}  // namespace
