// StatisticsSentences: the time in the caption and the words of the Statistics boxes.
#include "StatisticsSentences.h"


String TimeText(uint64_t seconds) {
    String text;
    text.Format(L"%u:%02u", seconds / 60, seconds % 60);
    return text;
}

String StatisticsSentence(const GameStatistics& statistics) {
    String text;
    for (int i = PuzzleGenerator::kEasy; i <= PuzzleGenerator::kHard; ++i) {
        auto level = static_cast<PuzzleGenerator::Level>(i);
        GameStatistics::Times times = statistics.Get(level);
        if (times.games == 0) {
            text.AppendFormat(L"%s: no game finished yet.\n", PuzzleGenerator::LevelName(level));
            continue;
        }
        uint64_t average = (times.totalSeconds + times.games / 2) / times.games;  // rounded
        text.AppendFormat(L"%s: %u %s finished, best time %s, average time %s.\n", PuzzleGenerator::LevelName(level),
                          times.games, times.games == 1 ? L"game" : L"games", TimeText(times.bestSeconds),
                          TimeText(average));
    }
    text.AppendFormat(L"\nA game counts when the player completes a puzzle that has one solution without Solve, "
                      L"Hint, Fill In Candidates or Undo to Last Correct.");
    return text;
}

String NewBestSentence(PuzzleGenerator::Level level, uint64_t seconds) {
    String text;
    text.Format(L"A new best time for %s: %s.", PuzzleGenerator::LevelName(level), TimeText(seconds));
    return text;
}
