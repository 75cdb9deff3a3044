// GameHistory: the steps of a game, for undo and redo.
#pragma once

#include "GameStep.h"

#include <cstddef>
#include <deque>

// The steps that can be undone and the steps that can be redone, each list in the order
// the steps were taken. Together they hold at most the capacity: a new step beyond it
// forgets the oldest one, so memory stays bounded at capacity steps of at most 81 cells.
class GameHistory {
public:
    static const size_t kDefaultCapacity = 1000;

    // capacity: at least 1.
    explicit GameHistory(size_t capacity = kDefaultCapacity);
    // A history as a game file tells it: undoSteps oldest first, redoSteps the next to
    // redo first, together at most capacity. The caller has checked that they retrace
    // the game's states.
    GameHistory(size_t capacity, std::deque<GameStep> undoSteps, std::deque<GameStep> redoSteps);

    // Keeps a new step; what could be redone is dropped.
    void Record(GameStep step);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // Takes the last step back from current and keeps it for Redo; false, with current
    // unchanged, when there is nothing to undo.
    bool Undo(GameState& current);
    // Takes the last undone step again on current and keeps it for Undo; false, with
    // current unchanged, when there is nothing to redo.
    bool Redo(GameState& current);

    size_t GetCapacity() const { return capacity_; }
    const std::deque<GameStep>& GetUndoSteps() const { return undo_; }  // oldest first
    const std::deque<GameStep>& GetRedoSteps() const { return redo_; }  // next to redo first

private:
    size_t capacity_;
    std::deque<GameStep> undo_;
    std::deque<GameStep> redo_;
};
