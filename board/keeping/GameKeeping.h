// GameKeeping: Resume Last Game: the game in progress kept as it is played, and taken up again.
#pragma once

#include "board/BoardAnswer.h"
#include "board/keeping/GameKeeper.h"
#include "board/play/PlaySession.h"

#include <filesystem>

// While Resume Last Game is on, the game is kept in a file (GameKeeper) from Resume on,
// with the time its clock counted and its help: every change of the board, the
// selection or the help, and each stop of the clock, makes a write due, which the window
// makes (Keep) at the latest kKeepDelayMs after it, and at once where the program may
// end. With the option off nothing is read or written.
class GameKeeping {
public:
    // The longest a change waits to be kept.
    static const unsigned kKeepDelayMs = 1000;

    // on: whether Resume Last Game is on.
    explicit GameKeeping(bool on) : on_(on) {}

    bool IsOn() const { return on_; }
    // Switches the option; switched on, the game is kept soon, unless another copy of
    // the program keeps one; switched off, a box says that the game will be lost when
    // the program ends.
    BoardAnswer Switch();
    // Keeps the game in gameFile from now on; empty when another copy of the program
    // keeps the game. With the option on, the game kept there goes on in session (see
    // GameKeeper::Resume), its history with it. The answer's box says what became of a
    // kept game that could not be taken whole, or that this window's game is not kept
    // because another copy keeps one.
    BoardAnswer Resume(const std::filesystem::path& gameFile, PlaySession& session);
    // Notes the session after a command: answer.keep is set when it changed (or its clock
    // stopped, clockStopped) since it was last noted and this starts the wait for a write.
    void Note(const PlaySession& session, bool clockStopped, BoardAnswer& answer);
    // Writes the game when it changed (or its clock ran on) since it was last kept. The
    // answer's error box says what failed and where, the first time only: play goes on,
    // and the next change tries again.
    BoardAnswer Keep(const PlaySession& session);

private:
    // Remembers the session as it is now, as noted.
    void Noted(const PlaySession& session);

    bool on_;
    GameKeeper keeper_;
    // The game's change count, selection and help when a change was last noted.
    unsigned notedChange_ = 0;
    EnneoPuzzle::Cell notedSelection_ = {0, 0};
    bool notedAssisted_ = false;
};
