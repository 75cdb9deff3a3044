// RateTool: the enneo-rate command, rating puzzles from files or standard input.
#pragma once

#include "tools/enneo-solve/PuzzleCommand.h"

// Rates each puzzle of the command's inputs by the technique ladder (PuzzleRating) and
// writes one line per puzzle, with its steps when asked. Exit status kSomeNotDone when
// the ladder ran out on a puzzle.
class RateTool : public PuzzleCommand {
public:
    RateTool(std::FILE* in, std::FILE* out, std::FILE* err);

private:
    bool TakeOption(const std::wstring& option) override;
    // Appends what the command prints for the puzzle, which stays as it is.
    bool Report(EnneoPuzzle& puzzle, std::string& results) override;

    bool listSteps_ = false;
};
