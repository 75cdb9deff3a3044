// BoardView: how the board is shown, apart from the game itself.
#pragma once

#include "puzzle/EnneoPuzzle.h"

#include <vector>

// What the painter needs to know besides the game state: whether empty cells show their
// candidates, whether the selection is tinted, and the digits the last Check found not
// to fit, kept only while the board is the one checked. The board controller keeps it.
struct BoardView {
    bool showHints = true;
    bool markSelection = false;
    std::vector<EnneoPuzzle::Cell> misfits;
};
