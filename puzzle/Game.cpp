// Game: the puzzle the player works on, with undo and redo of every change.
#include "Game.h"

#include <algorithm>
#include <utility>

Game::Game(const EnneoPuzzle& start, size_t historyCapacity)
    : state_{start, PencilMarks()}, history_(historyCapacity) {}

Game::Game(const GameState& state, GameHistory history) : state_(state), history_(std::move(history)) {}

bool Game::Change(const std::function<void(GameState&)>& change) {
    GameState before = state_;
    change(state_);
    state_.ClearMarksOfNewDigits(before.puzzle);
    return Record(before);
}

bool Game::Record(const GameState& before) {
    GameStep step = GameStep::Between(before, state_);
    if (step.cells.empty()) return false;
    history_.Record(std::move(step));
    return Count(true);
}

bool Game::ChangeMarks(const std::function<void(PencilMarks&, int x, int y)>& change) {
    EnneoPuzzle::Cell cell = state_.puzzle.GetSelectedCell();
    if (cell.x == 0 || state_.puzzle.GetCellState(cell.x, cell.y) != EnneoPuzzle::CELL_EMPTY) return false;
    return Change([&](GameState& state) { change(state.marks, cell.x, cell.y); });
}

bool Game::EnterDigit(int digit) {
    EnneoPuzzle::Cell cell = state_.puzzle.GetSelectedCell();
    if (cell.x == 0 || state_.puzzle.GetCellState(cell.x, cell.y) == EnneoPuzzle::CELL_KNOWN) return false;
    return Change([&](GameState& state) {
        state.puzzle.SetCell(cell.x, cell.y, digit, digit == 0 ? EnneoPuzzle::CELL_EMPTY : EnneoPuzzle::CELL_SET);
        if (digit == 0) state.marks.ClearCell(cell.x, cell.y);
    });
}

bool Game::ToggleMark(int digit) {
    return ChangeMarks([digit](PencilMarks& marks, int x, int y) { marks.Toggle(x, y, digit); });
}

bool Game::ClearMarks() {
    return ChangeMarks([](PencilMarks& marks, int x, int y) { marks.ClearCell(x, y); });
}

bool Game::Apply(const TechniqueStep& step) {
    return Change([&step](GameState& state) {
        for (const TechniqueStep::Candidate& placement : step.placements) {
            state.puzzle.SetCell(placement.cell.x, placement.cell.y, placement.digit, EnneoPuzzle::CELL_SET);
        }
        for (const TechniqueStep::Candidate& elimination : step.eliminations) {
            int x = elimination.cell.x, y = elimination.cell.y;
            int marks = state.marks.Get(x, y);
            if (marks == 0) marks = state.puzzle.GetCandidatesMask(x, y);
            state.marks.Set(x, y, marks & ~(1 << (elimination.digit - 1)));
        }
    });
}

bool Game::FillInCandidates() {
    return Change([](GameState& state) {
        for (int x = 1; x <= 9; ++x) {
            for (int y = 1; y <= 9; ++y) {
                if (state.puzzle.GetCellState(x, y) != EnneoPuzzle::CELL_EMPTY) continue;
                int candidates = state.puzzle.GetCandidatesMask(x, y);
                int marks = state.marks.Get(x, y);
                state.marks.Set(x, y, marks == 0 ? candidates : marks & candidates);
            }
        }
    });
}

bool Game::ClearAllMarks() {
    return Change([](GameState& state) { state.marks = PencilMarks(); });
}

bool Game::UndoUntil(const std::function<bool(const EnneoPuzzle&)>& fits) {
    bool undone = false;
    while (!fits(state_.puzzle) && Undo()) undone = true;
    return undone;
}

bool Game::Reset() {
    return Change([](GameState& state) {
        state.puzzle.Reset();
        state.marks = PencilMarks();
    });
}

bool Game::MakeGivens() {
    return Change([](GameState& state) { state.puzzle = DigitsAsGivens(state.puzzle); });
}

EnneoPuzzle Game::DigitsAsGivens(EnneoPuzzle board) {
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            int digit = board.GetCell(x, y);
            if (digit != 0) board.RestoreCell(x, y, digit, EnneoPuzzle::CELL_KNOWN);
        }
    }
    return board;
}

bool Game::Solve() {
    return Change([](GameState& state) { state.puzzle.Solve(); });
}

bool Game::Replace(const EnneoPuzzle& puzzle) { return Replace(GameState{puzzle, PencilMarks()}); }

bool Game::Replace(const GameState& state) {
    GameState before = state_;
    state_ = state;
    return Record(before);
}

void Game::MoveSelection(int dx, int dy) {
    EnneoPuzzle::Cell cell = state_.puzzle.GetSelectedCell();
    if (cell.x == 0) {
        state_.puzzle.SetSelectedCell(1, 1);
        return;
    }
    state_.puzzle.SetSelectedCell(std::clamp(cell.x + dx, 1, 9), std::clamp(cell.y + dy, 1, 9));
}
