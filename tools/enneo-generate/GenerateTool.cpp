// GenerateTool: the enneo-generate command, printing new puzzles one per line.
#include "GenerateTool.h"

#include "puzzle/PuzzleLine.h"

#include <algorithm>
#include <cctype>
#include <ostream>

namespace {

const char kUsage[] =
    "usage: enneo-generate [--level easy|medium|hard|expert|extreme] [--count N] [--seed S]\n"
    "Prints N new puzzles (default 1), one per line in 81 characters ('1'-'9' a given,\n"
    "'.' an empty cell), the form enneo-solve reads. Each has exactly one solution and\n"
    "its givens in 180-degree rotational symmetry. The level (default medium) is the\n"
    "range of its rating by human techniques, as enneo-rate prints it:\n"
    "  easy     below 1.5\n"
    "  medium   1.5 to below 2.5\n"
    "  hard     2.5 to below 4.5\n"
    "  expert   4.5 to below 6.5\n"
    "  extreme  6.5 and above (may take some seconds a puzzle)\n"
    "  --seed S  a number from 0 to 18446744073709551615: the same seed, level and\n"
    "            count print the same puzzles on every platform; without it the\n"
    "            seed comes from the clock\n"
    "  --help    this text\n"
    "Exit status: 0, or 2 on a usage error. N is at most 100000.\n";

// A decimal number without sign, blanks or overflow.
bool ParseNumber(const std::string& text, uint64_t& value) {
    if (text.empty() || text.size() > 20) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        uint64_t digit = static_cast<uint64_t>(c - '0');
        if (value > (UINT64_MAX - digit) / 10) return false;
        value = value * 10 + digit;
    }
    return true;
}

// The level whose stored name is text in lower case; false for none.
bool ParseLevel(const std::string& text, PuzzleLevel& level) {
    for (PuzzleLevel candidate : kPuzzleLevels) {
        std::string name = LevelName(candidate);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (name == text) {
            level = candidate;
            return true;
        }
    }
    return false;
}

}  // namespace

int GenerateTool::Run(const std::vector<std::string>& arguments) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help") {
            out_ << kUsage;
            return kDone;
        }
        if (argument != "--level" && argument != "--count" && argument != "--seed") {
            return Fail((argument.size() > 1 && argument[0] == '-' ? "unknown option " : "unexpected argument ") +
                        argument);
        }
        if (i + 1 == arguments.size()) return Fail(argument + " needs a value");
        std::string problem = TakeOption(argument, arguments[++i]);
        if (!problem.empty()) return Fail(problem);
    }
    PuzzleGenerator generator(seeded_ ? seed_ : PuzzleGenerator::SeedFromClock());
    for (long i = 0; i < count_; ++i) out_ << ToPuzzleLine(generator.Generate(level_)) << '\n';
    return kDone;
}

std::string GenerateTool::TakeOption(const std::string& option, const std::string& value) {
    uint64_t number = 0;
    if (option == "--level") {
        if (!ParseLevel(value, level_)) return "unknown level " + value + ", not easy, medium, hard, expert or extreme";
    } else if (option == "--count") {
        if (!ParseNumber(value, number) || number == 0 || number > static_cast<uint64_t>(kMaxCount)) {
            return "--count " + value + " is not a number from 1 to " + std::to_string(kMaxCount);
        }
        count_ = static_cast<long>(number);
    } else {
        if (!ParseNumber(value, seed_)) {
            return "--seed " + value + " is not a number from 0 to 18446744073709551615";
        }
        seeded_ = true;
    }
    return std::string();
}

int GenerateTool::Fail(const std::string& message) {
    err_ << "enneo-generate: " << message << " (try --help)\n";
    return kBadUsage;
}
