// GameKeeper: the game in progress kept in its file as it is played, for the next start.
#pragma once

#include "common/util/BackedUpFile.h"
#include "puzzle/GameFile.h"
#include "puzzle/Message.h"

#include <filesystem>

// Keeps a game in a file that is only ever replaced whole, with the previous version as
// its backup (util::BackedUpFile), and reads it back. It knows whether the game changed
// since it was last written, so that a write is due only then, and whether a failed
// write was told: only the first failure of a run is, since play goes on either way and
// the next change tries again.
class GameKeeper {
public:
    // file: where the game is kept; empty for nowhere (nothing is read or written).
    explicit GameKeeper(std::filesystem::path file = {}) : file_(std::move(file)) {}

    bool HasFile() const { return !file_.GetPath().empty(); }
    // The kept game to go on with: none without a file, or when the game in it was
    // solved (all 81 cells hold digits, which the reader has found to keep the rule).
    // The file is read, or its backup when the file is missing or damaged or kept no
    // history the backup has; then the message begins with kGameFromBackup, followed by
    // the backup's own message if it has one. Otherwise the message is the reading's,
    // saying what became of a file that could not be taken whole. A file from which no
    // game was taken is renamed "<file>.refused" (replacing an earlier one), so that the
    // writes of the new game leave it be, and kGameSetAside with that path follows.
    GameFile::Reading Resume();

    // Notes a change of the game; true when it starts the wait for the next write,
    // which no earlier change has started since the last Keep.
    bool Changed();
    // Writes game, played so far, when it changed since it was last written. Answers
    // what failed and where, the first time a write fails in this keeper's life: one of
    // kNotKeptNoFolder, kNotKeptNoNewFile, kNotKeptNotWhole with the folder's path, or
    // kNotKeptNotReplaced with the file's, followed by kPlayGoesOn; else empty.
    Message Keep(const Game& game, const GamePlay& play);

private:
    util::BackedUpFile file_;
    bool due_ = false;      // changed since the last write
    bool waiting_ = false;  // a wait for the next write has started
    bool told_ = false;     // a failure was answered
};
