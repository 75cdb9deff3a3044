// BoardSnapshot: the board as its readers (painter, menu, screen reader) see it.
#pragma once

#include "BoardCommand.h"
#include "BoardView.h"
#include "board/intake/ListPlace.h"
#include "board/intake/RememberedFiles.h"
#include "puzzle/GameState.h"
#include "puzzle/Message.h"

#include <bitset>
#include <optional>
#include <vector>

// A copy of what the board controller shows after a command, which readers cannot
// change: the game state, the view, the last announcement, which commands can run and
// which switches are on, the list's place, the recent files and the language chosen.
// The window takes a new one after every answer (BoardController::Snapshot).
struct BoardSnapshot {
    GameState state;
    BoardView view;
    Message announcement;  // the last command's sentence for a screen reader, if any
    std::bitset<BoardCommand::kKindCount> available;
    std::bitset<BoardCommand::kKindCount> on;
    std::optional<ListPlace> listPlace;
    std::vector<RememberedFiles::Entry> recentFiles;
    // Options / Language's choice: an index of Language, or BoardSettings::kFollowWindows (-1).
    int language = -1;

    bool IsAvailable(BoardCommand::Kind kind) const { return available[kind]; }
    bool IsOn(BoardCommand::Kind kind) const { return on[kind]; }
};
