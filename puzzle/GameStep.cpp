// GameStep: what one step of a game changed, for undo and redo.
#include "GameStep.h"

GameStep GameStep::Between(const GameState& before, const GameState& after) {
    GameStep step;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            GameState::CellContent was = before.GetContent(x, y);
            GameState::CellContent is = after.GetContent(x, y);
            if (was != is) step.cells.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y), was, is});
        }
    }
    step.selectionBefore = before.puzzle.GetSelectedCell();
    step.selectionAfter = after.puzzle.GetSelectedCell();
    return step;
}

void GameStep::Undo(GameState& state) {
    selectionAfter = state.puzzle.GetSelectedCell();
    for (const CellChange& change : cells) state.PutContent(change.x, change.y, change.before);
    state.puzzle.SetSelectedCell(selectionBefore.x, selectionBefore.y);
}

void GameStep::Redo(GameState& state) {
    selectionBefore = state.puzzle.GetSelectedCell();
    for (const CellChange& change : cells) state.PutContent(change.x, change.y, change.after);
    state.puzzle.SetSelectedCell(selectionAfter.x, selectionAfter.y);
}
