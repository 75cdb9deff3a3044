// GameState: what one moment of a game holds; the unit of undo and redo.
#pragma once

#include "EnneoPuzzle.h"
#include "PencilMarks.h"

// The puzzle as the player sees it at one moment: every cell's digit and state, the
// pencil marks, and the selected cell. A fixed-size value: the history keeps whole
// copies of it.
struct GameState {
    EnneoPuzzle puzzle;
    PencilMarks marks;

    // True when both show the same board: every cell's digit and state, and the marks.
    // The selection is not part of the board.
    bool IsSameBoardAs(const GameState& other) const;
    // Clears the marks that the digits placed since before answer: each newly filled
    // cell's own, and its digit in the cells of its row, column and block.
    void ClearMarksOfNewDigits(const EnneoPuzzle& before);
};
