// Tests of the keeping of the game: which of the file and its backup goes on, and what is told.
#include "board/keeping/GameKeeper.h"

#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using Version = util::BackedUpFile::Version;
using WriteResult = util::BackedUpFile::WriteResult;

// A message's identifier and values, compared at once.
using Told = std::pair<Message::Id, std::vector<Message::Value>>;
Told Of(const Message& message) { return {message.id, message.values}; }

// The sample with a mark and a digit in its first cell, and a digit undone.
Game PlayedGame() {
    EnneoPuzzle sample;
    sample.LoadFromString(EnneoPuzzle::kSampleText);
    Game game(sample);
    game.MoveSelection(-9, -9);
    EXPECT_TRUE(game.ToggleMark(2));
    EXPECT_TRUE(game.EnterDigit(8));
    game.MoveSelection(1, 1);
    EXPECT_TRUE(game.EnterDigit(5));
    EXPECT_TRUE(game.Undo());
    return game;
}

class GameKeeperTest : public ::testing::Test {
protected:
    TempFolder folder_;
    util::BackedUpFile file_{folder_.Folder() / "game"};
    GameKeeper keeper_{file_.GetPath()};
};

// The file goes on when it is whole; its backup when the file is damaged or missing, and
// the message says so, followed by the backup's own; without a backup the damaged file's
// board.
TEST_F(GameKeeperTest, ResumeFallsBackToTheBackupOfADamagedFile) {
    EXPECT_EQ(GameFile::Outcome::NoFile, keeper_.Resume().outcome);

    Game game = PlayedGame();
    ASSERT_EQ(WriteResult::Written, file_.Write(GameFile::Write(game)));
    const std::string older = GameFile::Write(game);
    ASSERT_TRUE(game.Redo());
    const std::string newer = GameFile::Write(game);
    ASSERT_EQ(WriteResult::Written, file_.Write(newer));
    GameFile::Reading reading = keeper_.Resume();
    ASSERT_EQ(GameFile::Outcome::Whole, reading.outcome);
    EXPECT_TRUE(reading.message.IsEmpty());
    EXPECT_EQ(newer, GameFile::Write(*reading.game));

    WriteBytes(file_.GetPath(), newer.substr(0, newer.size() - 5));
    reading = keeper_.Resume();
    ASSERT_EQ(GameFile::Outcome::Whole, reading.outcome);
    EXPECT_EQ(Message::kGameFromBackup, reading.message.id);
    EXPECT_TRUE(reading.message.more.empty());
    EXPECT_EQ(older, GameFile::Write(*reading.game));

    // A backup without its history is better than a file without a board.
    WriteBytes(file_.GetPath(Version::Backup), older.substr(0, older.size() - 5));
    WriteBytes(file_.GetPath(), newer.substr(0, 30));
    reading = keeper_.Resume();
    ASSERT_EQ(GameFile::Outcome::BoardOnly, reading.outcome);
    EXPECT_EQ(Message::kGameFromBackup, reading.message.id);
    ASSERT_EQ(2u, reading.message.more.size());
    EXPECT_EQ(Message::kHistoryDropped, reading.message.more[0].id);
    EXPECT_EQ(Message::kBlank, reading.message.more[0].join);
    EXPECT_EQ(Message::kGameSetAside, reading.message.more[1].id);

    // Without a backup, the damaged file's board is kept, and the file stays.
    WriteBytes(file_.GetPath(), newer.substr(0, newer.size() - 5));
    std::filesystem::remove(file_.GetPath(Version::Backup));
    reading = keeper_.Resume();
    EXPECT_EQ(GameFile::Outcome::BoardOnly, reading.outcome);
    const int lastLine = static_cast<int>(std::count(newer.begin(), newer.end(), '\n'));  // the history's check
    EXPECT_EQ((Told{Message::kHistoryDropped, {Message::Value::Number(lastLine)}}), Of(reading.message));
    EXPECT_TRUE(reading.message.more.empty());
}

// Every version from which no game was taken is moved aside under a name of its own,
// the message saying where; the newest kRefusedKept of them stay.
TEST_F(GameKeeperTest, EveryRefusedVersionIsSetAsideUnderANameOfItsOwn) {
    auto aside = [this](int number) { return file_.GetPath().wstring() + L".refused-" + std::to_wstring(number); };
    const std::string newer = "Enneo Tessary game 2.0\r\nboard 81\r\n";
    WriteBytes(file_.GetPath(), newer);
    GameFile::Reading reading = keeper_.Resume();
    EXPECT_EQ(GameFile::Outcome::Refused, reading.outcome);
    EXPECT_EQ((Told{Message::kGameOfNewerVersion, {Message::Value::Text(L"2.0")}}), Of(reading.message));
    ASSERT_EQ(1u, reading.message.more.size());
    EXPECT_EQ((Told{Message::kGameSetAside, {Message::Value::Text(aside(1))}}), Of(reading.message.more[0]));
    EXPECT_EQ(newer, ReadBytes(aside(1)));
    EXPECT_FALSE(std::filesystem::exists(file_.GetPath()));

    // Only the backup is left (a crash between a write's two moves) and it is refused:
    // it goes aside too, never replacing the earlier one.
    const std::string damaged = GameFile::Write(PlayedGame()).substr(0, 40);
    WriteBytes(file_.GetPath(Version::Backup), damaged);
    reading = keeper_.Resume();
    EXPECT_EQ(GameFile::Outcome::Refused, reading.outcome);
    EXPECT_EQ(Message::kGameDamaged, reading.message.id);
    ASSERT_EQ(1u, reading.message.more.size());
    EXPECT_EQ((Told{Message::kBackupSetAside, {Message::Value::Text(aside(2))}}), Of(reading.message.more[0]));
    EXPECT_EQ(damaged, ReadBytes(aside(2)));
    EXPECT_EQ(newer, ReadBytes(aside(1)));

    // Both refused: the backup (the older) first; past the bound the oldest go.
    for (int round = 0; round < 2; ++round) {
        WriteBytes(file_.GetPath(), newer);
        WriteBytes(file_.GetPath(Version::Backup), damaged);
        reading = keeper_.Resume();
        ASSERT_EQ(2u, reading.message.more.size());
        EXPECT_EQ((Told{Message::kBackupSetAside, {Message::Value::Text(aside(3 + 2 * round))}}),
                  Of(reading.message.more[0]));
        EXPECT_EQ((Told{Message::kGameSetAside, {Message::Value::Text(aside(4 + 2 * round))}}),
                  Of(reading.message.more[1]));
    }
    for (int number = 1; number <= 6; ++number) {
        EXPECT_EQ(number > 6 - GameKeeper::kRefusedKept, std::filesystem::exists(aside(number))) << number;
    }
}

// A version that cannot be read is no refusal: it stays where it is, no game is taken
// and none is written over it; once it reads again, play is kept as before.
TEST_F(GameKeeperTest, AVersionThatCannotBeReadIsLeftAndNeverWrittenOver) {
    const std::string damaged = GameFile::Write(PlayedGame()).substr(0, 40);
    WriteBytes(file_.GetPath(), damaged);
    std::filesystem::create_directory(file_.GetPath(Version::Backup));  // no file can be read there
    GameFile::Reading reading = keeper_.Resume();
    EXPECT_EQ(GameFile::Outcome::Unreadable, reading.outcome);
    EXPECT_FALSE(reading.game);
    EXPECT_EQ(Message::kGameNotReadable, reading.message.id);
    ASSERT_EQ(1u, reading.message.more.size());
    EXPECT_EQ((Told{Message::kGameLeftInPlace, {Message::Value::Text(file_.GetPath(Version::Backup).wstring())}}),
              Of(reading.message.more[0]));
    const Game game = PlayedGame();
    EXPECT_FALSE(keeper_.Changed());
    EXPECT_TRUE(keeper_.Keep(game, GamePlay()).IsEmpty());
    EXPECT_EQ(damaged, ReadBytes(file_.GetPath()));

    std::filesystem::remove(file_.GetPath(Version::Backup));
    EXPECT_EQ(Message::kGameSetAside, keeper_.Resume().message.more.at(0).id);
    EXPECT_TRUE(keeper_.Changed());
    EXPECT_TRUE(keeper_.Keep(game, GamePlay()).IsEmpty());
    EXPECT_EQ(GameFile::Write(game), ReadBytes(file_.GetPath()));
}

// A write that fails names the folder and is told once; the next change writes again.
TEST_F(GameKeeperTest, AFailedWriteIsToldOnce) {
    const std::filesystem::path folder = folder_.Folder() / "kept";
    GameKeeper keeper(folder / "game");
    WriteBytes(folder, "a file where the folder should be");
    const Game game = PlayedGame();
    EXPECT_TRUE(keeper.Keep(game, GamePlay()).IsEmpty());  // nothing changed yet
    EXPECT_TRUE(keeper.Changed());
    Message failure = keeper.Keep(game, GamePlay());
    EXPECT_EQ((Told{Message::kNotKeptNoFolder, {Message::Value::Text(folder.wstring())}}), Of(failure));
    ASSERT_EQ(1u, failure.more.size());
    EXPECT_EQ(Message::kPlayGoesOn, failure.more[0].id);
    EXPECT_EQ(Message::kParagraph, failure.more[0].join);

    keeper.Changed();
    EXPECT_TRUE(keeper.Keep(game, GamePlay()).IsEmpty());
    std::filesystem::remove(folder);
    EXPECT_TRUE(keeper.Keep(game, GamePlay()).IsEmpty());
    EXPECT_EQ(GameFile::Write(game), ReadBytes(folder / "game"));
}

}  // namespace
