// PuzzleInput: the puzzles held by one input of the console tools (enneo-solve, enneo-rate).
#pragma once

#include "puzzle/EnneoPuzzle.h"

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Splits the bytes of one file into puzzles. A file whose first non-empty line holds
// exactly 81 cell characters ('1'-'9' a given, '.' or '0' an empty cell) is a list with
// one puzzle per line; any other file is one puzzle in the program's own text format.
// The bytes are kept as they came and each puzzle is made when it is asked for: a list
// of thousands would otherwise take fresh memory for every line and every puzzle, and
// the process's first touch of a page costs more than many a solve.
class PuzzleInput {
public:
    // A line of a list that is not a puzzle; it is skipped.
    struct BadLine {
        int number;  // counted from 1
    };

    explicit PuzzleInput(std::string bytes);
    // The bytes of the input named name, appended to bytes: the file (a wide name, which
    // outside Windows stands for its UTF-8 bytes), or what is left of in for "-". False
    // when it cannot be read.
    static bool Read(const std::wstring& name, std::FILE* in, std::string& bytes);
    // The puzzles point into the bytes held here.
    PuzzleInput(const PuzzleInput&) = delete;
    PuzzleInput& operator=(const PuzzleInput&) = delete;

    size_t GetPuzzleCount() const { return puzzles_.size(); }
    EnneoPuzzle GetPuzzle(size_t index) const;  // index below GetPuzzleCount()
    const std::vector<BadLine>& GetBadLines() const { return badLines_; }

private:
    std::string bytes_;
    bool list_ = false;
    std::vector<std::string_view> puzzles_;  // the puzzle lines of a list, or the whole file
    std::vector<BadLine> badLines_;
};
