// PuzzleLine: a puzzle as one line of 81 characters, the common exchange form.
#include "PuzzleLine.h"

#include <cassert>

bool IsPuzzleLine(std::string_view line) {
    if (line.size() != 81) return false;
    bool cells = true;  // one test a line rather than a guessed branch a character
    for (char c : line) cells &= c == '.' || static_cast<unsigned char>(c - '0') <= 9;
    return cells;
}

// Each cell as the puzzle file reader stores it: a digit as given, '.' or '0' empty.
EnneoPuzzle ReadPuzzleLine(std::string_view line) {
    assert(IsPuzzleLine(line));
    EnneoPuzzle puzzle;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            char c = line[(y - 1) * 9 + x - 1];
            int digit = c == '.' ? 0 : c - '0';
            puzzle.RestoreCell(x, y, digit, digit == 0 ? EnneoPuzzle::CELL_EMPTY : EnneoPuzzle::CELL_KNOWN);
        }
    }
    return puzzle;
}

std::string ToPuzzleLine(const EnneoPuzzle& puzzle) {
    std::string line(81, '.');
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            int digit = puzzle.GetCell(x, y);
            if (digit != 0) line[(y - 1) * 9 + x - 1] = static_cast<char>('0' + digit);
        }
    }
    return line;
}
