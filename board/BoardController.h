// BoardController: runs the player's commands on the game and says what they changed.
#pragma once

#include "BoardAnswer.h"
#include "BoardCommand.h"
#include "BoardSettings.h"
#include "BoardView.h"
#include "GameKeeper.h"
#include "puzzle/Game.h"

#include <filesystem>

// Stands between the board window and the game: it owns the Game, the view state and the
// settings, runs each command (Execute) and each file command, and answers what the window
// must show again, whether the game is to be kept, and which sentence to put into a box.
// Nothing else changes the game, so a command's answer is the whole of what changed.
//
// While Resume Last Game is on, the game is kept in a file (GameKeeper) from Resume on:
// every change of the board or the selection makes a write due, which the window makes
// (Keep) at the latest kKeepDelayMs after the change, and at once where the program may
// end. With the option off nothing is read or written.
class BoardController {
public:
    // The longest a change waits to be kept.
    static const unsigned kKeepDelayMs = 1000;

    enum FileType { kPuzzleFile, kGameFile };

    // start: the first puzzle on the board; properties: the program's settings, which
    // outlive the controller (read once here, written when a setting changes).
    BoardController(const EnneoPuzzle& start, util::IProperties& properties);

    BoardAnswer Execute(const BoardCommand& command);
    // Installs the file at path as one step: a game file's board with its kinds of
    // digits, marks and selection (not its history), any other file as a puzzle file.
    // A file that cannot be read leaves the board as it was, and the answer's error box
    // says so.
    BoardAnswer Open(const wchar_t* path);
    // Writes the board as a puzzle file, or the whole game as a game file, at path; the
    // answer's error box says when it could not.
    BoardAnswer Save(const wchar_t* path, FileType type) const;

    // Keeps the game in gameFile from now on, while Resume Last Game is on; empty when
    // another copy of the program keeps the game. With the option on, the game kept
    // there goes on (see GameKeeper::Resume), its history with it. The answer's box
    // says what became of a kept game that could not be taken whole, or that this
    // window's game is not kept because another copy keeps one. Called once, at start.
    BoardAnswer Resume(const std::filesystem::path& gameFile);
    // Writes the game, when it changed since it was last kept and Resume Last Game is
    // on. The answer's error box says what failed and where, the first time only: play
    // goes on, and the next change tries again.
    BoardAnswer Keep();

    // For the menu: whether a command can do anything now (Undo and Redo need a step),
    // and whether a switch (Show Hints, Mark Selection, Resume Last Game) is on.
    bool IsAvailable(BoardCommand::Kind kind) const;
    bool IsOn(BoardCommand::Kind kind) const;

    const Game& GetGame() const { return game_; }
    const BoardView& GetView() const { return view_; }

private:
    BoardAnswer Run(const BoardCommand& command);
    // The last Check's findings go once the board is no longer the one checked; a game
    // that changed since it was last noted is due to be kept.
    BoardAnswer Answered(BoardAnswer answer);
    // The board repainted after a move of the selection, when the selection is tinted.
    BoardAnswer SelectionShown() const;
    BoardAnswer EnterDigit(int digit);
    BoardAnswer Hint();
    BoardAnswer Check();
    BoardAnswer SwitchKeeping();
    // The answer with a box that says another copy of the program keeps the game.
    static BoardAnswer KeptElsewhere(BoardAnswer answer);

    Game game_;
    BoardView view_;
    BoardSettings settings_;
    unsigned checkedChange_ = 0;  // the game's change count when Check last ran
    bool keepGame_;               // Resume Last Game
    GameKeeper keeper_;
    // The game's change count and selection when a change was last noted for the keeper.
    unsigned notedChange_ = 0;
    EnneoPuzzle::Cell notedSelection_ = {0, 0};
};
