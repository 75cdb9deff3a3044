// enneo-rating-bench: times the rating of each puzzle of collections by the technique ladder.
#include "puzzle/PuzzleLine.h"
#include "puzzle/PuzzleRating.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: enneo-rating-bench [--max-puzzles N] [FILE...]\n"
    "Rates every puzzle of each FILE (one puzzle of 81 characters per line, other lines\n"
    "skipped; by default the hard puzzles of top95.txt and the easy and medium ones of\n"
    "bench/generated_easy_medium100.txt) by the technique ladder and prints, for each, the\n"
    "median and the maximum time per puzzle, each puzzle's time the best of three runs,\n"
    "and how many puzzles fall into each level.\n";

using Clock = std::chrono::steady_clock;

// Rates the puzzles of the file and prints its figures; false when it holds none.
bool BenchCollection(const std::string& path, size_t maxPuzzles) {
    std::vector<std::string> puzzles;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line) && puzzles.size() < maxPuzzles;) {
        if (line.size() >= 81 && IsPuzzleLine(line.substr(0, 81))) puzzles.push_back(line.substr(0, 81));
    }
    if (puzzles.empty()) {
        std::fprintf(stderr, "enneo-rating-bench: no puzzle in %s\n", path.c_str());
        return false;
    }
    std::vector<double> micros;
    int levels[PuzzleRating::kExtreme + 1] = {};
    int beyond = 0;
    for (const std::string& line : puzzles) {
        EnneoPuzzle puzzle = ReadPuzzleLine(line);
        double best = 0;
        for (int run = 0; run < 3; ++run) {
            Clock::time_point start = Clock::now();
            PuzzleRating rating(puzzle);
            double took = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
            best = run == 0 ? took : std::min(best, took);
            if (run == 0) {
                ++levels[rating.GetLevel()];
                beyond += rating.IsComplete() ? 0 : 1;
            }
        }
        micros.push_back(best);
    }
    std::sort(micros.begin(), micros.end());
    std::printf("%s: %zu puzzles, rating time per puzzle: median %.0f us, maximum %.0f us\n", path.c_str(),
                micros.size(), micros[micros.size() / 2], micros.back());
    for (int level = PuzzleRating::kEasy; level <= PuzzleRating::kExtreme; ++level) {
        std::printf("  %-8s %d\n", PuzzleRating::LevelName(static_cast<PuzzleRating::Level>(level)), levels[level]);
    }
    std::printf("  of which beyond the ladder: %d\n", beyond);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> paths;
    size_t maxPuzzles = static_cast<size_t>(-1);
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--max-puzzles" && i + 1 < argc) {
            maxPuzzles = std::strtoul(argv[++i], nullptr, 10);
        } else if (argument.empty() || argument[0] == '-') {
            std::fputs(kUsage, argument == "--help" ? stdout : stderr);
            return argument == "--help" ? 0 : 2;
        } else {
            paths.push_back(argument);
        }
    }
    if (paths.empty()) paths = {std::string(ENNEO_BENCH_DIR) + "/top95.txt", ENNEO_EASY_MEDIUM_LIST};
    bool allRead = true;
    for (const std::string& path : paths) allRead = BenchCollection(path, maxPuzzles) && allRead;
    return allRead ? 0 : 2;
}
