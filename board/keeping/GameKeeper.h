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
// the next change tries again. No copy of a game is lost to its writes: a file that was
// refused is moved aside first, and one that could not be read is never written over.
class GameKeeper {
public:
    // How many refused files are kept beside the game file: the newest; the oldest goes first.
    static const int kRefusedKept = 5;

    // file: where the game is kept; empty for nowhere (nothing is read or written).
    explicit GameKeeper(std::filesystem::path file = {}) : file_(std::move(file)) {}

    bool HasFile() const { return !file_.GetPath().empty(); }
    // The kept game to go on with: none without a file, or when the game in it was
    // solved (all 81 cells hold digits, which the reader has found to keep the rule).
    // The file is read, or its backup when the file is missing or damaged or kept no
    // history the backup has; then the message begins with kGameFromBackup, followed by
    // the backup's own message if it has one. Otherwise the message is the reading's,
    // saying what became of a file that could not be taken whole.
    // Each version from which no game was taken (damaged, of a newer version) is moved
    // to a name of its own, "<file>.refused-<n>" with n above any there, so that the
    // writes of the new game leave it be, and kGameSetAside (the file) or
    // kBackupSetAside (the backup) with that path follows; of the files so named only
    // the newest kRefusedKept stay. A version that could not be read at all (held open
    // by another program, an I/O error, a folder or device of that name) is no refusal:
    // nothing is taken (Unreadable, kGameNotReadable); that version, like a refused one
    // that could not be moved, stays as it is, kGameLeftInPlace names it, and this
    // keeper writes nothing until its next Resume.
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
    // Moves a refused version aside (see Resume) and adds what became of it to message.
    void SetAside(util::BackedUpFile::Version version, Message::Id told, Message& message);
    // Leaves path as it is from now on (see Resume) and adds so to message.
    void LeaveInPlace(const std::filesystem::path& path, Message& message);

    util::BackedUpFile file_;
    bool due_ = false;      // changed since the last write
    bool waiting_ = false;  // a wait for the next write has started
    bool told_ = false;     // a failure was answered
    bool held_ = false;     // a file that must not be written over is there: nothing is written until the next Resume
};
