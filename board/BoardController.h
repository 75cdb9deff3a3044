// BoardController: runs the player's commands on the game and says what they changed.
#pragma once

#include "BoardAnswer.h"
#include "BoardCommand.h"
#include "BoardSettings.h"
#include "BoardView.h"
#include "GameStatistics.h"
#include "puzzle/Game.h"
#include "puzzle/GameClock.h"
#include "puzzle/PuzzleSolution.h"

// Stands between the board window and the game: it owns the Game, the view state, the
// settings, the game's clock and the statistics, runs each command (Execute) and each
// file command, and answers what the window must show again and which sentence to put
// into a box. Nothing else changes the game, so a command's answer is the whole of what
// changed.
//
// A game begins with each puzzle put on the board (New, a new puzzle, Open), its clock
// at zero and unassisted. The clock counts while the window is active and not
// minimized, the session is not locked, the game is not paused and the board not
// complete. A puzzle with one solution that the player completes without Solve, Hint,
// Fill In Candidates or Undo to Last Correct counts for the statistics of its level,
// once per game; after an undo or redo into another puzzle, whose time and help the
// game does not know, the game no longer counts.
class BoardController {
public:
    // The window's caption without the time.
    static const wchar_t kProgramTitle[];

    // start: the first puzzle on the board; properties: the program's settings and
    // statistics, which outlive the controller (the settings are read once here and
    // written when one changes); now: the monotonic time source of the game's clock.
    BoardController(const EnneoPuzzle& start, util::IProperties& properties, GameClock::TimeSource now);

    BoardAnswer Execute(const BoardCommand& command);
    // Installs the puzzle file at path as one step. A file that cannot be read leaves
    // the board as it was, and the answer's error box says so.
    BoardAnswer Open(const wchar_t* path);
    // Writes the board as a puzzle file at path; the answer's error box says when it
    // could not.
    BoardAnswer Save(const wchar_t* path) const;

    // For the menu: whether a command can do anything now (Undo and Redo need a step,
    // Undo to Last Correct a mistake on a puzzle with one solution; while the game is
    // paused only the switches, Pause, the new puzzles and Statistics can), and whether
    // a switch (Show Hints, Mark Selection, Pencil Mode, Show Timer, Pause) is on.
    bool IsAvailable(BoardCommand::Kind kind) const;
    bool IsOn(BoardCommand::Kind kind) const;
    // The window's caption: kProgramTitle, and with Show Timer on the game's time after
    // it ("Enneo Tessary - 12:34").
    String GetTitle() const;
    // Milliseconds until the time in the caption changes, for the window's timer; 0
    // while it cannot (Show Timer off, or the clock stopped).
    unsigned GetTickDelay() const;

    const Game& GetGame() const { return game_; }
    const BoardView& GetView() const { return view_; }
    const GameClock& GetClock() const { return clock_; }

private:
    BoardAnswer Run(const BoardCommand& command);
    // What follows every command: the findings of the last Hint or Check go once the
    // board is no longer the one they looked at, a board just completed finishes the
    // game, the clock runs or stops, and the caption follows.
    BoardAnswer Answered(BoardAnswer answer);
    // Puts a new puzzle on the board as one step and starts a new game with it; ends a
    // pause.
    BoardAnswer Install(const EnneoPuzzle& puzzle);
    void StartGame();
    // The game's end: its time counts for the statistics when the player finished it
    // unassisted; a new best time is told in a box.
    BoardAnswer Finish(BoardAnswer answer);
    bool RunsWhilePaused(BoardCommand::Kind kind) const;
    // The board repainted after a move of the selection, when the selection is tinted.
    BoardAnswer SelectionShown() const;
    BoardAnswer EnterDigit(int digit);
    BoardAnswer Hint();
    BoardAnswer Check();
    // Keeps what Hint or Check found for the painter, for as long as the board stays.
    void PointAt(const std::vector<EnneoPuzzle::Cell>& misfits, EnneoPuzzle::Cell hinted);
    BoardAnswer UndoToCorrect();

    Game game_;
    BoardView view_;
    BoardSettings settings_;
    GameStatistics statistics_;
    GameClock clock_;
    PuzzleSolution solution_;  // of the givens on the board
    bool showTimer_;
    bool assisted_ = false;  // helped, or came back by undo or redo: the game does not count
    bool finished_ = false;  // this game's end was counted
    bool windowActive_ = false;
    bool windowMinimized_ = false;
    bool sessionLocked_ = false;
    unsigned pointedChange_ = 0;   // the game's change count when Hint or Check last ran
    unsigned answeredChange_ = 0;  // and when the last command was answered
    String title_;                 // the caption last answered
};
