// Tests of the game file: round trips of every kind of state, a later version's file, and
// every way a file can be refused or lose its history.
#include "puzzle/GameFile.h"

#include "common/util/Crc32.h"
#include "tests/common/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

// Selects a cell through moves alone.
void Select(Game& game, int x, int y) {
    game.MoveSelection(-9, -9);
    game.MoveSelection(x - 1, y - 1);
}

EnneoPuzzle Sample() {
    EnneoPuzzle puzzle;
    puzzle.LoadFromString(EnneoPuzzle::kSampleText);
    return puzzle;
}

// Marks, a placement that clears some, and a step undone: SmallGameText's game.
Game SmallGame() {
    Game game(Sample());
    Select(game, 1, 1);
    game.ToggleMark(2);
    game.ToggleMark(8);
    Select(game, 7, 1);
    game.ToggleMark(8);
    Select(game, 1, 1);
    game.EnterDigit(8);
    Select(game, 2, 2);
    game.EnterDigit(5);
    game.Undo();
    return game;
}

// SmallGame() as a later minor version writes it, with lines of its own, and as an editor
// may leave it, with LF line ends.
const char kLaterMinorVersion[] =
    "Enneo Tessary game 1.3\n"
    "row +8 9 7 3 . 5 . 4 .\n"
    "row . . . . . 6 . . .\n"
    "row . . 2 9 8 . . . .\n"
    "row . . . 6 . . . . 5\n"
    "row . 2 8 . . . . . 3\n"
    "row 6 4 . 7 . . . 8 .\n"
    "row . . . . . 3 8 6 7\n"
    "row . . . . . . . . .\n"
    "row 7 . 5 . . . . . 4\n"
    "selected r2c2\n"
    "elapsed 754\n"
    "board-check f99875df\n"
    "done r1c1 r1c1 r1c1:.>.2\n"
    "done r1c1 r1c1 r1c1:.2>.28\n"
    "done r1c7 r1c7 r1c7:.>.8\n"
    "done r1c1 r1c1 r1c1:.28>+8 r1c7:.8>.\n"
    "origin generated hard\n"
    "undone r2c2 r2c2 r2c2:.>+5\n"
    "history-check 93f30e3b\n";

// A message's identifier and values, compared at once.
using Told = std::pair<Message::Id, std::vector<Message::Value>>;
Told Of(const Message& message) { return {message.id, message.values}; }
Told Damaged(int line) { return {Message::kGameDamaged, {Message::Value::Number(line)}}; }
Told HistoryDropped(int line) { return {Message::kHistoryDropped, {Message::Value::Number(line)}}; }

// The game's file at every point of its history: undone to the start, then redone to
// the end. Equal walks mean equal boards, marks, selections and steps throughout.
std::vector<std::string> Walk(Game game) {
    std::vector<std::string> files = {GameFile::Write(game)};
    while (game.Undo()) files.push_back(GameFile::Write(game));
    while (game.Redo()) files.push_back(GameFile::Write(game));
    return files;
}

// Every kind of cell (empty, marked, given, the player's and the solver's digits) and of
// step (a new puzzle, marks, placements, Solve, Reset), with steps to redo, comes back
// exactly; so does a full history, in well under 100 KB.
TEST(GameFileTest, ARoundTripKeepsEveryKindOfStateAndAFullHistory) {
    Game game{EnneoPuzzle()};
    ASSERT_TRUE(game.Replace(Sample()));
    Select(game, 1, 1);
    ASSERT_TRUE(game.ToggleMark(8));
    Select(game, 5, 5);
    ASSERT_TRUE(game.ToggleMark(1));
    ASSERT_TRUE(game.ToggleMark(9));
    Select(game, 1, 1);
    ASSERT_TRUE(game.EnterDigit(8));
    ASSERT_TRUE(game.Solve());
    ASSERT_TRUE(game.Reset());
    ASSERT_TRUE(game.Undo());
    ASSERT_TRUE(game.Undo());
    std::string text = GameFile::Write(game);
    GameFile::Reading reading = GameFile::Read(text);
    ASSERT_EQ(GameFile::Outcome::Whole, reading.outcome);
    EXPECT_TRUE(reading.message.IsEmpty());
    EXPECT_EQ(Walk(game), Walk(*reading.game));

    // Marks and digits over the whole board, 1,100 steps of which the file keeps 1,000.
    Game full{EnneoPuzzle()};
    for (int i = 0; i < 1100; ++i) {
        Select(full, i / 4 % 9 + 1, i / 36 % 9 + 1);
        int digit = i / 4 % 9 + 1;
        bool changed = i % 4 == 0   ? full.ToggleMark(digit)
                       : i % 4 == 1 ? full.ToggleMark(10 - digit)
                       : i % 4 == 2 ? full.EnterDigit(digit)
                                    : full.EnterDigit(0);
        ASSERT_TRUE(changed) << i;
    }
    text = GameFile::Write(full);
    EXPECT_LT(text.size(), 100000u);
    reading = GameFile::Read(text);
    ASSERT_EQ(GameFile::Outcome::Whole, reading.outcome);
    EXPECT_EQ(text, GameFile::Write(*reading.game));
    size_t undone = 0;
    while (reading.game->Undo()) ++undone;
    EXPECT_EQ(1000u, undone);
}

// A later minor version's lines are read past; a later major version, and anything that
// is no game file, are refused, as is a text beyond the bound.
TEST(GameFileTest, ALaterMinorVersionIsReadAndALaterMajorVersionRefused) {
    GameFile::Reading reading = GameFile::Read(kLaterMinorVersion);
    ASSERT_EQ(GameFile::Outcome::Whole, reading.outcome);
    EXPECT_EQ(GameFile::Write(SmallGame()), GameFile::Write(*reading.game));

    std::string later = kLaterMinorVersion;
    later.replace(later.find("1.3"), 3, "2.0");
    reading = GameFile::Read(later);
    EXPECT_EQ(GameFile::Outcome::Refused, reading.outcome);
    EXPECT_FALSE(reading.game);
    EXPECT_EQ((Told{Message::kGameOfNewerVersion, {Message::Value::Text(L"2.0")}}), Of(reading.message));

    EXPECT_EQ(Message::kNotAGame, GameFile::Read(EnneoPuzzle::kSampleText).message.id);
    std::string huge = GameFile::Write(SmallGame());
    huge.resize(GameFile::kMaxBytes + 1, ' ');
    EXPECT_EQ((Told{Message::kGameTooLarge, {Message::Value::Number(4)}}), Of(GameFile::Read(huge).message));
}

// A written file with one line of its board part replaced by another, or taken out, and
// its board check made right again (the history's check does not cover the board).
std::string Rewritten(std::string text, const std::string& line, const std::string& by) {
    text.replace(text.find(line + "\r\n"), line.size() + 2, by.empty() ? by : by + "\r\n");
    size_t check = text.find("board-check ");
    uint32_t value = 0;
    for (size_t start = 0; start < check;) {
        size_t end = text.find("\r\n", start);
        value = util::Crc32("\n", util::Crc32(std::string_view(text).substr(start, end - start), value));
        start = end + 2;
    }
    char hex[9];
    std::snprintf(hex, sizeof(hex), "%08x", static_cast<unsigned>(value));
    return text.replace(check + 12, 8, hex);
}

// The time played and whether the game had help come back; a 1.0 file, which has no
// time, gives a game that does not count; a time that is not a plain number, or said
// twice, refuses the board like any other fault of it.
TEST(GameFileTest, TheTimePlayedAndTheHelpComeBack) {
    const Game game = SmallGame();
    for (GamePlay play : {GamePlay{754312, false}, GamePlay{0, true}, GamePlay{999999999999999, false}}) {
        GameFile::Reading reading = GameFile::Read(GameFile::Write(game, play));
        ASSERT_EQ(GameFile::Outcome::Whole, reading.outcome);
        EXPECT_EQ(play.milliseconds, reading.play.milliseconds);
        EXPECT_EQ(play.assisted, reading.play.assisted);
    }
    EXPECT_EQ(754u, GameFile::Read(kLaterMinorVersion).play.milliseconds);

    const std::string text = GameFile::Write(game, GamePlay{5000, false});
    std::string older = Rewritten(text, "elapsed 5000", "");
    older.replace(older.find("1.1"), 3, "1.0");
    older = Rewritten(older, "Enneo Tessary game 1.0", "Enneo Tessary game 1.0");
    GameFile::Reading reading = GameFile::Read(older);
    ASSERT_EQ(GameFile::Outcome::Whole, reading.outcome);
    EXPECT_EQ(0u, reading.play.milliseconds);
    EXPECT_TRUE(reading.play.assisted);
    for (const char* bad : {"elapsed 05000", "elapsed 5e3", "elapsed", "elapsed 1000000000000000",
                            "elapsed 5000\r\nelapsed 5000", "elapsed 5000\r\nassisted 1"}) {
        EXPECT_EQ(GameFile::Outcome::Refused, GameFile::Read(Rewritten(text, "elapsed 5000", bad)).outcome) << bad;
    }
}

// A file cut short anywhere, or with any one bit flipped, gives nothing when the fault
// is in the board part and the board alone when it is in the history.
TEST(GameFileTest, TruncatedAndBitFlippedFilesAreRefusedOrLoseTheirHistory) {
    const std::string text = GameFile::Write(SmallGame());
    const size_t boardEnd = text.find('\n', text.find("board-check")) + 1;
    const std::string board = text.substr(0, boardEnd);
    auto expectBoardOnly = [&](const GameFile::Reading& reading) {
        ASSERT_EQ(GameFile::Outcome::BoardOnly, reading.outcome);
        std::string written = GameFile::Write(*reading.game);
        EXPECT_EQ(board, written.substr(0, boardEnd));
        EXPECT_FALSE(reading.game->CanUndo() || reading.game->CanRedo());
    };

    for (size_t length = 0; length < text.size(); ++length) {
        SCOPED_TRACE(length);
        GameFile::Reading reading = GameFile::Read(text.substr(0, length));
        int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + length, '\n'));
        if (length < boardEnd) {
            EXPECT_EQ(GameFile::Outcome::Refused, reading.outcome);
            EXPECT_EQ(Damaged(line), Of(reading.message));
        } else {
            expectBoardOnly(reading);
            EXPECT_EQ(HistoryDropped(line), Of(reading.message));
        }
    }

    for (size_t i = 0; i < text.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            SCOPED_TRACE(std::to_string(i) + " " + std::to_string(bit));
            std::string flipped = text;
            flipped[i] = static_cast<char>(flipped[i] ^ (1 << bit));
            GameFile::Reading reading = GameFile::Read(flipped);
            EXPECT_FALSE(reading.message.IsEmpty());
            if (i < boardEnd) {
                EXPECT_EQ(GameFile::Outcome::Refused, reading.outcome);
            } else {
                expectBoardOnly(reading);
            }
        }
    }
}

// A board of repeated givens, which a puzzle file can bring, is refused; a history that
// passes through one, or holds more steps than the game keeps, is dropped.
TEST(GameFileTest, BoardsAndHistoriesThatBreakTheRuleOrTheBoundAreRefused) {
    EnneoPuzzle repeated;
    repeated.LoadFromString("5 5");
    Game game(repeated);
    GameFile::Reading reading = GameFile::Read(GameFile::Write(game));
    EXPECT_EQ(GameFile::Outcome::Refused, reading.outcome);
    EXPECT_EQ(Message::kGameBreaksRules, reading.message.id);

    ASSERT_TRUE(game.Replace(Sample()));
    reading = GameFile::Read(GameFile::Write(game));
    EXPECT_EQ(GameFile::Outcome::BoardOnly, reading.outcome);
    EXPECT_EQ(HistoryDropped(14), Of(reading.message));  // the first step's line

    Game overlong(EnneoPuzzle(), GameHistory::kDefaultCapacity + 1);
    Select(overlong, 1, 1);
    for (size_t i = 0; i <= GameHistory::kDefaultCapacity; ++i) ASSERT_TRUE(overlong.ToggleMark(1));
    reading = GameFile::Read(GameFile::Write(overlong));
    EXPECT_EQ(GameFile::Outcome::BoardOnly, reading.outcome);
    EXPECT_EQ(HistoryDropped(14 + static_cast<int>(GameHistory::kDefaultCapacity)), Of(reading.message));
}

// Either version of a backed-up file is read from the disk: one that is not there gives
// NoFile, and one beyond the bound is refused unread.
TEST(GameFileTest, ReadsEitherVersionOfABackedUpFile) {
    TempFolder folder;
    util::BackedUpFile file(folder.Folder() / "game");
    EXPECT_EQ(GameFile::Outcome::NoFile, GameFile::Read(file, util::BackedUpFile::Version::Current).outcome);

    const std::string older = GameFile::Write(SmallGame());
    ASSERT_EQ(util::BackedUpFile::WriteResult::Written, file.Write(older));
    std::string huge = older;
    huge.resize(GameFile::kMaxBytes + 1, ' ');
    ASSERT_EQ(util::BackedUpFile::WriteResult::Written, file.Write(huge));
    GameFile::Reading reading = GameFile::Read(file, util::BackedUpFile::Version::Current);
    EXPECT_EQ(GameFile::Outcome::Refused, reading.outcome);
    EXPECT_EQ(Message::kGameTooLarge, reading.message.id);
    reading = GameFile::Read(file, util::BackedUpFile::Version::Backup);
    ASSERT_EQ(GameFile::Outcome::Whole, reading.outcome);
    EXPECT_EQ(older, GameFile::Write(*reading.game));
}

}  // namespace
