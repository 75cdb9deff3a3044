// GameHistory: the states before each step of a game, for undo and redo.
#pragma once

#include "GameState.h"

#include <cstddef>
#include <deque>

// Two stacks of whole game states: the states before the steps that can be undone and
// the states after the steps that can be redone. Together they hold at most the
// capacity: a new step beyond it forgets the oldest one, so memory stays bounded at
// capacity copies of a GameState.
class GameHistory {
public:
    static const size_t kDefaultCapacity = 1000;

    // capacity: at least 1.
    explicit GameHistory(size_t capacity = kDefaultCapacity);

    // Keeps the state before a new step; what could be redone is dropped.
    void Record(const GameState& before);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // Puts the state before the last step into current and keeps current for Redo;
    // false, with current unchanged, when there is nothing to undo.
    bool Undo(GameState& current);
    // Puts the state after the last undone step into current and keeps current for
    // Undo; false, with current unchanged, when there is nothing to redo.
    bool Redo(GameState& current);

private:
    static bool Move(std::deque<GameState>& from, std::deque<GameState>& to, GameState& current);

    size_t capacity_;
    std::deque<GameState> undo_;  // oldest first
    std::deque<GameState> redo_;  // next to redo last
};
