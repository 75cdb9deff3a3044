// GameKeeper: the game in progress kept in its file as it is played, for the next start.
#include "GameKeeper.h"

#include "common/util/FileReplace.h"

#include <system_error>

namespace {

using WriteResult = util::BackedUpFile::WriteResult;

std::wstring Quoted(const std::filesystem::path& path) { return L"\"" + path.wstring() + L"\""; }

// What failed and where, and that play goes on.
std::wstring NotKept(WriteResult result, const std::filesystem::path& file, bool folderMade) {
    std::filesystem::path folder = file.parent_path();
    std::wstring what;
    if (!folderMade) {
        what = L"the folder " + Quoted(folder) + L" could not be made.";
    } else if (result == WriteResult::NotMade) {
        what = L"no new file could be made in the folder " + Quoted(folder) + L" (it may be read-only).";
    } else if (result == WriteResult::NotWritten) {
        what = L"a new file in the folder " + Quoted(folder) + L" could not be written whole (the disk may be full).";
    } else {
        what = L"the file " + Quoted(file) + L" could not be replaced (it may be read-only or open in another program).";
    }
    return L"The game could not be kept: " + what +
           L"\n\nPlay goes on, and the game is written again with the next change, without another word.";
}

}  // namespace

GameFile::Reading GameKeeper::Resume() {
    if (!HasFile()) return {GameFile::Outcome::NoFile, std::nullopt, L"", {}, false};
    GameFile::Reading reading = GameFile::Load(file_);
    // The next two writes would replace a file that was refused, first as the current
    // file and then as the backup: a newer version's game, or one damaged in a way
    // worth a look, is moved out of their way.
    std::filesystem::path aside = file_.GetPath();
    aside += ".refused";
    if (reading.fileRefused && util::MoveReplacing(file_.GetPath(), aside)) {
        reading.message += L" The file was kept as " + Quoted(aside) + L".";
    }
    if (reading.game && reading.game->GetState().puzzle.IsSolved()) {
        return {GameFile::Outcome::NoFile, std::nullopt, L"", {}, false};
    }
    return reading;
}

bool GameKeeper::Changed() {
    due_ = true;
    bool starts = HasFile() && !waiting_;
    waiting_ = waiting_ || starts;
    return starts;
}

std::wstring GameKeeper::Keep(const Game& game, const GamePlay& play) {
    waiting_ = false;
    if (!due_ || !HasFile()) return L"";
    // The folder may be missing: at the first write, or removed since.
    std::error_code error;
    bool folderMade = std::filesystem::is_directory(file_.GetPath().parent_path(), error) ||
                      std::filesystem::create_directories(file_.GetPath().parent_path(), error);
    WriteResult result = folderMade ? file_.Write(GameFile::Write(game, play)) : WriteResult::NotMade;
    if (result == WriteResult::Written) {
        due_ = false;
        return L"";
    }
    if (told_) return L"";
    told_ = true;
    return NotKept(result, file_.GetPath(), folderMade);
}
