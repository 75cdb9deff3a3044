// GenerateTool: the enneo-generate command, printing new puzzles one per line.
#pragma once

#include "puzzle/PuzzleGenerator.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// Runs one command line: reads the level, count and seed, and writes count puzzles of
// the seed's sequence, one per line in 81 characters. Output goes to out, messages to err.
class GenerateTool {
public:
    // Exit statuses.
    static const int kDone = 0;
    static const int kBadUsage = 2;
    // The largest --count: at a few milliseconds a puzzle, minutes of work.
    static const long kMaxCount = 100000;

    GenerateTool(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // arguments without the program name.
    int Run(const std::vector<std::string>& arguments);

private:
    // Reads the value of --level, --count or --seed into the tool's settings; what is
    // wrong with the value, or empty when it is good.
    std::string TakeOption(const std::string& option, const std::string& value);
    int Fail(const std::string& message);

    std::ostream& out_;
    std::ostream& err_;
    PuzzleLevel level_ = PuzzleLevel::kMedium;
    long count_ = 1;
    uint64_t seed_ = 0;
    bool seeded_ = false;
};
