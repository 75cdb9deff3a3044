// GameKeeper: the game in progress kept in its file as it is played, for the next start.
#include "GameKeeper.h"

#include "common/util/FileReplace.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

using Outcome = GameFile::Outcome;
using Version = util::BackedUpFile::Version;
using WriteResult = util::BackedUpFile::WriteResult;

// How many free names a refused file tries, should other names be taken meanwhile.
const int kAsideAttempts = 10;

GameFile::Reading NoGame(Message message = Message()) { return {Outcome::NoFile, std::nullopt, std::move(message), {}}; }

// Adds next to message, flat: its own sentences follow as sentences of message.
void Append(Message& message, Message next) {
    std::vector<Message> more = std::move(next.more);
    next.more.clear();
    if (message.IsEmpty()) {
        message = std::move(next);
    } else {
        message.Then(std::move(next));
    }
    for (Message& sentence : more) {
        Message::Join join = sentence.join;
        message.Then(std::move(sentence), join);
    }
}

// The game to go on with, of the file (whole unless backup is there) and its backup:
// the backup when the file is missing or damaged or kept no history the backup has, and
// then says so.
GameFile::Reading Choose(GameFile::Reading current, std::optional<GameFile::Reading> backup) {
    if (!backup) return current;
    bool backupIsBetter = backup->outcome == Outcome::Whole ||
                          (backup->outcome == Outcome::BoardOnly && current.outcome != Outcome::BoardOnly);
    if (!backupIsBetter) return current.outcome == Outcome::NoFile ? std::move(*backup) : std::move(current);
    Message fromBackup(Message::kGameFromBackup);
    if (!backup->message.IsEmpty()) fromBackup.Then(std::move(backup->message), Message::kBlank);
    backup->message = std::move(fromBackup);
    return std::move(*backup);
}

std::filesystem::path RefusedName(const std::filesystem::path& file, unsigned long number) {
    std::filesystem::path name = file;
    name += ".refused-" + std::to_string(number);
    return name;
}

// The numbers n of the files "<file>.refused-<n>" beside file, ascending.
std::vector<unsigned long> RefusedNumbers(const std::filesystem::path& file) {
    const std::wstring prefix = file.filename().wstring() + L".refused-";
    std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    std::vector<unsigned long> numbers;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::wstring name = entry->path().filename().wstring();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        std::wstring digits = name.substr(prefix.size());
        if (digits.empty() || digits.size() > 9 || digits.find_first_not_of(L"0123456789") != std::wstring::npos) {
            continue;
        }
        numbers.push_back(std::stoul(digits));
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
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
    held_ = false;
    if (!HasFile()) return NoGame();
    // A version that could not be read may hold the only copy of the game.
    GameFile::Reading current = GameFile::Read(file_, Version::Current);
    std::optional<GameFile::Reading> backup;
    if (current.outcome != Outcome::Whole) backup = GameFile::Read(file_, Version::Backup);
    for (GameFile::Reading* version : {&current, backup ? &*backup : nullptr}) {
        if (version == nullptr || version->outcome != Outcome::Unreadable) continue;
        GameFile::Reading unread = std::move(*version);
        LeaveInPlace(file_.GetPath(version == &current ? Version::Current : Version::Backup), unread.message);
        return unread;
    }
    bool currentRefused = current.outcome == Outcome::Refused;
    bool backupRefused = backup && backup->outcome == Outcome::Refused;
    GameFile::Reading reading = Choose(std::move(current), std::move(backup));
    // The next two writes replace both versions, the backup first: a newer version's
    // game, or one damaged in a way worth a look, is moved out of their way, the older
    // one first.
    Message aside;
    if (backupRefused) SetAside(Version::Backup, Message::kBackupSetAside, aside);
    if (currentRefused) SetAside(Version::Current, Message::kGameSetAside, aside);
    if (reading.game && reading.game->GetState().puzzle.IsSolved()) return NoGame(std::move(aside));
    if (!aside.IsEmpty()) Append(reading.message, std::move(aside));
    return reading;
}

void GameKeeper::SetAside(Version version, Message::Id told, Message& message) {
    const std::filesystem::path refused = file_.GetPath(version);
    std::vector<unsigned long> numbers = RefusedNumbers(file_.GetPath());
    unsigned long next = numbers.empty() ? 1 : numbers.back() + 1;
    for (int attempt = 0; attempt < kAsideAttempts; ++attempt, ++next) {
        std::filesystem::path aside = RefusedName(file_.GetPath(), next);
        if (util::MoveToFreeName(refused, aside)) {
            Append(message, Message(told, {Message::Value::Text(aside.wstring())}));
            numbers = RefusedNumbers(file_.GetPath());
            std::error_code ignored;
            for (size_t i = 0; i + kRefusedKept < numbers.size(); ++i) {
                std::filesystem::remove(RefusedName(file_.GetPath(), numbers[i]), ignored);
            }
            return;
        }
        std::error_code error;
        if (!std::filesystem::exists(aside, error) && !error) break;  // refused for another reason than the name
    }
    LeaveInPlace(refused, message);
}

void GameKeeper::LeaveInPlace(const std::filesystem::path& path, Message& message) {
    held_ = true;
    Append(message, Message(Message::kGameLeftInPlace, {Message::Value::Text(path.wstring())}));
}

bool GameKeeper::Changed() {
    due_ = true;
    bool starts = HasFile() && !held_ && !waiting_;
    waiting_ = waiting_ || starts;
    return starts;
}

Message GameKeeper::Keep(const Game& game, const GamePlay& play) {
    waiting_ = false;
    if (!due_ || !HasFile() || held_) return Message();
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
