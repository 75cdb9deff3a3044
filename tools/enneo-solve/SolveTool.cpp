// SolveTool: the enneo-solve command, solving puzzles from files or standard input.
#include "SolveTool.h"

#include "puzzle/PuzzleLine.h"

#include <string>

namespace {

const char kUsage[] =
    "usage: enneo-solve [--line] [--steps] [FILE...]\n"
    "Solves each puzzle of each FILE, or of standard input when no FILE is named.\n"
    "A file is a puzzle in the program's text format, or a list of puzzles one per\n"
    "line in 81 characters ('1'-'9' a given, '.' or '0' an empty cell).\n"
    "  --line   one line per puzzle: the result in 81 characters ('.' for an empty\n"
    "           cell), then 'solved' or 'unsolved'\n"
    "  --steps  with --line: then each placement of the solve as x,y=d (column,\n"
    "           row, digit)\n"
    "  --help   this text\n"
    "Exit status: 0 when every puzzle was solved, 1 when one was not, 2 on a usage\n"
    "or input error (a missing file, a line of a list that is not a puzzle).\n";

int CountEmpty(const EnneoPuzzle& puzzle) {
    int empty = 0;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) empty += puzzle.GetCell(x, y) == 0 ? 1 : 0;
    }
    return empty;
}

// The printed grid with the platform's line ends instead of CR LF.
std::string PrintedGrid(EnneoPuzzle& puzzle) {
    std::string grid;
    for (const wchar_t* p = puzzle.Print(); *p != 0; ++p) {
        if (*p != L'\r') grid += static_cast<char>(*p);
    }
    return grid;
}

}  // namespace

SolveTool::SolveTool(std::FILE* in, std::FILE* out, std::FILE* err)
    : PuzzleCommand("enneo-solve", kUsage, in, out, err) {}

bool SolveTool::TakeOption(const std::wstring& option) {
    if (option == L"--line") {
        lineOutput_ = true;
    } else if (option == L"--steps") {
        listSteps_ = true;
    } else {
        return false;
    }
    return true;
}

std::string SolveTool::CheckOptions() const {
    return listSteps_ && !lineOutput_ ? "--steps needs --line" : std::string();
}

// One solve, as EnneoPuzzle::Solve takes it, so that the tool ends where the program does.
// A line without steps needs no word of each placement, and Solve is faster without.
bool SolveTool::Report(EnneoPuzzle& puzzle, std::string& results) {
    int steps = 0;
    std::string placements;
    auto listen = [this, &steps, &placements](int x, int y, int digit) {
        ++steps;
        if (listSteps_) {
            const char placement[] = {' ', static_cast<char>('0' + x), ',', static_cast<char>('0' + y), '=',
                                      static_cast<char>('0' + digit)};
            placements.append(placement, sizeof placement);
        }
    };
    if (lineOutput_ && !listSteps_) {
        puzzle.Solve();
    } else {
        puzzle.Solve(listen);
    }
    bool solved = puzzle.IsSolved();
    if (lineOutput_) {
        results += ToPuzzleLine(puzzle);
        results += solved ? " solved" : " unsolved";
        results += placements;
        results += '\n';
    } else {
        results += PrintedGrid(puzzle);
        results += solved ? "solved in " + std::to_string(steps) + " steps\n"
                          : "not solved: " + std::to_string(steps) + " steps, " +
                                std::to_string(CountEmpty(puzzle)) + " cells empty\n";
    }
    return solved;
}
