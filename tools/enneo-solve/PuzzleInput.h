// PuzzleInput: the puzzles held by one input of enneo-solve.
#pragma once

#include "puzzle/EnneoPuzzle.h"

#include <string>
#include <vector>

// Splits the bytes of one file into puzzles. A file whose first non-empty line holds
// exactly 81 cell characters ('1'-'9' a given, '.' or '0' an empty cell) is a list with
// one puzzle per line; any other file is one puzzle in the program's own text format.
class PuzzleInput {
public:
    // A line of a list that is not a puzzle; it is skipped.
    struct BadLine {
        int number;  // counted from 1
        std::string text;
    };

    explicit PuzzleInput(const std::string& bytes);

    const std::vector<EnneoPuzzle>& GetPuzzles() const { return puzzles_; }
    const std::vector<BadLine>& GetBadLines() const { return badLines_; }

private:
    std::vector<EnneoPuzzle> puzzles_;
    std::vector<BadLine> badLines_;
};
