// Game: the puzzle the player works on, with undo and redo of every change.
#pragma once

#include "GameHistory.h"
#include "GameState.h"
#include "TechniqueStep.h"

#include <functional>

// The current game state and its history. Every operation that changes the board (its
// digits or its pencil marks) is one step that Undo takes back and Redo does again; one
// that leaves the board as it was (a refused digit, a Reset of givens only) is no step.
// A step that places digits also clears the marks they answer (see
// GameState::ClearMarksOfNewDigits), in the same step. Moving the selection is never a
// step, but each state comes back with the selection it had.
class Game {
public:
    explicit Game(const EnneoPuzzle& start, size_t historyCapacity = GameHistory::kDefaultCapacity);
    // A game as it was left (read from a game file): its history retraces it.
    Game(const GameState& state, GameHistory history);

    // For reading and drawing; the board changes only through the operations below.
    const GameState& GetState() const { return state_; }
    const GameHistory& GetHistory() const { return history_; }

    // Steps; each answers whether it changed the board.
    // Puts digit (1-9) into the selected cell under the validity rule, or empties the
    // cell (0), which in an empty cell takes its marks away. Nothing happens without a
    // selection or in a given cell.
    bool EnterDigit(int digit);
    // Marks digit (1-9) in the selected cell, or takes the mark away. Nothing happens
    // without a selection or in a filled cell.
    bool ToggleMark(int digit);
    // Takes every mark out of the selected cell.
    bool ClearMarks();
    // Fill In Candidates: an empty cell without marks gets its candidates as marks; a
    // cell with marks keeps those that are still candidates and gains none, so that
    // doing it again brings back no mark the player took out and only takes away the
    // marks that a digit now answers.
    bool FillInCandidates();
    // Every mark of the board goes.
    bool ClearAllMarks();
    // A hint's step made, as one step: its digits placed, and its eliminations taken
    // from the marks, a cell without marks first getting its candidates as marks.
    bool Apply(const TechniqueStep& step);
    // The givens alone, without marks.
    bool Reset();
    // Every digit on the board becomes a given, so that a puzzle typed in plays like an
    // opened one.
    bool MakeGivens();
    // board with every digit on it a given.
    static EnneoPuzzle DigitsAsGivens(EnneoPuzzle board);
    bool Solve();
    // A new puzzle, without marks, in place of the current one (New, a new generated
    // puzzle, Open).
    bool Replace(const EnneoPuzzle& puzzle);
    // A whole board in place of the current one, its marks and selection as they are
    // (Open of a game file).
    bool Replace(const GameState& state);

    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    bool Undo() { return Count(history_.Undo(state_)); }
    bool Redo() { return Count(history_.Redo(state_)); }
    // Undoes steps until fits holds for the board, or nothing is left to undo; Redo does
    // them again one by one. True when any step was undone.
    bool UndoUntil(const std::function<bool(const EnneoPuzzle&)>& fits);
    // How often the board has changed: steps, undos and redos. What is shown of one
    // board (a check's findings) holds while the count stays the same.
    unsigned GetChangeCount() const { return changes_; }

    // Selects the cell (x, y), 1 to 9 each.
    void SelectCell(int x, int y) { state_.puzzle.SetSelectedCell(x, y); }
    // The selection moved by dx columns and dy rows, stopping at the board's edges;
    // with no cell selected, the top-left cell is selected.
    void MoveSelection(int dx, int dy);

private:
    // Applies change to the current state, clears the marks its new digits answer and
    // records what it changed, when it changed the board.
    bool Change(const std::function<void(GameState&)>& change);
    // Records the step from before to the current state, when the board changed.
    bool Record(const GameState& before);
    // A step to the marks of the selected cell, when it is empty.
    bool ChangeMarks(const std::function<void(PencilMarks&, int x, int y)>& change);
    bool Count(bool changed) {
        if (changed) ++changes_;
        return changed;
    }

    GameState state_;
    GameHistory history_;
    unsigned changes_ = 0;
};
