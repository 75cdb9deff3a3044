// Tests of the statistics: what the properties keep of each level, and what counts as none.
#include "board/play/GameStatistics.h"

#include "MemoryProperties.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GameStatisticsTest, KeepsEachLevelAndTakesADamagedValueForNone) {
    MemoryProperties properties;
    GameStatistics statistics(properties);
    const wchar_t key[] = L"Statistics\\Hard";
    EXPECT_TRUE(statistics.Record(PuzzleGenerator::kHard, 600));
    EXPECT_FALSE(statistics.Record(PuzzleGenerator::kHard, 600));  // a tie is no new best
    EXPECT_TRUE(statistics.Record(PuzzleGenerator::kHard, 599));
    EXPECT_EQ(L"3 599 1799", properties.values[key]);
    EXPECT_EQ(0u, statistics.Get(PuzzleGenerator::kEasy).games);
    for (const wchar_t* damaged : {L"", L"3 599", L"3 599 1799 1", L"3  599 1799", L"-3 599 1799", L"0 0 0",
                                   L"2 600 1000", L"1234567890123456 1 1", L"3 599 1799x"}) {
        properties.values[key] = damaged;
        EXPECT_EQ(0u, statistics.Get(PuzzleGenerator::kHard).games) << damaged;
    }
    EXPECT_TRUE(statistics.Record(PuzzleGenerator::kHard, 700));  // the level afresh
    EXPECT_EQ(L"1 700 700", properties.values[key]);
}

}  // namespace
