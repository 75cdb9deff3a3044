// BoardSpeech: the board in the words a screen reader speaks.
#pragma once

#include "BoardView.h"
#include "common/String.h"
#include "puzzle/GameState.h"

// What a sighted player sees of a cell, in one line: "Row 3, column 5, 7, given",
// "Row 3, column 5, 7" (the player's or the solver's digit), "Row 3, column 6, empty,
// marks 2 5", and "Row 3, column 6, empty, candidates 1 3 8" while hints are on in a
// cell without marks ("no candidates" when none is left). A digit that the last Hint or
// Check found not to fit adds ", does not fit", the empty cell of Hint's next step
// ", hinted" ("Row 3, column 6, empty, hinted, candidates 4"). While the game is
// paused every cell is "Row 3, column 5, hidden by the pause".
String CellName(const GameState& state, const BoardView& view, EnneoPuzzle::Cell cell);

// Why digit does not go into cell of board, which left the cell as it was; digit is 1
// to 9, or 0 (to empty) for a given cell: "9 is given here and cannot be changed.", "5 not allowed here: column 5
// holds a 5", "... row 3 holds a 5", "... the block holds a 5 in row 2, column 3", or
// "5 is here already." The row is named first, then the column, then the block.
String RefusalSentence(const EnneoPuzzle& board, EnneoPuzzle::Cell cell, int digit);
