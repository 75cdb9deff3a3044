// PuzzleLine: a puzzle as one line of 81 characters, the common exchange form.
#include "PuzzleLine.h"

#include <cassert>

bool IsPuzzleLine(std::string_view line) {
    if (line.size() != 81) return false;
    bool cells = true;  // one test a line rather than a guessed branch a character
    for (char c : line) cells &= c == '.' || static_cast<unsigned char>(c - '0') <= 9;
    return cells;
}

// The line is rewritten as nine rows of the text format and read by the file reader.
EnneoPuzzle ReadPuzzleLine(std::string_view line) {
    assert(IsPuzzleLine(line));
    char rows[9 * 11];
    char* out = rows;
    for (int row = 0; row < 9; ++row) {
        for (int column = 0; column < 9; ++column) {
            char c = line[row * 9 + column];
            *out++ = c == '0' ? '.' : c;  // the format ignores '0' instead of emptying a cell
        }
        *out++ = '\r';
        *out++ = '\n';
    }
    EnneoPuzzle puzzle;
    puzzle.LoadFromBytes(rows, sizeof rows);
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
