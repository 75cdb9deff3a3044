// GameState: what one moment of a game holds; what undo and redo step between.
#pragma once

#include "EnneoPuzzle.h"
#include "PencilMarks.h"

#include <cstdint>

// The puzzle as the player sees it at one moment: every cell's digit and state, the
// pencil marks, and the selected cell. A fixed-size value; the history keeps only what
// each step changed (see GameStep).
struct GameState {
    // What one cell shows: its digit (0 when empty), its EnneoPuzzle::CellState and its
    // pencil marks (bit d-1 for digit d; only an empty cell has any). A few bytes.
    struct CellContent {
        uint8_t digit = 0;
        uint8_t state = EnneoPuzzle::CELL_EMPTY;
        uint16_t marks = 0;

        bool operator==(const CellContent& other) const {
            return digit == other.digit && state == other.state && marks == other.marks;
        }
        bool operator!=(const CellContent& other) const { return !(*this == other); }
    };

    EnneoPuzzle puzzle;
    PencilMarks marks;

    CellContent GetContent(int x, int y) const;
    // Puts content into the cell as it is, without the validity rule: for contents the
    // cell held before, or ones the caller has checked.
    void PutContent(int x, int y, const CellContent& content);
    // Clears the marks that the digits placed since before answer: each newly filled
    // cell's own, and its digit in the cells of its row, column and block.
    void ClearMarksOfNewDigits(const EnneoPuzzle& before);
};
