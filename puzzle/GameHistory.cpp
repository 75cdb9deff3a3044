// GameHistory: the states before each step of a game, for undo and redo.
#include "GameHistory.h"

#include <cassert>
#include <utility>

GameHistory::GameHistory(size_t capacity) : capacity_(capacity) { assert(capacity >= 1); }

void GameHistory::Record(const GameState& before) {
    redo_.clear();
    if (undo_.size() == capacity_) undo_.pop_front();
    undo_.push_back(before);
}

bool GameHistory::Undo(GameState& current) { return Move(undo_, redo_, current); }

bool GameHistory::Redo(GameState& current) { return Move(redo_, undo_, current); }

// Undo and redo only move states between the stacks, so together they never grow.
bool GameHistory::Move(std::deque<GameState>& from, std::deque<GameState>& to, GameState& current) {
    if (from.empty()) return false;
    to.push_back(std::move(current));
    current = std::move(from.back());
    from.pop_back();
    return true;
}
