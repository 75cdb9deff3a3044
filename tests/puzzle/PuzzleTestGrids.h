// Grids shared by the puzzle tests.
#pragma once

#include "puzzle/EnneoPuzzle.h"
#include "puzzle/PuzzleLine.h"

#include <initializer_list>
#include <string>

// The sample puzzle that the board shows at start (EnneoPuzzle::kSampleText) as a line.
inline const char kSampleLine[] =
    ".973.5.4." ".....6..." "..298...." "...6....5" ".28.....3"
    "64.7...8." ".....3867" "........." "7.5.....4";

// A complete, valid grid: each row is the previous one shifted by three, each band by one.
inline int PatternDigit(int x, int y) { return ((y - 1) * 3 + (y - 1) / 3 + (x - 1)) % 9 + 1; }

// A puzzle from 81 characters in reading order, '1'-'9' a given and '.' an empty cell.
inline EnneoPuzzle PuzzleFromLine(const std::string& line) {
    EnneoPuzzle puzzle;
    for (int i = 0; i < 81; ++i) {
        if (line[i] != '.') puzzle.SetCell(i % 9 + 1, i / 9 + 1, line[i] - '0', EnneoPuzzle::CELL_KNOWN);
    }
    return puzzle;
}

// A digit at column x, row y.
struct PlacedDigit {
    int x;
    int y;
    int digit;
};

// A puzzle of the given digits and nothing else, read as a puzzle line: unchecked, so
// that digits may repeat.
inline EnneoPuzzle PuzzleOf(std::initializer_list<PlacedDigit> digits) {
    std::string line(81, '.');
    for (const PlacedDigit& d : digits) line[(d.y - 1) * 9 + d.x - 1] = static_cast<char>('0' + d.digit);
    return ReadPuzzleLine(line);
}

// True when every row, column and block of a complete grid holds each digit once.
inline bool IsValidComplete(const EnneoPuzzle& puzzle) {
    for (int unit = 0; unit < 9; ++unit) {
        int row = 0, column = 0, block = 0;
        for (int i = 0; i < 9; ++i) {
            row |= 1 << puzzle.GetCell(i + 1, unit + 1);
            column |= 1 << puzzle.GetCell(unit + 1, i + 1);
            block |= 1 << puzzle.GetCell(unit % 3 * 3 + i % 3 + 1, unit / 3 * 3 + i / 3 + 1);
        }
        if (row != 0x3FE || column != 0x3FE || block != 0x3FE) return false;
    }
    return true;
}
