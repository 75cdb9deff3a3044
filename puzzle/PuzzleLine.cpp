// PuzzleLine: a puzzle as one line of 81 characters, the common exchange form.
#include "PuzzleLine.h"

#include <cassert>

bool IsPuzzleLine(const std::string& line) {
    if (line.size() != 81) return false;
    for (char c : line) {
        if (!(c == '.' || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

// The line is rewritten as nine rows of the text format and read by the file reader.
EnneoPuzzle ReadPuzzleLine(const std::string& line) {
    assert(IsPuzzleLine(line));
    std::string rows;
    rows.reserve(99);
    for (int row = 0; row < 9; ++row) {
        rows.append(line, row * 9, 9);
        rows += "\r\n";
    }
    for (char& c : rows) {
        if (c == '0') c = '.';  // the format ignores '0' instead of emptying a cell
    }
    EnneoPuzzle puzzle;
    puzzle.LoadFromBytes(rows.data(), rows.size());
    return puzzle;
}

std::string ToPuzzleLine(const EnneoPuzzle& puzzle) {
    std::string line;
    line.reserve(81);
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            int digit = puzzle.GetCell(x, y);
            line += digit == 0 ? '.' : static_cast<char>('0' + digit);
        }
    }
    return line;
}
