// GameStatistics: the games finished at each level and their times, kept in the properties.
#include "GameStatistics.h"

#include <string>

namespace {

const wchar_t kSection[] = L"Statistics";
// Digits a number may have: more than a person plays in seconds, less than overflows.
const int kMaxDigits = 15;

// The name of the level's value: its stored name, which is plain ASCII.
std::wstring ValueName(PuzzleLevel level) {
    const char* name = LevelName(level);
    return std::wstring(name, name + std::char_traits<char>::length(name));
}

// Reads a decimal number of at most kMaxDigits from text on; false at anything else.
bool ReadNumber(const wchar_t*& text, uint64_t& number) {
    number = 0;
    int digits = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text) {
        if (++digits > kMaxDigits) return false;
        number = number * 10 + static_cast<uint64_t>(*text - L'0');
    }
    return digits > 0;
}

}  // namespace

GameStatistics::Times GameStatistics::Get(PuzzleLevel level) const {
    String value;
    if (!properties_.GetProperty(ValueName(level).c_str(), value, kSection) || value.IsEmpty()) {
        return Times();
    }
    Times times;
    const wchar_t* text = value.GetText();
    bool read = ReadNumber(text, times.games) && *text++ == L' ' && ReadNumber(text, times.bestSeconds) &&
                *text++ == L' ' && ReadNumber(text, times.totalSeconds) && *text == L'\0';
    bool agree = times.games > 0 && times.totalSeconds / times.games >= times.bestSeconds;  // average >= best
    return read && agree ? times : Times();
}

bool GameStatistics::Record(PuzzleLevel level, uint64_t seconds) {
    Times times = Get(level);
    bool best = times.games == 0 || seconds < times.bestSeconds;
    if (best) times.bestSeconds = seconds;
    ++times.games;
    times.totalSeconds += seconds;
    String value;
    value.Format(L"%u %u %u", times.games, times.bestSeconds, times.totalSeconds);
    properties_.SetProperty(ValueName(level).c_str(), value.GetText(), kSection);
    return best;
}
