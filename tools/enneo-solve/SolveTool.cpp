// SolveTool: the enneo-solve command, solving puzzles from files or standard input.
#include "SolveTool.h"

#include "PuzzleInput.h"
#include "common/TextConversion.h"
#include "puzzle/PuzzleLine.h"

#include <ostream>
#include <utility>

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

std::string Narrow(const std::wstring& text) { return WideToUtf8(text.data(), text.size()); }

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

int SolveTool::Run(const std::vector<std::wstring>& arguments) {
    std::vector<std::wstring> files;
    for (const std::wstring& argument : arguments) {
        if (argument == L"--help") {
            out_ << kUsage;
            return kAllSolved;
        } else if (argument == L"--line") {
            lineOutput_ = true;
        } else if (argument == L"--steps") {
            listSteps_ = true;
        } else if (argument.size() > 1 && argument[0] == L'-') {
            err_ << "enneo-solve: unknown option " << Narrow(argument) << " (try --help)\n";
            return kBadUsageOrInput;
        } else {
            files.push_back(argument);
        }
    }
    if (listSteps_ && !lineOutput_) {
        err_ << "enneo-solve: --steps needs --line (try --help)\n";
        return kBadUsageOrInput;
    }
    if (files.empty()) files.push_back(L"-");
    for (const std::wstring& name : files) {
        std::string bytes;
        if (ReadInput(name, bytes)) SolveInput(name, std::move(bytes));
    }
    if (inputError_) return kBadUsageOrInput;
    return unsolved_ ? kSomeUnsolved : kAllSolved;
}

bool SolveTool::ReadInput(const std::wstring& name, std::string& bytes) {
    if (PuzzleInput::Read(name, in_, bytes)) return true;
    Fail(Narrow(name) + ": cannot be read");
    return false;
}

void SolveTool::SolveInput(const std::wstring& name, std::string bytes) {
    std::string shownName = name == L"-" ? "standard input" : Narrow(name);
    PuzzleInput input(std::move(bytes));
    if (input.GetPuzzleCount() == 0 && input.GetBadLines().empty()) {
        Fail(shownName + ": no puzzle in it");
        return;
    }
    for (const PuzzleInput::BadLine& line : input.GetBadLines()) {
        Fail(shownName + ":" + std::to_string(line.number) + ": not a puzzle of 81 cells, skipped");
    }
    // Written in blocks: a write per puzzle costs more than its solve, and one write of
    // all would hold the whole output in fresh memory.
    const size_t kOutputBlock = 1 << 14;
    std::string results;
    results.reserve(2 * kOutputBlock);  // a block and the longest report of one puzzle
    for (size_t i = 0; i < input.GetPuzzleCount(); ++i) {
        EnneoPuzzle puzzle = input.GetPuzzle(i);
        SolveAndReport(puzzle, results);
        if (results.size() >= kOutputBlock || i + 1 == input.GetPuzzleCount()) {
            out_.write(results.data(), static_cast<std::streamsize>(results.size()));
            results.clear();
        }
    }
}

// One solve, as EnneoPuzzle::Solve takes it, so that the tool ends where the program does.
// A line without steps needs no word of each placement, and Solve is faster without.
void SolveTool::SolveAndReport(EnneoPuzzle& puzzle, std::string& results) {
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
    unsolved_ = unsolved_ || !solved;
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
}

void SolveTool::Fail(const std::string& message) {
    err_ << "enneo-solve: " << message << '\n';
    inputError_ = true;
}
