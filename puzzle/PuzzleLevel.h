// PuzzleLevel: the five levels of puzzles by their rating on the common scale, with their bounds and stored names.
#pragma once

#include <cmath>

// How hard a puzzle is, named by the range its rating (PuzzleRating) falls in: each
// level from its floor up to below the next level's floor. The generator makes puzzles
// of a level, the statistics count games by level, Check and printed pages name it.
enum class PuzzleLevel { kEasy, kMedium, kHard, kExpert, kExtreme };

inline constexpr int kPuzzleLevelCount = static_cast<int>(PuzzleLevel::kExtreme) + 1;
inline constexpr PuzzleLevel kPuzzleLevels[] = {PuzzleLevel::kEasy, PuzzleLevel::kMedium, PuzzleLevel::kHard,
                                                PuzzleLevel::kExpert, PuzzleLevel::kExtreme};

// The lowest rating of level: 0 for kEasy, then 1.5, 2.5, 4.5 and 6.5.
constexpr double LevelFloor(PuzzleLevel level) {
    constexpr double kFloors[] = {0, 1.5, 2.5, 4.5, 6.5};
    return kFloors[static_cast<int>(level)];
}

// The level of a rating as it is shown, rounded to one decimal: so a level never
// disagrees with the figure beside it, and sums of tenths that land a hair off a bound
// fall on the same side of it on every platform.
inline PuzzleLevel LevelOf(double rating) {
    long tenths = std::lround(rating * 10);
    int level = kPuzzleLevelCount - 1;
    while (level > 0 && tenths < std::lround(LevelFloor(static_cast<PuzzleLevel>(level)) * 10)) --level;
    return static_cast<PuzzleLevel>(level);
}

// The level's name where the program stores it (the statistics' values) and the console
// tools print it: "Easy", "Medium", "Hard", "Expert" or "Extreme". The player reads
// levels in words (Message::Value::Level).
constexpr const char* LevelName(PuzzleLevel level) {
    constexpr const char* kNames[] = {"Easy", "Medium", "Hard", "Expert", "Extreme"};
    return kNames[static_cast<int>(level)];
}
