// enneo-bench: times the solver, the plain reference solver and qqwing on puzzle collections.
#include "QqwingTimes.h"

#include "puzzle/Coach.h"
#include "puzzle/EnneoPuzzle.h"
#include "tests/puzzle/PuzzleTestGrids.h"
#include "tests/puzzle/RandomGrids.h"
#include "tests/puzzle/ReferenceSolver.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

const char kUsage[] =
    "usage: enneo-bench [--reference-limit SECONDS] [--max-puzzles N] [--no-qqwing] [--processes-only] [DIR]\n"
    "Times enneo-solve --line and qqwing --solve --one-line as whole processes on each\n"
    "DIR/*.txt (one puzzle of 81 characters per line): the medians of 11 paired runs and of\n"
    "their ratios, with the machine's load before and after. Then solves every puzzle of\n"
    "each collection and of a generated one (the empty grid, grids with 8 to 16 givens)\n"
    "with the solver, the plain reference solver (given up after SECONDS per puzzle,\n"
    "default 1) and qqwing --solve when it is installed, and prints the median, 99th\n"
    "percentile, maximum and total time per puzzle of each. The solver's time per puzzle is\n"
    "the best of three runs; qqwing's is its own --timer figure. The coach's row times its\n"
    "look at each puzzle as Hint and Check take it, best of three.\n"
    "--processes-only: only the whole processes.\n"
    "Exit status 1 when the solver leaves a puzzle unsolved.\n";

using Clock = std::chrono::steady_clock;

struct Collection {
    std::string name;
    std::vector<std::string> puzzles;
};

// Times per puzzle in microseconds, and how many were cut off at a limit.
struct Timings {
    std::vector<double> micros;
    int overLimit = 0;
};

double Micros(Clock::duration duration) {
    return std::chrono::duration<double, std::micro>(duration).count();
}

Collection ReadCollection(const std::filesystem::path& path, size_t maxPuzzles) {
    Collection collection{path.filename().string(), {}};
    std::ifstream file(path);
    for (std::string line; std::getline(file, line) && collection.puzzles.size() < maxPuzzles;) {
        if (line.size() >= 81) collection.puzzles.push_back(line.substr(0, 81));
    }
    return collection;
}

// The empty grid and grids with 8 to 16 givens of random complete grids; the same
// ones on every run.
Collection GeneratedCollection(size_t maxPuzzles) {
    Collection collection{"generated (empty, 8-16 givens)", {std::string(81, '.')}};
    std::mt19937 random(20261208);
    while (collection.puzzles.size() < std::min<size_t>(maxPuzzles, 46)) {
        int givens = 8 + static_cast<int>(collection.puzzles.size() % 9);
        collection.puzzles.push_back(KeepGivens(RandomSolvedGrid(random), givens, random));
    }
    return collection;
}

Timings TimeSolver(const Collection& collection, int& unsolved) {
    Timings timings;
    for (const std::string& line : collection.puzzles) {
        EnneoPuzzle puzzle = PuzzleFromLine(line);
        double best = 0;
        for (int run = 0; run < 3; ++run) {
            EnneoPuzzle copy = puzzle;
            Clock::time_point start = Clock::now();
            copy.Solve();
            double micros = Micros(Clock::now() - start);
            best = run == 0 ? micros : std::min(best, micros);
            if (run == 0 && !(copy.IsSolved() && IsValidComplete(copy))) {
                std::printf("not solved: %s\n", line.c_str());
                ++unsolved;
            }
        }
        timings.micros.push_back(best);
    }
    return timings;
}

// The verdict, the next step and the level of each puzzle, as Hint and Check take them;
// the best of three runs.
Timings TimeCoach(const Collection& collection) {
    Timings timings;
    for (const std::string& line : collection.puzzles) {
        EnneoPuzzle puzzle = PuzzleFromLine(line);
        double best = 1e300;
        for (int run = 0; run < 3; ++run) {
            Clock::time_point start = Clock::now();
            Coach(puzzle).GetLevel();
            best = std::min(best, Micros(Clock::now() - start));
        }
        timings.micros.push_back(best);
    }
    return timings;
}

Timings TimeReference(const Collection& collection, double limitSeconds) {
    Timings timings;
    auto limit = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(limitSeconds));
    for (const std::string& line : collection.puzzles) {
        EnneoPuzzle puzzle = PuzzleFromLine(line);
        Clock::time_point start = Clock::now();
        ReferenceSolver solver(ReferenceSolver::kNoStepLimit, limit);
        solver.Solve(puzzle);
        double micros = Micros(Clock::now() - start);
        if (solver.GaveUp()) {
            ++timings.overLimit;
            micros = limitSeconds * 1e6;
        }
        timings.micros.push_back(micros);
    }
    return timings;
}

// The collection written to a temporary file, one puzzle a line, named after this process:
// benchmarks of other trees (their smoke tests) may run beside it.
std::filesystem::path WriteCollection(const Collection& collection) {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("enneo-bench-" + std::to_string(getpid()) + ".txt");
    std::ofstream file(path);
    for (const std::string& line : collection.puzzles) file << line << '\n';
    return path;
}

// One process as a user runs it: started directly, not through a shell, whose own start
// would be timed too, its output sent to /dev/null, and its input (if not empty) the
// named file. Its wall time in milliseconds, or -1 when it fails.
class TimedProcess {
public:
    TimedProcess(const char* program, std::vector<std::string> arguments, const std::string& input)
        : program_(program), arguments_(std::move(arguments)) {
        posix_spawn_file_actions_init(&files_);
        if (!input.empty()) posix_spawn_file_actions_addopen(&files_, 0, input.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&files_, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&files_, 2, "/dev/null", O_WRONLY, 0);
        argv_.push_back(const_cast<char*>(program_));
        for (std::string& argument : arguments_) argv_.push_back(argument.data());
        argv_.push_back(nullptr);
    }
    ~TimedProcess() { posix_spawn_file_actions_destroy(&files_); }
    TimedProcess(const TimedProcess&) = delete;
    TimedProcess& operator=(const TimedProcess&) = delete;

    double Run() {
        Clock::time_point start = Clock::now();
        pid_t child;
        int status = 0;
        if (posix_spawnp(&child, program_, &files_, nullptr, argv_.data(), environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            return -1;
        }
        return Micros(Clock::now() - start) / 1e3;
    }

private:
    const char* program_;
    std::vector<std::string> arguments_;
    std::vector<char*> argv_;
    posix_spawn_file_actions_t files_;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The load average over the last minute, or -1 when the system does not tell it.
double LoadAverage() {
    double load = -1;
    return getloadavg(&load, 1) == 1 ? load : -1;
}

// Both programs as a user runs them, start and input and output included, in pairs run
// one right after the other (which goes first alternates), so that a change in the
// machine's load meets both alike: the median of each and of the pairs' ratios. The
// load before and after says whether the machine was busy: beside other work (a load of
// 1 or more on this 2-core machine) the figures are not the program's own.
void CompareProcesses(const Collection& collection) {
    const int kPairs = 11;
    std::filesystem::path input = WriteCollection(collection);
    TimedProcess enneo(ENNEO_SOLVE_PATH, {"--line", input.string()}, "");
    TimedProcess qqwing("qqwing", {"--solve", "--one-line"}, input.string());
    double loadBefore = LoadAverage();
    std::vector<double> enneoMillis, qqwingMillis, ratios;
    for (int pair = 0; pair < kPairs; ++pair) {
        double enneoTime, qqwingTime;
        if (pair % 2 == 0) {
            enneoTime = enneo.Run();
            qqwingTime = qqwing.Run();
        } else {
            qqwingTime = qqwing.Run();
            enneoTime = enneo.Run();
        }
        if (enneoTime <= 0 || qqwingTime <= 0) break;
        enneoMillis.push_back(enneoTime);
        qqwingMillis.push_back(qqwingTime);
        ratios.push_back(qqwingTime / enneoTime);
    }
    double loadAfter = LoadAverage();
    std::filesystem::remove(input);
    std::printf("%-32s %6zu", collection.name.c_str(), collection.puzzles.size());
    if (ratios.size() < static_cast<size_t>(kPairs)) {
        std::printf("  a run failed: no figures\n");
        return;
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf(" %10.1f %10.1f %8.1f  %4.1f-%-4.1f %5.2f %5.2f%s\n", Median(enneoMillis), Median(qqwingMillis),
                Median(ratios), ratios[kPairs / 4], ratios[kPairs - 1 - kPairs / 4], loadBefore, loadAfter,
                std::max(loadBefore, loadAfter) >= 1 ? "  busy" : "");
}

// qqwing's own time per puzzle: it prints "Time: T milliseconds" after each solution.
bool TimeQqwing(const Collection& collection, Timings& timings) {
    std::filesystem::path input = WriteCollection(collection);
    std::string command = "qqwing --solve --timer --one-line < '" + input.string() + "' 2>/dev/null";
    FILE* output = popen(command.c_str(), "r");
    if (output == nullptr) return false;
    timings.micros = ReadQqwingMicroseconds(output);
    int status = pclose(output);
    std::filesystem::remove(input);
    return status == 0 && timings.micros.size() == collection.puzzles.size();
}

void PrintRow(const std::string& collection, const char* solver, Timings timings, double limitSeconds) {
    std::vector<double>& t = timings.micros;
    std::sort(t.begin(), t.end());
    double total = 0;
    for (double micros : t) total += micros;
    size_t n = t.size();
    auto at = [&t, n](double q) { return t[std::min(n - 1, static_cast<size_t>(q * (n - 1) + 0.5))]; };
    std::printf("%-32s %-10s %6zu %12.1f %12.1f %12.1f %14.1f", collection.c_str(), solver, n,
                at(0.5), at(0.99), t[n - 1], total);
    if (timings.overLimit > 0) {
        std::printf("  %d over the %g s limit, counted at it", timings.overLimit, limitSeconds);
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    double referenceLimit = 1.0;
    size_t maxPuzzles = static_cast<size_t>(-1);
    bool qqwing = true;
    bool processesOnly = false;
    std::string folder = ENNEO_BENCH_DIR;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--reference-limit" && i + 1 < argc) {
            referenceLimit = std::atof(argv[++i]);
        } else if (argument == "--max-puzzles" && i + 1 < argc) {
            maxPuzzles = static_cast<size_t>(std::atol(argv[++i]));
        } else if (argument == "--no-qqwing") {
            qqwing = false;
        } else if (argument == "--processes-only") {
            processesOnly = true;
        } else if (argument.empty() || argument[0] == '-') {
            std::fputs(kUsage, argument == "--help" ? stdout : stderr);
            return argument == "--help" ? 0 : 2;
        } else {
            folder = argument;
        }
    }
    qqwing = qqwing && std::system("qqwing --version >/dev/null 2>&1") == 0;

    std::vector<Collection> collections;
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".txt") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) collections.push_back(ReadCollection(file, maxPuzzles));
    collections.push_back(GeneratedCollection(maxPuzzles));

    // First, while the load average is still the machine's and not this program's own.
    if (!qqwing) {
        std::printf("qqwing is not installed: no figures for it\n");
    } else {
        std::printf("whole processes, enneo-solve --line FILE and qqwing --solve --one-line < FILE,\n"
                    "medians of 11 paired runs in alternating order; load: the load average before and after\n");
        std::printf("%-32s %6s %10s %10s %8s  %-9s %5s %5s\n", "collection", "count", "enneo ms", "qqwing ms",
                    "ratio", "quartiles", "load", "after");
        for (size_t i = 0; i < files.size(); ++i) {
            if (!collections[i].puzzles.empty()) CompareProcesses(collections[i]);
        }
    }
    int unsolved = 0;
    if (!processesOnly) {
        std::printf("\n%-32s %-10s %6s %12s %12s %12s %14s\n", "collection", "solver", "count", "median us",
                    "p99 us", "max us", "total us");
        for (const Collection& collection : collections) {
            if (collection.puzzles.empty()) continue;
            PrintRow(collection.name, "enneo", TimeSolver(collection, unsolved), 0);
            PrintRow("", "coach", TimeCoach(collection), 0);
            PrintRow("", "reference", TimeReference(collection, referenceLimit), referenceLimit);
            Timings qqwingTimings;
            if (!qqwing) continue;
            if (TimeQqwing(collection, qqwingTimings)) {
                PrintRow("", "qqwing", qqwingTimings, 0);
            } else {
                std::printf("%-32s qqwing: its output could not be read\n", "");
            }
        }
    }
    return unsolved == 0 ? 0 : 1;
}
