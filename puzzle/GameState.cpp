// GameState: what one moment of a game holds; what undo and redo step between.
#include "GameState.h"

GameState::CellContent GameState::GetContent(int x, int y) const {
    CellContent content;
    content.digit = static_cast<uint8_t>(puzzle.GetCell(x, y));
    content.state = static_cast<uint8_t>(puzzle.GetCellState(x, y));
    content.marks = static_cast<uint16_t>(marks.Get(x, y));
    return content;
}

void GameState::PutContent(int x, int y, const CellContent& content) {
    puzzle.RestoreCell(x, y, content.digit, content.state);
    marks.Set(x, y, content.marks);
}

void GameState::ClearMarksOfNewDigits(const EnneoPuzzle& before) {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            int digit = puzzle.GetCell(x, y);
            if (digit != 0 && digit != before.GetCell(x, y)) marks.Place(x, y, digit);
        }
    }
}
