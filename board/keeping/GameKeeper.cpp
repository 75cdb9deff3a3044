// GameKeeper: the game in progress kept in its file as it is played, for the next start.
#include "GameKeeper.h"

#include "common/util/FileReplace.h"

#include <system_error>
#include <utility>

namespace {

using Outcome = GameFile::Outcome;
using Version = util::BackedUpFile::Version;
using WriteResult = util::BackedUpFile::WriteResult;

// The file, or its backup when the file is missing or damaged or kept no history the
// backup has, and then says so; NoFile without either. fileRefused: the file itself was
// there, and no game was taken from it.
GameFile::Reading Load(const util::BackedUpFile& file, bool& fileRefused) {
    GameFile::Reading current = GameFile::Read(file, Version::Current);
    fileRefused = current.outcome == Outcome::Refused;
    if (current.outcome == Outcome::Whole) return current;
    GameFile::Reading backup = GameFile::Read(file, Version::Backup);
    bool backupIsBetter = backup.outcome == Outcome::Whole ||
                          (backup.outcome == Outcome::BoardOnly && current.outcome != Outcome::BoardOnly);
    if (!backupIsBetter) return current.outcome == Outcome::NoFile ? backup : current;
    Message fromBackup(Message::kGameFromBackup);
    if (!backup.message.IsEmpty()) fromBackup.Then(std::move(backup.message), Message::kBlank);
    backup.message = std::move(fromBackup);
    return backup;
}

// What failed and where (the folder, or the file that could not be replaced), and that
// play goes on.
Message NotKept(WriteResult result, const std::filesystem::path& file, bool folderMade) {
    Message::Id id = !folderMade                         ? Message::kNotKeptNoFolder
                     : result == WriteResult::NotMade    ? Message::kNotKeptNoNewFile
                     : result == WriteResult::NotWritten ? Message::kNotKeptNotWhole
                                                         : Message::kNotKeptNotReplaced;
    std::filesystem::path where = id == Message::kNotKeptNotReplaced ? file : file.parent_path();
    Message message(id, {Message::Value::Text(where.wstring())});
    message.Then(Message(Message::kPlayGoesOn), Message::kParagraph);
    return message;
}

}  // namespace

GameFile::Reading GameKeeper::Resume() {
    if (!HasFile()) return {Outcome::NoFile, std::nullopt, Message(), {}};
    bool fileRefused = false;
    GameFile::Reading reading = Load(file_, fileRefused);
    // The next two writes would replace a file that was refused, first as the current
    // file and then as the backup: a newer version's game, or one damaged in a way
    // worth a look, is moved out of their way.
    std::filesystem::path aside = file_.GetPath();
    aside += ".refused";
    if (fileRefused && util::MoveReplacing(file_.GetPath(), aside)) {
        reading.message.Then(Message(Message::kGameSetAside, {Message::Value::Text(aside.wstring())}));
    }
    if (reading.game && reading.game->GetState().puzzle.IsSolved()) {
        return {Outcome::NoFile, std::nullopt, Message(), {}};
    }
    return reading;
}

bool GameKeeper::Changed() {
    due_ = true;
    bool starts = HasFile() && !waiting_;
    waiting_ = waiting_ || starts;
    return starts;
}

Message GameKeeper::Keep(const Game& game, const GamePlay& play) {
    waiting_ = false;
    if (!due_ || !HasFile()) return Message();
    // The folder may be missing: at the first write, or removed since.
    std::error_code error;
    bool folderMade = std::filesystem::is_directory(file_.GetPath().parent_path(), error) ||
                      std::filesystem::create_directories(file_.GetPath().parent_path(), error);
    WriteResult result = folderMade ? file_.Write(GameFile::Write(game, play)) : WriteResult::NotMade;
    if (result == WriteResult::Written) {
        due_ = false;
        return Message();
    }
    if (told_) return Message();
    told_ = true;
    return NotKept(result, file_.GetPath(), folderMade);
}
