// BoardController: runs the player's commands on the game and says what they changed.
#pragma once

#include "BoardAnswer.h"
#include "BoardCommand.h"
#include "BoardSettings.h"
#include "BoardView.h"
#include "puzzle/Game.h"

// Stands between the board window and the game: it owns the Game, the view state and the
// settings, runs each command (Execute) and each file command, and answers what the window
// must show again and which sentence to put into a box. Nothing else changes the game,
// so a command's answer is the whole of what changed.
class BoardController {
public:
    // start: the first puzzle on the board; properties: the program's settings, which
    // outlive the controller (read once here, written when a setting changes).
    BoardController(const EnneoPuzzle& start, util::IProperties& properties);

    BoardAnswer Execute(const BoardCommand& command);
    // Installs the puzzle file at path as one step. A file that cannot be read leaves
    // the board as it was, and the answer's error box says so.
    BoardAnswer Open(const wchar_t* path);
    // Writes the board as a puzzle file at path; the answer's error box says when it
    // could not.
    BoardAnswer Save(const wchar_t* path) const;

    // For the menu: whether a command can do anything now (Undo and Redo need a step),
    // and whether a switch (Show Hints, Mark Selection) is on.
    bool IsAvailable(BoardCommand::Kind kind) const;
    bool IsOn(BoardCommand::Kind kind) const;

    const Game& GetGame() const { return game_; }
    const BoardView& GetView() const { return view_; }

private:
    BoardAnswer Run(const BoardCommand& command);
    // The last Check's findings go once the board is no longer the one checked.
    BoardAnswer Answered(const BoardAnswer& answer);
    // The board repainted after a move of the selection, when the selection is tinted.
    BoardAnswer SelectionShown() const;
    BoardAnswer EnterDigit(int digit);
    BoardAnswer Hint();
    BoardAnswer Check();

    Game game_;
    BoardView view_;
    BoardSettings settings_;
    unsigned checkedChange_ = 0;  // the game's change count when Check last ran
};
