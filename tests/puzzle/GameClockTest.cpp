// Tests of the game clock: it counts its source's time only while it runs.
#include "puzzle/GameClock.h"

#include <gtest/gtest.h>

namespace {

TEST(GameClockTest, CountsOnlyWhileItRuns) {
    uint64_t now = 1000;
    GameClock clock([&now] { return now; });
    now += 500;
    EXPECT_EQ(0u, clock.GetElapsed());
    clock.Run(true);
    clock.Run(true);  // already running: the start stays
    now += 700;
    EXPECT_EQ(700u, clock.GetElapsed());
    clock.Run(false);
    now += 10000;
    clock.Run(true);
    now += 300;
    EXPECT_EQ(1000u, clock.GetElapsed());
    now -= 5000;  // a source that goes back counts nothing for it
    EXPECT_EQ(700u, clock.GetElapsed());
    clock.Restart(7 * 24 * 3600 * 1000ull);  // a resumed week-long game runs on
    now += 1;
    EXPECT_EQ(7 * 24 * 3600 * 1000ull + 1, clock.GetElapsed());
    EXPECT_TRUE(clock.IsRunning());
}

}  // namespace
