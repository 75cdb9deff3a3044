// GameStatistics: the games finished at each level and their times, kept in the properties.
#pragma once

#include "common/util/IProperties.h"
#include "puzzle/PuzzleLevel.h"

#include <cstdint>

// For each level, the games the player finished without help, their best and their
// total time in whole seconds. Each level is one value of the properties' section
// "Statistics" (a sub-key of the program's registry key), named after the level
// (LevelName: "Easy", "Medium", "Hard", "Expert", "Extreme") and holding "GAMES BEST TOTAL" in decimal; a value that is
// not three such numbers that agree (a best within the total, games for a time) counts
// as none, and the next game finished starts the level afresh.
class GameStatistics {
public:
    struct Times {
        uint64_t games = 0;
        uint64_t bestSeconds = 0;   // with games > 0
        uint64_t totalSeconds = 0;  // of all games, for the average
    };

    // properties: outlives this object. Nothing is read until asked.
    explicit GameStatistics(util::IProperties& properties) : properties_(properties) {}

    // The level's times as the properties keep them now.
    Times Get(PuzzleLevel level) const;
    // Counts a game finished in seconds and keeps the level's times; true when it is the
    // level's first game or beats its best time.
    bool Record(PuzzleLevel level, uint64_t seconds);

private:
    util::IProperties& properties_;
};
