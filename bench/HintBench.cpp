// enneo-hint-bench: times Hint on each board of a game that follows the hints to the end.
#include "puzzle/Coach.h"
#include "puzzle/Game.h"
#include "puzzle/PuzzleLine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: enneo-hint-bench [--max-puzzles N] FILE\n"
    "Plays every puzzle of FILE (one puzzle of 81 characters per line) by making each hint's\n"
    "step, as a player pressing Hint three times would, and prints the median and the maximum\n"
    "time of one hint (the coach's look at the board and the player's marks), and the puzzle\n"
    "of the slowest.\n";

using Clock = std::chrono::steady_clock;

}  // namespace

int main(int argc, char** argv) {
    std::string path;
    size_t maxPuzzles = static_cast<size_t>(-1);
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--max-puzzles" && i + 1 < argc) {
            maxPuzzles = std::strtoul(argv[++i], nullptr, 10);
        } else if (argument.empty() || argument[0] == '-' || !path.empty()) {
            std::fputs(kUsage, argument == "--help" ? stdout : stderr);
            return argument == "--help" ? 0 : 2;
        } else {
            path = argument;
        }
    }
    std::vector<std::string> puzzles;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line) && puzzles.size() < maxPuzzles;) {
        if (line.size() >= 81 && IsPuzzleLine(line.substr(0, 81))) puzzles.push_back(line.substr(0, 81));
    }
    if (puzzles.empty()) {
        std::fprintf(stderr, "enneo-hint-bench: no puzzle in %s\n", path.empty() ? "(none named)" : path.c_str());
        return 2;
    }
    std::vector<double> millis;
    double slowest = 0;
    std::string slowestPuzzle;
    for (const std::string& line : puzzles) {
        Game game(ReadPuzzleLine(line));
        while (!game.GetState().puzzle.IsSolved()) {
            Clock::time_point start = Clock::now();
            std::optional<Hint> hint = Coach(game.GetState().puzzle).GetHint(game.GetState());
            double took = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            millis.push_back(took);
            if (took > slowest) {
                slowest = took;
                slowestPuzzle = line;
            }
            if (!hint || hint->kind == Hint::kMistake || hint->kind == Hint::kMissingMark) break;
            if (hint->kind == Hint::kTechnique) {
                game.Apply(*hint->step);
            } else {
                game.SelectCell(hint->cell.x, hint->cell.y);
                game.EnterDigit(hint->digit);
            }
        }
    }
    std::sort(millis.begin(), millis.end());
    std::printf("%s: %zu puzzles, %zu hints, time per hint: median %.2f ms, maximum %.2f ms\n  slowest on %s\n",
                path.c_str(), puzzles.size(), millis.size(), millis[millis.size() / 2], millis.back(),
                slowestPuzzle.c_str());
    return 0;
}
