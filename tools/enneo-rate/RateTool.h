// RateTool: the enneo-rate command, rating puzzles from files or standard input.
#pragma once

#include "puzzle/PuzzleRating.h"

#include <iosfwd>
#include <string>
#include <vector>

// Runs one command line: reads each named file (standard input when none is named), rates
// each puzzle in it by the technique ladder (PuzzleRating) and writes one line per
// puzzle, with its steps when asked. Output goes to out, messages to err.
class RateTool {
public:
    // Exit statuses, as enneo-solve's.
    static const int kAllRated = 0;
    static const int kSomeBeyondLadder = 1;
    static const int kBadUsageOrInput = 2;

    RateTool(std::istream& in, std::ostream& out, std::ostream& err) : in_(in), out_(out), err_(err) {}

    // arguments without the program name; file names are wide text.
    int Run(const std::vector<std::wstring>& arguments);

private:
    void RateInput(const std::wstring& name, std::string bytes);
    // Appends what the command prints for the puzzle.
    void Report(const EnneoPuzzle& puzzle, std::string& results);
    void Fail(const std::string& message);

    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    bool listSteps_ = false;
    bool inputError_ = false;
    bool beyondLadder_ = false;
};
