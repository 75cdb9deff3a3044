// SolveTool: the enneo-solve command, solving puzzles from files or standard input.
#pragma once

#include "puzzle/EnneoPuzzle.h"

#include <iosfwd>
#include <string>
#include <vector>

// Runs one command line: reads each named file (standard input when none is named),
// solves each puzzle in it and writes the results. Output goes to out, messages to err.
class SolveTool {
public:
    // Exit statuses.
    static const int kAllSolved = 0;
    static const int kSomeUnsolved = 1;
    static const int kBadUsageOrInput = 2;

    SolveTool(std::istream& in, std::ostream& out, std::ostream& err) : in_(in), out_(out), err_(err) {}

    // arguments without the program name; file names are wide text.
    int Run(const std::vector<std::wstring>& arguments);

private:
    bool ReadInput(const std::wstring& name, std::string& bytes);
    void SolveInput(const std::wstring& name, std::string bytes);
    // Solves the puzzle in place and appends what the command prints for it.
    void SolveAndReport(EnneoPuzzle& puzzle, std::string& results);
    void Fail(const std::string& message);

    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    bool lineOutput_ = false;
    bool listSteps_ = false;
    bool inputError_ = false;
    bool unsolved_ = false;
};
