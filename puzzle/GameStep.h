// GameStep: what one step of a game changed, for undo and redo.
#pragma once

#include "GameState.h"

#include <cstdint>
#include <vector>

// The cells a step changed, each with what it showed before and after, and the
// selection the game had on either side: ten bytes for each changed cell. Undo puts the
// before side into a state and Redo the after side; each first keeps the state's
// selection as the one the other side comes back with, so that a state returns with
// the selection it had when it was left.
struct GameStep {
    struct CellChange {
        uint8_t x;
        uint8_t y;
        GameState::CellContent before;
        GameState::CellContent after;
    };

    std::vector<CellChange> cells;  // in reading order: rows from the top, each from the left
    EnneoPuzzle::Cell selectionBefore{0, 0};
    EnneoPuzzle::Cell selectionAfter{0, 0};

    // The cells that differ between two states, and their selections; no cells when the
    // board is the same.
    static GameStep Between(const GameState& before, const GameState& after);

    void Undo(GameState& state);
    void Redo(GameState& state);
};
