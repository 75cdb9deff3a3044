// enneo-generate-bench: times the puzzle generator at each level against qqwing --generate.
#include "QqwingTimes.h"

#include "puzzle/PuzzleGenerator.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: enneo-generate-bench [--count N] [--no-qqwing]\n"
    "Generates N puzzles (default 100) at each level and prints the median, maximum\n"
    "and total time per puzzle in milliseconds, and the median and maximum of the\n"
    "grids each puzzle took (tries). Then, when qqwing is installed, runs qqwing\n"
    "--generate N at the nearest difficulty of the first three levels (easy,\n"
    "intermediate, expert) as a process: its median and maximum are its own --timer\n"
    "figures, its total the time the whole process takes; the last column is how many\n"
    "times lower the generator's total is.\n";

using Clock = std::chrono::steady_clock;

struct Level {
    PuzzleLevel level;
    const char* name;
    const char* qqwingDifficulty;  // null for none near
};

const Level kLevels[] = {
    {PuzzleLevel::kEasy, "easy", "easy"},
    {PuzzleLevel::kMedium, "medium", "intermediate"},
    {PuzzleLevel::kHard, "hard", "expert"},
    {PuzzleLevel::kExpert, "expert", nullptr},
    {PuzzleLevel::kExtreme, "extreme", nullptr},
};

double Millis(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

// Times per puzzle and the total, in milliseconds, and the generator's tries per puzzle.
struct Timings {
    std::vector<double> millis;
    double total = 0;
    std::vector<int> tries;
};

Timings TimeGenerator(PuzzleLevel level, int count) {
    PuzzleGenerator generator(20261208);
    Timings timings;
    for (int i = 0; i < count; ++i) {
        Clock::time_point start = Clock::now();
        generator.Generate(level);
        timings.millis.push_back(Millis(Clock::now() - start));
        timings.total += timings.millis.back();
        timings.tries.push_back(generator.GetTries());
    }
    return timings;
}

// qqwing prints "Time: T milliseconds" after each puzzle with --timer.
bool TimeQqwing(const char* difficulty, int count, Timings& timings) {
    std::string command = "qqwing --generate " + std::to_string(count) + " --difficulty " + difficulty +
                          " --symmetry rotate180 --timer --one-line 2>/dev/null";
    Clock::time_point start = Clock::now();
    FILE* output = popen(command.c_str(), "r");
    if (output == nullptr) return false;
    for (double micros : ReadQqwingMicroseconds(output)) timings.millis.push_back(micros / 1e3);
    int status = pclose(output);
    timings.total = Millis(Clock::now() - start);
    return status == 0 && timings.millis.size() == static_cast<size_t>(count);
}

void PrintRow(const char* level, const char* program, Timings timings, double ratio) {
    std::vector<double>& t = timings.millis;
    std::sort(t.begin(), t.end());
    std::printf("%-8s %-22s %6zu %10.3f %10.3f %12.1f", level, program, t.size(), t[t.size() / 2], t.back(),
                timings.total);
    std::vector<int>& tries = timings.tries;
    std::sort(tries.begin(), tries.end());
    if (!tries.empty()) std::printf(" %6d %6d", tries[tries.size() / 2], tries.back());
    if (ratio > 0) std::printf(" %*s %8.1f", tries.empty() ? 13 : 0, "", ratio);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    int count = 100;
    bool qqwing = true;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--count" && i + 1 < argc && std::atoi(argv[i + 1]) > 0) {
            count = std::atoi(argv[++i]);
        } else if (argument == "--no-qqwing") {
            qqwing = false;
        } else {
            std::fputs(kUsage, argument == "--help" ? stdout : stderr);
            return argument == "--help" ? 0 : 2;
        }
    }
    qqwing = qqwing && std::system("qqwing --version >/dev/null 2>&1") == 0;

    std::printf("%-8s %-22s %6s %10s %10s %12s %6s %6s %8s\n", "level", "program", "count", "median ms", "max ms",
                "total ms", "tries", "max", "times");
    for (const Level& level : kLevels) {
        Timings generated = TimeGenerator(level.level, count);
        PrintRow(level.name, "enneo", generated, 0);
        Timings qqwingTimings;
        if (!qqwing || level.qqwingDifficulty == nullptr) continue;
        std::string name = std::string("qqwing ") + level.qqwingDifficulty;
        if (TimeQqwing(level.qqwingDifficulty, count, qqwingTimings)) {
            PrintRow("", name.c_str(), qqwingTimings, qqwingTimings.total / generated.total);
        } else {
            std::printf("%-8s %s: its output could not be read\n", "", name.c_str());
        }
    }
    if (!qqwing) std::printf("qqwing is not installed: no figures for it\n");
    return 0;
}
