// SolveTool: the enneo-solve command, solving puzzles from files or standard input.
#pragma once

#include "PuzzleCommand.h"

// Solves each puzzle of the command's inputs and writes the result, as a grid or, with
// --line, as one line. Exit status kSomeNotDone when a puzzle stayed unsolved.
class SolveTool : public PuzzleCommand {
public:
    SolveTool(std::FILE* in, std::FILE* out, std::FILE* err);

private:
    bool TakeOption(const std::wstring& option) override;
    std::string CheckOptions() const override;
    // Solves the puzzle in place and appends what the command prints for it.
    bool Report(EnneoPuzzle& puzzle, std::string& results) override;

    bool lineOutput_ = false;
    bool listSteps_ = false;
};
