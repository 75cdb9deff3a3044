// BoardView: how the board is shown, apart from the game itself.
#pragma once

#include "BoardTheme.h"
#include "puzzle/EnneoPuzzle.h"

#include <vector>

// What the painter and the screen reader need to know besides the game state: whether
// empty cells show their candidates, whether the selection is tinted, and the digits the
// last Check found not to fit, kept only while the board is the one checked; and the
// theme chosen. The board controller keeps it.
struct BoardView {
    bool showHints = true;
    bool markSelection = false;
    std::vector<EnneoPuzzle::Cell> misfits;
    BoardTheme::Choice theme = BoardTheme::kLight;
};
