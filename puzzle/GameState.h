// GameState: what one moment of a game holds; the unit of undo and redo.
#pragma once

#include "EnneoPuzzle.h"

// The puzzle as the player sees it at one moment: every cell's digit and state, and the
// selected cell. A fixed-size value: the history keeps whole copies of it. What later
// becomes part of a game (pencil marks) is added here, and to IsSameBoardAs.
struct GameState {
    EnneoPuzzle puzzle;

    // True when both show the same board: every cell's digit and state. The selection
    // is not part of the board.
    bool IsSameBoardAs(const GameState& other) const;
};
