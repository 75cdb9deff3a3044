// SolveTool: the enneo-solve command, solving puzzles from files or standard input.
#include "SolveTool.h"

#include "PuzzleInput.h"
#include "common/FilePath.h"
#include "common/TextConversion.h"
#include "puzzle/PuzzleLine.h"

#include <fstream>
#include <istream>
#include <iterator>
#include <ostream>
#include <sstream>

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

// The placement a successful step made: the one cell that was empty before it.
std::string Placement(const EnneoPuzzle& before, const EnneoPuzzle& after) {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (before.GetCell(x, y) == 0 && after.GetCell(x, y) != 0) {
                std::ostringstream text;
                text << x << ',' << y << '=' << after.GetCell(x, y);
                return text.str();
            }
        }
    }
    return std::string();
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
        if (ReadInput(name, bytes)) SolveInput(name, bytes);
    }
    if (inputError_) return kBadUsageOrInput;
    return unsolved_ ? kSomeUnsolved : kAllSolved;
}

bool SolveTool::ReadInput(const std::wstring& name, std::string& bytes) {
    if (name == L"-") {
        bytes.assign(std::istreambuf_iterator<char>(in_), std::istreambuf_iterator<char>());
        return true;
    }
    std::filesystem::path path = ToFilePath(name.c_str());
    std::error_code ignored;
    std::ifstream file(path, std::ios::binary);
    if (!file || std::filesystem::is_directory(path, ignored)) {
        Fail(Narrow(name) + ": cannot be read");
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
        Fail(Narrow(name) + ": cannot be read");
        return false;
    }
    return true;
}

void SolveTool::SolveInput(const std::wstring& name, const std::string& bytes) {
    std::string shownName = name == L"-" ? "standard input" : Narrow(name);
    PuzzleInput input(bytes);
    if (input.GetPuzzles().empty() && input.GetBadLines().empty()) {
        Fail(shownName + ": no puzzle in it");
        return;
    }
    for (const PuzzleInput::BadLine& line : input.GetBadLines()) {
        Fail(shownName + ":" + std::to_string(line.number) + ": not a puzzle of 81 cells, skipped");
    }
    for (const EnneoPuzzle& puzzle : input.GetPuzzles()) SolveAndReport(puzzle);
}

void SolveTool::SolveAndReport(EnneoPuzzle puzzle) {
    int steps = 0;
    std::string placements;
    for (;;) {
        EnneoPuzzle before = puzzle;
        if (!puzzle.SolveOne()) break;
        ++steps;
        if (listSteps_) placements += ' ' + Placement(before, puzzle);
    }
    bool solved = puzzle.IsSolved();
    unsolved_ = unsolved_ || !solved;
    if (lineOutput_) {
        out_ << ToPuzzleLine(puzzle) << (solved ? " solved" : " unsolved") << placements << '\n';
    } else {
        out_ << PrintedGrid(puzzle);
        if (solved) {
            out_ << "solved in " << steps << " steps\n";
        } else {
            out_ << "not solved: " << steps << " steps, " << CountEmpty(puzzle) << " cells empty\n";
        }
    }
}

void SolveTool::Fail(const std::string& message) {
    err_ << "enneo-solve: " << message << '\n';
    inputError_ = true;
}
