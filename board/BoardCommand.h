// BoardCommand: what the player asked the board for, by key, mouse or menu.
#pragma once

#include "BoardTheme.h"
#include "puzzle/EnneoPuzzle.h"
#include "puzzle/PuzzleLevel.h"

// A plain value: the kind of request and what it needs (a digit, a cell, a move, a
// level, a theme, an index, a language). The window makes commands from its messages,
// the key table from keys, and the board controller runs them (BoardController::Execute).
struct BoardCommand {
    enum Kind {
        kSelectCell,     // cell
        kMoveSelection,  // move: columns and rows
        kEnterDigit,     // digit 1-9 into the selected cell (a mark in pencil mode), or 0 to empty it
        kMark,           // digit 1-9 toggles that pencil mark in the selected cell, 0 clears its marks
        kUndo,
        kRedo,
        kUndoToCorrect,  // back to the last board without a mistake
        kFillInCandidates,
        kClearAllMarks,
        kHint,
        kCheck,
        kNewEmpty,   // an empty grid
        kNewPuzzle,  // level; the window runs it with its progress (BoardController::NewPuzzle)
        kReset,
        kSolve,
        kStatistics,
        kShowHints,      // switches the candidates of empty cells on or off
        kMarkSelection,  // switches the tint of the selection on or off
        kResumeGame,     // switches the keeping of the game in progress on or off
        kPencilMode,     // switches what the digit keys do: digits or marks
        kShowTimer,      // switches the time in the window's caption on or off
        kPause,          // hides the board and stops the clock, or goes on
        // What the window tells of itself, digit 1 for yes and 0 for no: whether it is
        // the active window, whether it is minimized, whether the session is locked.
        kWindowActive,
        kWindowMinimized,
        kSessionLocked,
        kTick,           // the window's timer: the time shown may have changed
        kCopyPuzzle,     // the givens to the clipboard
        kCopyBoard,      // every digit on the board to the clipboard
        kPaste,          // a puzzle from the clipboard in place of the game
        kMakeGivens,     // every digit on the board becomes a given
        kNextPuzzle,     // the next puzzle of the list file that is open
        kOpenRecent,     // digit: the recent file's index, from 0, the latest first
        kTheme,          // theme: the look chosen in Options / Theme
        kLanguage,       // digit: Options / Language's choice, as BoardSettings::GetLanguage gives it
        // Run by the window itself (dialogs, side windows, printing, the update check,
        // the end), named here so that keys reach them as they reach the others.
        kOpen,
        kSave,
        kPrint,  // File / Print: the board's puzzle
        kPrintNewPuzzles,
        kExit,
        kShowLog,
        kCheckForUpdates,
        kAbout,
        kHelp,  // the program's own help, in a window beside the board
    };
    // How many kinds there are; not a kind, so that a switch on the kinds need not name it.
    static constexpr int kKindCount = kHelp + 1;

    static constexpr BoardCommand Of(Kind kind) { return {kind}; }
    static constexpr BoardCommand SelectCell(EnneoPuzzle::Cell cell) { return {kSelectCell, 0, cell}; }
    static constexpr BoardCommand Move(int columns, int rows) { return {kMoveSelection, 0, {columns, rows}}; }
    static constexpr BoardCommand Digit(int digit) { return {kEnterDigit, digit}; }
    static constexpr BoardCommand Mark(int digit) { return {kMark, digit}; }
    static constexpr BoardCommand OpenRecent(int index) { return {kOpenRecent, index}; }
    static constexpr BoardCommand NewPuzzle(PuzzleLevel level) { return {kNewPuzzle, 0, {0, 0}, level}; }
    static constexpr BoardCommand Theme(BoardTheme::Choice theme) {
        return {kTheme, 0, {0, 0}, PuzzleLevel::kEasy, theme};
    }
    static constexpr BoardCommand Language(int language) { return {kLanguage, language}; }
    // kWindowActive, kWindowMinimized, kSessionLocked.
    static constexpr BoardCommand Window(Kind kind, bool yes) { return {kind, yes ? 1 : 0}; }

    bool operator==(const BoardCommand& other) const {
        return kind == other.kind && digit == other.digit && cell.x == other.cell.x && cell.y == other.cell.y &&
               level == other.level && theme == other.theme;
    }

    Kind kind;
    int digit = 0;
    // kSelectCell: the cell; kMoveSelection: the columns (x) and rows (y) to move by.
    EnneoPuzzle::Cell cell = {0, 0};
    PuzzleLevel level = PuzzleLevel::kEasy;
    BoardTheme::Choice theme = BoardTheme::kLight;
};
