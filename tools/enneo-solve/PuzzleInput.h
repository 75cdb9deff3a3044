// PuzzleInput: the puzzles held by one input of enneo-solve.
#pragma once

#include "puzzle/EnneoPuzzle.h"

#include <cstddef>
#include <string>
#include <vector>

// Splits the bytes of one file into puzzles. A file whose first non-empty line holds
// exactly 81 cell characters ('1'-'9' a given, '.' or '0' an empty cell) is a list with
// one puzzle per line; any other file is one puzzle in the program's own text format.
// Each puzzle is made when it is asked for: a list of thousands would otherwise take
// kilobytes of fresh memory a puzzle, which costs more than solving it.
class PuzzleInput {
public:
    // A line of a list that is not a puzzle; it is skipped.
    struct BadLine {
        int number;  // counted from 1
        std::string text;
    };

    explicit PuzzleInput(const std::string& bytes);

    size_t GetPuzzleCount() const { return texts_.size(); }
    EnneoPuzzle GetPuzzle(size_t index) const;  // index below GetPuzzleCount()
    const std::vector<BadLine>& GetBadLines() const { return badLines_; }

private:
    bool list_ = false;
    std::vector<std::string> texts_;  // the puzzle lines of a list, or the one file's bytes
    std::vector<BadLine> badLines_;
};
