// StatisticsSentences: the time in the caption and the words of the Statistics boxes.
#pragma once

#include "play/GameStatistics.h"
#include "common/String.h"

#include <cstdint>

// A time as minutes and seconds, "m:ss" ("0:07", "12:34", "1440:00"): the minutes are
// not bounded, so a week-long game reads "10080:00".
String TimeText(uint64_t seconds);
// The box of Options / Statistics: for each level the games finished, the best and the
// average time, and which games count.
String StatisticsSentence(const GameStatistics& statistics);
// The box that tells of a new best time.
String NewBestSentence(PuzzleGenerator::Level level, uint64_t seconds);
