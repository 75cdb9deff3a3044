// BoardController: runs the player's commands on the board's parts and says what they changed.
#pragma once

#include "BoardAnswer.h"
#include "BoardCommand.h"
#include "BoardSettings.h"
#include "BoardSnapshot.h"
#include "BoardView.h"
#include "board/intake/PuzzleIntake.h"
#include "board/keeping/GameKeeping.h"
#include "board/play/PlaySession.h"
#include "board/reader/ReaderNews.h"
#include "puzzle/PuzzleGenerator.h"

#include <filesystem>
#include <functional>

// Stands between the board window and the game, a dispatcher over the parts that own
// the state: the play session (the game, its clock, solution and statistics, what Hint
// and Check point at), the puzzle intake (files, the clipboard, lists), the keeping of
// the game (Resume Last Game) and the reader's news. It owns the view and its switches
// and the pause gate, runs each command on its part (Execute) and merges what follows
// every command into one answer: what the window must show again, whether the game is
// to be kept, and what to put into a box. Nothing else changes the game, so a command's
// answer is the whole of what changed.
class BoardController {
public:
    // start: the first puzzle on the board; properties: the program's settings and
    // statistics, which outlive the controller (the settings are read once here and
    // written when one changes); now: the monotonic time source of the game's clock.
    // The language spoken is the program's to choose at its start (see
    // BoardSettings::GetSpokenLanguage); the controller changes it on kLanguage.
    BoardController(const EnneoPuzzle& start, util::IProperties& properties, GameClock::TimeSource now);

    BoardAnswer Execute(const BoardCommand& command);
    // New Puzzle (BoardCommand::kNewPuzzle) with keepGoing polled while the puzzle is
    // made, for the window's progress: once it answers false, the board stays as it was
    // and nothing changed.
    BoardAnswer NewPuzzle(PuzzleLevel level, const PuzzleGenerator::KeepGoing& keepGoing);
    // See PuzzleIntake::Open, Paste and Save.
    BoardAnswer Open(const wchar_t* path);
    BoardAnswer Paste(const ClipboardContent& content);
    BoardAnswer Save(const wchar_t* path, FileFormats::Saved type);
    // What Save's dialog proposes: while the game is kept (Resume Last Game), a board
    // holding digits of the player's is a game in progress, proposed as a game file that
    // keeps them apart from the givens; otherwise a puzzle file.
    FileFormats::Saved ProposedSaveType() const;
    // The box that says Copy found the clipboard in use.
    static BoardAnswer CopyRefused();

    // Keeps the game in gameFile from now on (see GameKeeping::Resume). Called once, at
    // start.
    BoardAnswer Resume(const std::filesystem::path& gameFile);
    // Writes the game when it is due (see GameKeeping::Keep).
    BoardAnswer Keep();

    // For the menu: whether a command can do anything now (Undo and Redo need a step,
    // Undo to Last Correct a mistake on a puzzle with one solution, Next Puzzle in File a
    // list; while the game is paused only the switches, Pause, Statistics, the language
    // and what puts a new puzzle on the board can), and whether a switch (Show Hints, Mark Selection,
    // Pencil Mode, Show Timer, Pause, Resume Last Game) is on.
    bool IsAvailable(BoardCommand::Kind kind) const;
    bool IsOn(BoardCommand::Kind kind) const;
    // The window's caption: the program's name, with Show Timer on the game's time, and in
    // pencil mode the word "Pencil" last, which a player and a screen reader see at once.
    Message GetTitle() const;
    // Milliseconds until the time in the caption changes, for the window's timer; 0
    // while it cannot (Show Timer off, or the clock stopped).
    unsigned GetTickDelay() const;

    const Game& GetGame() const { return session_.GetGame(); }
    const GameClock& GetClock() const { return session_.GetClock(); }
    // How the board is shown, with what Hint and Check point at.
    BoardView GetView() const;
    // What the readers (painter, menu, screen reader) show now.
    BoardSnapshot Snapshot() const;

private:
    // What may run while the game is paused: nothing that shows or changes the board,
    // but a new puzzle (which starts a new game), the switches, the language, the help
    // and what the window tells.
    static bool RunsWhilePaused(BoardCommand::Kind kind);
    BoardAnswer Run(const BoardCommand& command);
    BoardAnswer MakePuzzle(PuzzleLevel level, const PuzzleGenerator::KeepGoing& keepGoing);
    // The answer of run, Answered, with what a screen reader must be told since before it.
    BoardAnswer Told(const std::function<BoardAnswer()>& run);
    // An answer of the board's parts, with what follows every command: a puzzle put on
    // the board since installs ends the pause, the session settles (findings, the game's
    // end, the clock), the caption follows, and a change is noted for keeping.
    BoardAnswer Answered(unsigned installs, BoardAnswer answer);
    // A command of the view: a switch, the pause, the theme.
    BoardAnswer Switch(const BoardCommand& command);
    // Options / Language: the choice kept, and the language spoken from now on.
    BoardAnswer ChooseLanguage(int language);

    BoardSettings settings_;
    BoardView view_;  // the switches and the theme; the findings are the session's
    bool showTimer_;
    int language_;  // Options / Language's choice (see BoardSnapshot::language)
    Message title_;  // the caption last answered
    PlaySession session_;
    PuzzleIntake intake_;
    GameKeeping keeping_;
    ReaderNews news_;
};
