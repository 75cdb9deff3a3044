// PuzzleLine: a puzzle as one line of 81 characters, the common exchange form.
#pragma once

#include "EnneoPuzzle.h"

#include <string>
#include <string_view>

// The cells in reading order, row by row: '1'-'9' a digit, '.' (or '0' when reading) an
// empty cell.

// True when the line holds exactly 81 such characters.
bool IsPuzzleLine(std::string_view line);
// The line's digits as givens, stored unchecked as the puzzle file reader stores them;
// the line must be a puzzle line.
EnneoPuzzle ReadPuzzleLine(std::string_view line);
// The grid's digits, '.' for an empty cell.
std::string ToPuzzleLine(const EnneoPuzzle& puzzle);
