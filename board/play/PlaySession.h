// PlaySession: the game being played, its clock, its solution and its statistics.
#pragma once

#include "board/BoardAnswer.h"
#include "board/BoardCommand.h"
#include "board/play/GameStatistics.h"
#include "puzzle/Game.h"
#include "puzzle/GameClock.h"
#include "puzzle/GameFile.h"
#include "puzzle/Hint.h"
#include "puzzle/PuzzleSolution.h"

#include <deque>
#include <optional>
#include <vector>

// Owns the Game and everything that follows it: the givens' solution, the clock, whether
// the player had help, the statistics, and what the last Hint or Check pointed at.
//
// A game begins with each puzzle put on the board, its clock at zero and unassisted; a
// kept or opened game file goes on with the time and help it had. The clock counts while
// the window is active and not minimized, the session is not locked, the game is not
// paused and the board not complete. A puzzle with one solution that the player completes
// without Solve, Hint, Fill In Candidates or Undo to Last Correct counts for the
// statistics of its level, once per game. An undo or redo into the puzzle of a game
// left for another (New Puzzle, Open, Paste, Make Digits Givens by mistake) goes on with
// that game's time, help and end; into a puzzle whose game it does not know (older than
// the games it remembers, or from a kept game's history), the game no longer counts.
class PlaySession {
public:
    // What Hint or Check found, kept while the board is the one they looked at.
    struct Findings {
        std::vector<EnneoPuzzle::Cell> misfits;  // digits found not to fit the solution
        std::vector<EnneoPuzzle::Cell> hinted;   // the cells Hint tints
        std::optional<::Hint> hint;              // what Hint found
        int hintStage = 0;                       // how many of a step's stages were shown
    };

    PlaySession(const EnneoPuzzle& start, util::IProperties& properties, GameClock::TimeSource now);

    // Runs a command of play (the selection, digits and marks, undo and redo, Hint and
    // Check, Fill In Candidates, Reset, Solve, Statistics, and what the window tells of
    // itself); digits toggle marks in pencil mode.
    BoardAnswer Run(const BoardCommand& command, bool pencilMode);
    bool IsAvailable(BoardCommand::Kind kind) const;

    // Puts a puzzle or a kept or opened game on the board as one step; a new game
    // begins when the board changed, played for so long and with such help.
    void Install(const EnneoPuzzle& puzzle);
    void Install(const GameState& state, const GamePlay& play);
    // Every digit on the board becomes a given: a new puzzle, whose game starts now.
    void MakeGivens();
    // Goes on with a kept game, its history with it.
    void Resume(const Game& game, const GamePlay& play);
    // How many puzzles and games were put on the board, to see that one was.
    unsigned GetInstallCount() const { return installs_; }

    // What follows every command: the findings go once the board is no longer the one
    // they looked at, a board just completed finishes the game (its answer's box says
    // so, with the time and any new best time, unless Solve completed it: once per
    // game), and the clock runs while the player can see the board.
    BoardAnswer Settle(BoardAnswer answer, bool paused);

    const Game& GetGame() const { return game_; }
    const EnneoPuzzle& GetBoard() const { return game_.GetState().puzzle; }
    const Findings& GetFindings() const { return findings_; }
    const GameClock& GetClock() const { return clock_; }
    bool IsAssisted() const { return assisted_; }
    // What a game file keeps of the play besides the board: the time, and the help.
    GamePlay Play() const { return {clock_.GetElapsed(), assisted_}; }

private:
    // A game left for another puzzle, which undo or redo may come back to.
    struct LeftGame {
        PuzzleSolution solution;  // of its givens
        GamePlay play;
        bool finished;
    };
    // How many left games are remembered, the oldest going first: as many as a player
    // undoes through by mistake, and few enough that looking through them costs nothing.
    static const size_t kLeftGames = 16;

    void StartGame(const GamePlay& play);
    // The game on the board is left for another: remembered, the oldest going.
    void LeaveGame();
    // Undo or redo went into another puzzle: the game of its givens comes back, or an
    // unknown one begins that does not count.
    void ReturnToGame();
    BoardAnswer Finish(BoardAnswer answer);
    BoardAnswer EnterDigit(int digit, bool pencilMode);
    BoardAnswer Mark(int digit);
    BoardAnswer Hint();
    BoardAnswer HintStage(::Hint hint, int stage);
    BoardAnswer Check();
    BoardAnswer UndoToCorrect();
    BoardAnswer Statistics() const;
    void PointAt(Findings findings);

    Game game_;
    GameStatistics statistics_;
    GameClock clock_;
    PuzzleSolution solution_;  // of the givens on the board
    bool assisted_ = false;    // helped, or came back by undo or redo: the game does not count
    bool finished_ = false;    // this game's end was counted
    bool windowActive_ = false;
    bool windowMinimized_ = false;
    bool sessionLocked_ = false;
    Findings findings_;
    std::deque<LeftGame> leftGames_;  // the latest last
    unsigned pointedChange_ = 0;   // the game's change count when Hint or Check last ran
    unsigned answeredChange_ = 0;  // and when the last command was settled
    unsigned installs_ = 0;
};
