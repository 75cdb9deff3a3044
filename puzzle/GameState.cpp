// GameState: what one moment of a game holds; the unit of undo and redo.
#include "GameState.h"

bool GameState::IsSameBoardAs(const GameState& other) const {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (puzzle.GetCellState(x, y) != other.puzzle.GetCellState(x, y) ||
                puzzle.GetCell(x, y) != other.puzzle.GetCell(x, y)) {
                return false;
            }
        }
    }
    return marks == other.marks;
}

void GameState::ClearMarksOfNewDigits(const EnneoPuzzle& before) {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            int digit = puzzle.GetCell(x, y);
            if (digit != 0 && digit != before.GetCell(x, y)) marks.Place(x, y, digit);
        }
    }
}
