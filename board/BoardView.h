// BoardView: how the board is shown, apart from the game itself.
#pragma once

#include "BoardTheme.h"
#include "puzzle/EnneoPuzzle.h"

#include <vector>

// What the painter and the screen reader need to know besides the game state: whether
// empty cells show their candidates, whether the selection is tinted, whether the board
// is hidden behind the pause, and what the last Hint or Check pointed at (tinted
// whatever Mark Selection says), kept only while the board is the one they looked at;
// and the theme chosen. The board controller keeps it, with the pencil mode that the
// menu shows. The window alone sets the focus cue: the selected cell's frame that
// shows a keyboard player where the keys act.
struct BoardView {
    bool showHints = true;
    bool markSelection = false;
    bool pencilMode = false;
    bool paused = false;
    std::vector<EnneoPuzzle::Cell> misfits;  // digits found not to fit the solution
    std::vector<EnneoPuzzle::Cell> hinted;   // the cells Hint points at
    BoardTheme::Choice theme = BoardTheme::kLight;
    bool focusCue = false;
};
