// GameHistory: the steps of a game, for undo and redo.
#include "GameHistory.h"

#include <cassert>
#include <utility>

GameHistory::GameHistory(size_t capacity) : capacity_(capacity) { assert(capacity >= 1); }

GameHistory::GameHistory(size_t capacity, std::deque<GameStep> undoSteps, std::deque<GameStep> redoSteps)
    : capacity_(capacity), undo_(std::move(undoSteps)), redo_(std::move(redoSteps)) {
    assert(capacity >= 1 && undo_.size() + redo_.size() <= capacity);
}

void GameHistory::Record(GameStep step) {
    redo_.clear();
    if (undo_.size() == capacity_) undo_.pop_front();
    undo_.push_back(std::move(step));
}

// Undo and redo only move steps between the lists, so together they never grow.
bool GameHistory::Undo(GameState& current) {
    if (undo_.empty()) return false;
    undo_.back().Undo(current);
    redo_.push_front(std::move(undo_.back()));
    undo_.pop_back();
    return true;
}

bool GameHistory::Redo(GameState& current) {
    if (redo_.empty()) return false;
    redo_.front().Redo(current);
    undo_.push_back(std::move(redo_.front()));
    redo_.pop_front();
    return true;
}
