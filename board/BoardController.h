// BoardController: runs the player's commands on the game and says what they changed.
#pragma once

#include "BoardAnswer.h"
#include "BoardCommand.h"
#include "BoardSettings.h"
#include "BoardSnapshot.h"
#include "BoardView.h"
#include "intake/ClipboardContent.h"
#include "keeping/GameKeeper.h"
#include "play/GameStatistics.h"
#include "intake/RememberedFiles.h"
#include "puzzle/Game.h"
#include "puzzle/GameClock.h"
#include "puzzle/PuzzleExchange.h"
#include "puzzle/PuzzleSolution.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Stands between the board window and the game: it owns the Game, the view state, the
// settings, the game's clock and the statistics, runs each command (Execute) and each
// file command, and answers what the window must show again, whether the game is to be
// kept, and which sentence to put into a box. Nothing else changes the game, so a
// command's answer is the whole of what changed.
//
// A game begins with each puzzle put on the board (New, a new puzzle, Open, Paste, the
// next puzzle of a list), its clock at zero and unassisted; a kept or opened game file
// goes on with the time and help it had. The clock counts while the window is active and
// not minimized, the session is not locked, the game is not paused and the board not
// complete. A puzzle with one solution that the player completes without Solve, Hint,
// Fill In Candidates or Undo to Last Correct counts for the statistics of its level, once
// per game; after an undo or redo into another puzzle, whose time and help the game does
// not know, the game no longer counts.
//
// While Resume Last Game is on, the game is kept in a file (GameKeeper) from Resume on,
// with the time its clock counted and its help: every change of the board, the
// selection or the help, and each stop of the clock, makes a write due, which the window
// makes (Keep) at the latest kKeepDelayMs after it, and at once where the program may
// end. With the option off nothing is read or written.
//
// Puzzles come in by Open (the dialog, a drop, the command line, a recent file), Paste
// and the next puzzle of a list, all read by PuzzleExchange. A puzzle of the program's
// own file is put on the board as the file reader leaves it, as always; any other one is
// first checked (PuzzleCheck): one that breaks the rules is refused with its first clash
// and the board stays, and one without a single solution comes in with a box that says
// so. Each puzzle that comes in is one step, its digits givens. The files opened or
// saved are remembered (the latest kRecentFiles), and so is the puzzle last open in
// each of the latest kListPlaces lists.
class BoardController {
public:
    // The longest a change waits to be kept.
    static const unsigned kKeepDelayMs = 1000;
    // The window's caption without the time.
    static const wchar_t kProgramTitle[];
    static const size_t kRecentFiles = 8;
    static const size_t kListPlaces = 20;
    // The settings' sections of the recent files and of the lists' places.
    static constexpr wchar_t kRecentFilesSection[] = L"Recent Files";
    static constexpr wchar_t kListPlacesSection[] = L"Puzzle Lists";

    enum FileType { kPuzzleFile, kGameFile };

    // start: the first puzzle on the board; properties: the program's settings and
    // statistics, which outlive the controller (the settings are read once here and
    // written when one changes); now: the monotonic time source of the game's clock.
    BoardController(const EnneoPuzzle& start, util::IProperties& properties, GameClock::TimeSource now);

    BoardAnswer Execute(const BoardCommand& command);
    // Installs the file at path as one step: a game file's board with its kinds of
    // digits, marks and selection (not its history), any other file's puzzle (of a list,
    // the one last open there, else the first). A file that cannot be read, or holds no
    // puzzle, leaves the board as it was, and the answer's error box says so.
    BoardAnswer Open(const wchar_t* path);
    // The first puzzle of what the clipboard holds in place of the game; a box says why
    // nothing came in.
    BoardAnswer Paste(const ClipboardContent& content);
    // The box that says Copy found the clipboard in use.
    static BoardAnswer CopyRefused();
    // Writes the board as a puzzle file, or the whole game as a game file, at path, and
    // remembers the file; the answer's error box says when it could not.
    BoardAnswer Save(const wchar_t* path, FileType type);

    // Keeps the game in gameFile from now on, while Resume Last Game is on; empty when
    // another copy of the program keeps the game. With the option on, the game kept
    // there goes on (see GameKeeper::Resume), its history with it. The answer's box
    // says what became of a kept game that could not be taken whole, or that this
    // window's game is not kept because another copy keeps one. Called once, at start.
    BoardAnswer Resume(const std::filesystem::path& gameFile);
    // Writes the game, when it changed (or its clock ran on) since it was last kept and
    // Resume Last Game is on. The answer's error box says what failed and where, the
    // first time only: play goes on, and the next change tries again.
    BoardAnswer Keep();

    // For the menu: whether a command can do anything now (Undo and Redo need a step,
    // Undo to Last Correct a mistake on a puzzle with one solution, Next Puzzle in File a
    // list; while the game is paused only the switches, Pause, Statistics and what puts
    // a new puzzle on the board can), and whether a switch (Show Hints, Mark Selection,
    // Pencil Mode, Show Timer, Pause, Resume Last Game) is on.
    bool IsAvailable(BoardCommand::Kind kind) const;
    bool IsOn(BoardCommand::Kind kind) const;
    // The window's caption: kProgramTitle, and with Show Timer on the game's time after
    // it ("Enneo Tessary - 12:34").
    String GetTitle() const;
    // Milliseconds until the time in the caption changes, for the window's timer; 0
    // while it cannot (Show Timer off, or the clock stopped).
    unsigned GetTickDelay() const;

    // The list file's puzzle on the board; none while no list is open.
    std::optional<ListPlace> GetListPlace() const;
    // The files last opened or saved, the latest first.
    const std::vector<RememberedFiles::Entry>& GetRecentFiles() const { return recentFiles_.Get(); }

    const Game& GetGame() const { return game_; }
    const BoardView& GetView() const { return view_; }
    // The last command's sentence for a screen reader (BoardAnswer::Reader), empty when
    // it had none.
    const String& GetAnnouncement() const { return announcement_; }
    const GameClock& GetClock() const { return clock_; }
    // What the readers (painter, menu, screen reader) show now.
    BoardSnapshot Snapshot() const;

private:
    // What a screen reader was last told of, to compare with after a command.
    struct Heard {
        EnneoPuzzle::Cell selected;
        int digit;  // the selected cell's
        unsigned changes;
        bool showHints;
        bool paused;
        std::vector<EnneoPuzzle::Cell> misfits;
        EnneoPuzzle::Cell hinted;
    };

    Heard Hear() const;
    // answer with what a screen reader must be told since before; keeps its announcement.
    BoardAnswer Told(const Heard& before, BoardAnswer answer);
    BoardAnswer Run(const BoardCommand& command);
    // What follows every command: the findings of the last Hint or Check go once the
    // board is no longer the one they looked at, a board just completed finishes the
    // game, the clock runs or stops, the caption follows, and a game that changed (or
    // whose clock stopped) since it was last noted is due to be kept.
    BoardAnswer Answered(BoardAnswer answer);
    // After a new board was put on as one step (replaced: when it changed the board):
    // a new game with it, played for so long and with such help; ends a pause.
    BoardAnswer Installed(bool replaced, const GamePlay& play = GamePlay());
    // Starts a new game on the board as it is, which has been played for so long and
    // with such help: a game file's, or none for a new puzzle.
    void StartGame(const GamePlay& play = GamePlay());
    // The game's end: its time counts for the statistics when the player finished it
    // unassisted; a new best time is told in a box.
    BoardAnswer Finish(BoardAnswer answer);
    bool RunsWhilePaused(BoardCommand::Kind kind) const;
    // The board repainted after a move of the selection, when the selection is tinted.
    BoardAnswer SelectionShown() const;
    BoardAnswer EnterDigit(int digit);
    BoardAnswer Mark(int digit);
    BoardAnswer ChooseTheme(BoardTheme::Choice theme);
    BoardAnswer Hint();
    BoardAnswer Check();
    // Keeps what Hint or Check found for the painter, for as long as the board stays.
    void PointAt(const std::vector<EnneoPuzzle::Cell>& misfits, EnneoPuzzle::Cell hinted);
    BoardAnswer UndoToCorrect();
    BoardAnswer SwitchTimer();
    BoardAnswer SwitchKeeping();
    // Open, Answered by the caller.
    BoardAnswer OpenFile(const std::wstring& path);
    BoardAnswer OpenRecent(size_t index);
    BoardAnswer NextPuzzle();
    // The puzzle of a list at index (clamped into it) in place of the game.
    BoardAnswer OpenListPuzzle(const std::wstring& path, const PuzzleExchange& list, size_t index);
    // A puzzle from outside in place of the game, as one step, unless it breaks the
    // rules; caption: the box's, when there is one to show.
    BoardAnswer Install(const EnneoPuzzle& puzzle, const wchar_t* caption);
    BoardAnswer MakeGivens();
    // The answer with the text Copy puts on the clipboard.
    BoardAnswer Copy(PuzzleExchange::Digits digits) const;
    // The answer after a file was opened or saved: the file first in the recent list,
    // and told to Windows.
    BoardAnswer Remembered(BoardAnswer answer, const std::wstring& path);
    // The answer with a box that says another copy of the program keeps the game.
    static BoardAnswer KeptElsewhere(BoardAnswer answer);
    // What a game file keeps of the play besides the board: the time, and the help.
    GamePlay Play() const { return {clock_.GetElapsed(), assisted_}; }

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
    String announcement_;          // the last command's, for GetAnnouncement
    bool keepGame_;                // Resume Last Game
    GameKeeper keeper_;
    // The game's change count, selection and help when a change was last noted for the
    // keeper.
    unsigned notedChange_ = 0;
    EnneoPuzzle::Cell notedSelection_ = {0, 0};
    bool notedAssisted_ = false;
    RememberedFiles recentFiles_;
    RememberedFiles listPlaces_;  // each note the number of the puzzle last open
    std::wstring listPath_;       // the list file open; empty for none
    ListPlace listPlace_ = {0, 0};
};
