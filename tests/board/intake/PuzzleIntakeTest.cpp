// Tests of the puzzle intake: Copy, Paste, Open, Save, the lists, the recent files and
// Make Digits Givens, on a play session, as data.
#include "board/intake/PuzzleIntake.h"

#include "tests/board/AnswerChecks.h"
#include "tests/board/MemoryProperties.h"
#include "tests/common/TestFiles.h"
#include "tests/puzzle/PuzzleTestGrids.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Command = BoardCommand;
using M = Message;
using V = Message::Value;

class PuzzleIntakeTest : public ::testing::Test {
protected:
    // A play session with an intake beside it, as the board controller holds them.
    struct Desk {
        PlaySession session;
        PuzzleIntake intake;
    };

    // A command of the intake's, and one of play, settled after it.
    BoardAnswer Take(Desk& desk, const BoardCommand& command) { return desk.intake.Run(command, desk.session); }
    BoardAnswer Take(const BoardCommand& command) { return intake_.Run(command, session_); }
    static BoardAnswer Play(Desk& desk, const BoardCommand& command) {
        return desk.session.Settle(desk.session.Run(command, false), false);
    }
    BoardAnswer Play(const BoardCommand& command) { return session_.Settle(session_.Run(command, false), false); }
    BoardAnswer Paste(const ClipboardContent& content) { return intake_.Paste(content, session_); }
    const EnneoPuzzle& Board() const { return session_.GetBoard(); }
    BoardAnswer Type(int x, int y, int digit) {
        Play(Command::SelectCell({x, y}));
        return Play(Command::Digit(digit));
    }
    PlaySession Another(const std::string& line) {
        return PlaySession(ReadPuzzleLine(line), properties_, [this] { return now_; });
    }

    MemoryProperties properties_;
    uint64_t now_ = 0;  // the clock's time source, in milliseconds
    PlaySession session_ = Another(kSampleLine);
    PuzzleIntake intake_{properties_};
};

// Copy's text, and each kind of thing on the clipboard: only text with a puzzle that
// keeps the rules comes in, as one step of givens; one without a single solution comes
// in with a box that says so.
TEST_F(PuzzleIntakeTest, CopyAndPaste) {
    Type(1, 1, 8);
    BoardAnswer copied = Take(Command::Of(Command::kCopyPuzzle));
    EXPECT_EQ(kNothing, Shows(copied));
    EXPECT_EQ(0u, copied.copyText.find(std::wstring(kSampleLine, kSampleLine + 81) + L"\r\n"));
    std::wstring whole = Take(Command::Of(Command::kCopyBoard)).copyText;
    EXPECT_EQ(L"8973", whole.substr(0, 4));

    BoardAnswer paste = Take(Command::Of(Command::kPaste));
    EXPECT_TRUE(paste.readClipboard);
    EXPECT_EQ(kNothing, Shows(paste));
    auto refused = [this](ClipboardContent::Kind kind, const wchar_t* text) {
        BoardAnswer answer = intake_.Paste({kind, text}, session_);
        EXPECT_EQ(BoardAnswer::kError, answer.box);
        EXPECT_EQ(Message(M::kCaptionPaste), answer.caption);
        EXPECT_EQ("8973", ToPuzzleLine(Board()).substr(0, 4));  // the board stays
        return answer.sentence;
    };
    EXPECT_EQ(Message(M::kClipboardEmpty), refused(ClipboardContent::kNothing, L""));
    EXPECT_EQ(Message(M::kClipboardPicture), refused(ClipboardContent::kPicture, L""));
    EXPECT_EQ(Message(M::kClipboardFiles), refused(ClipboardContent::kFiles, L""));
    EXPECT_EQ(M(M::kNoPuzzleOnClipboard).Then(M::kPuzzleForms), refused(ClipboardContent::kText, L"Dear player, 12 3"));
    EXPECT_EQ(Message(M::kPuzzleClash, {V::Unit({GridUnit::kColumn, 0}), V::CountWord(2), V::Number(5)}),
              refused(ClipboardContent::kText, (L"5........5" + std::wstring(71, L'.')).c_str()));

    EXPECT_EQ(kBoardAndMenu, Shows(Paste({ClipboardContent::kText, whole})));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, Board().GetCellState(1, 1));
    Play(Command::Of(Command::kUndo));
    EXPECT_EQ(EnneoPuzzle::CELL_SET, Board().GetCellState(1, 1));  // one step back to the game
    BoardAnswer several = Paste({ClipboardContent::kText, L"1" + std::wstring(80, L'.')});
    EXPECT_EQ(std::make_pair(Message(M::kCaptionPaste), Message(M::kPuzzleSeveralSolutions)), Box(several));
    EXPECT_TRUE(several.repaint);
    EXPECT_EQ("1" + std::string(80, '.'), ToPuzzleLine(Board()));
}

// Open reads the common forms as Paste does and remembers the files opened and saved; a
// file without a puzzle is refused by its name. The program's own files read as always:
// givens that repeat a digit come in without a word.
TEST_F(PuzzleIntakeTest, OpenReadsEveryFormAndRemembersTheFiles) {
    TempFolder folder;
    const std::string sdk = "2..1.5..3.54...71..1.2.3.8.6.28.73.4.........1.53.98.6.2.7.1.6..81...24.7..4.2..1";
    std::string rows;
    for (int row = 0; row < 9; ++row) rows += sdk.substr(row * 9, 9) + "\r\n";
    const std::pair<const char*, std::string> files[] = {
        {"line.txt", std::string(kSampleLine) + " # a comment\r\n"},
        {"puzzle.sdk", "#ARuud\r\n#B03-08-2006\r\n" + rows},
        {"puzzle.ss", "|2..|1.5|..3|\n|.54|...|71.|\n|.1.|2.3|.8.|\n|---+---+---|\n" + rows.substr(33)},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.first);
        WriteBytes(folder.Path(file.first), file.second);
        BoardAnswer answer = intake_.Open(folder.Path(file.first), session_);
        EXPECT_EQ(kBoardAndMenu, Shows(answer));
        EXPECT_EQ(folder.Path(file.first), answer.recentFile);
        EXPECT_EQ(file.second.find('#') == 0 || file.second[0] == '|' ? sdk : kSampleLine, ToPuzzleLine(Board()));
        EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, Board().GetCellState(1, 9));
        EXPECT_FALSE(intake_.GetListPlace());
    }
    WriteBytes(folder.Path("letter.txt"), "Dear player,\r\nno puzzle here.\r\n");
    BoardAnswer refused = intake_.Open(folder.Path("letter.txt"), session_);
    EXPECT_EQ(BoardAnswer::kError, refused.box);
    EXPECT_EQ(M(M::kNoPuzzleInFile, {V::Text(L"letter.txt")}).Then(M::kPuzzleForms), refused.sentence);
    EXPECT_EQ(sdk, ToPuzzleLine(Board()));
    // A folder, a device or a pipe is refused by its whole path before any read.
    refused = intake_.Open(folder.Folder().wstring(), session_);
    EXPECT_EQ(M::kCaptionOpen, refused.caption.id);
    EXPECT_EQ(M(M::kNotAFile, {V::Text(folder.Folder().wstring())}), refused.sentence);
    EXPECT_TRUE(refused.recentFile.empty());
    EXPECT_EQ(sdk, ToPuzzleLine(Board()));

    EnneoPuzzle repeated;
    repeated.LoadFromString("5 5");
    ASSERT_TRUE(repeated.Save(folder.Path("own.enn").c_str()));
    EXPECT_EQ(kBoardAndMenu, Shows(intake_.Open(folder.Path("own.enn"), session_)));
    EXPECT_EQ("55" + std::string(79, '.'), ToPuzzleLine(Board()));
    EXPECT_EQ(folder.Path("saved.enn"),
              intake_.Save(folder.Path("saved.enn"), FileFormats::kPuzzleFile, session_).recentFile);

    // The latest first, each once, and kept for the next start; a file gone is taken off.
    std::vector<std::wstring> recent;
    PuzzleIntake restarted(properties_);
    for (const auto& entry : restarted.GetRecentFiles()) recent.push_back(entry.path);
    EXPECT_EQ((std::vector<std::wstring>{folder.Path("saved.enn"), folder.Path("own.enn"), folder.Path("puzzle.ss"),
                                         folder.Path("puzzle.sdk"), folder.Path("line.txt")}),
              recent);
    EXPECT_EQ(kBoardAndMenu, Shows(Take(Command::OpenRecent(3))));
    EXPECT_EQ(sdk, ToPuzzleLine(Board()));
    EXPECT_EQ(folder.Path("puzzle.sdk"), intake_.GetRecentFiles()[0].path);
    std::filesystem::remove(folder.Path("line.txt"));
    BoardAnswer gone = Take(Command::OpenRecent(4));
    EXPECT_EQ(Message(M::kRecentFileGone, {V::Text(folder.Path("line.txt"))}), gone.sentence);
    EXPECT_TRUE(gone.menu);
    EXPECT_EQ(4u, intake_.GetRecentFiles().size());
    EXPECT_EQ(sdk, ToPuzzleLine(Board()));
}

// A list opens at the puzzle last open in it, and Next Puzzle in File goes on from there,
// past a puzzle that breaks the rules and round to the first; the place outlives the run.
TEST_F(PuzzleIntakeTest, AListGoesOnFromThePuzzleLastOpen) {
    TempFolder folder;
    const std::string one = "1" + std::string(80, '.');
    const std::string clash = "11" + std::string(79, '.');
    WriteBytes(folder.Path("list.sdm"), std::string(kSampleLine) + "\n" + one + "\n" + clash + "\n");
    const std::wstring list = folder.Path("list.sdm");
    auto place = [](const PuzzleIntake& intake) {
        std::optional<ListPlace> place = intake.GetListPlace();
        return place ? std::make_pair(place->number, place->count) : std::make_pair(size_t(0), size_t(0));
    };
    EXPECT_EQ(kBoardAndMenu, Shows(intake_.Open(list, session_)));
    EXPECT_EQ(std::make_pair(size_t(1), size_t(3)), place(intake_));
    EXPECT_EQ(Message(M::kPuzzleSeveralSolutions), Box(Take(Command::Of(Command::kNextPuzzle))).second);
    EXPECT_EQ(one, ToPuzzleLine(Board()));

    Desk next = {Another(std::string(81, '.')), PuzzleIntake(properties_)};
    next.intake.Open(list, next.session);
    EXPECT_EQ(std::make_pair(size_t(2), size_t(3)), place(next.intake));
    EXPECT_EQ(one, ToPuzzleLine(next.session.GetBoard()));
    BoardAnswer refused = Take(next, Command::Of(Command::kNextPuzzle));
    EXPECT_EQ(BoardAnswer::kError, refused.box);
    EXPECT_EQ(Message(M::kListPuzzleClash, {V::Number(3), V::Number(3), V::Unit({GridUnit::kRow, 0}), V::CountWord(2),
                                            V::Number(1)}),
              refused.sentence);
    EXPECT_EQ(one, ToPuzzleLine(next.session.GetBoard()));
    EXPECT_EQ(std::make_pair(size_t(3), size_t(3)), place(next.intake));
    Take(next, Command::Of(Command::kNextPuzzle));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(next.session.GetBoard()));
    Play(next, Command::Of(Command::kUndo));
    EXPECT_EQ(one, ToPuzzleLine(next.session.GetBoard()));  // each puzzle one step

    WriteBytes(list, std::string(kSampleLine));
    BoardAnswer shrunk = Take(next, Command::Of(Command::kNextPuzzle));
    EXPECT_EQ(Message(M::kNoLongerList, {V::Text(L"list.sdm")}), shrunk.sentence);
    EXPECT_FALSE(next.intake.GetListPlace());
}

// Pasted text of several puzzles is a list, walked as an opened one is, until another
// puzzle comes in; its refused puzzle names its place.
TEST_F(PuzzleIntakeTest, APastedListIsWalkedLikeAnOpenedOne) {
    const std::string one = "1" + std::string(80, '.');
    const std::string clash = "11" + std::string(79, '.');
    const std::string text = std::string(kSampleLine) + "\r\n" + one + "\r\n" + clash + "\r\n";
    auto place = [this] {
        std::optional<ListPlace> place = intake_.GetListPlace();
        return place ? std::make_pair(place->number, place->count) : std::make_pair(size_t(0), size_t(0));
    };
    Play(Command::SelectCell({1, 1}));
    Play(Command::Digit(8));
    EXPECT_EQ(kBoardAndMenu, Shows(Paste({ClipboardContent::kText, std::wstring(text.begin(), text.end())})));
    EXPECT_EQ(std::make_pair(size_t(1), size_t(3)), place());
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Board()));
    BoardAnswer second = Take(Command::Of(Command::kNextPuzzle));
    EXPECT_EQ(std::make_pair(Message(M::kCaptionPaste), Message(M::kPuzzleSeveralSolutions)), Box(second));
    EXPECT_EQ(one, ToPuzzleLine(Board()));
    BoardAnswer refused = Take(Command::Of(Command::kNextPuzzle));
    EXPECT_EQ(BoardAnswer::kError, refused.box);
    EXPECT_EQ(Message(M::kCaptionPaste), refused.caption);
    EXPECT_EQ(Message(M::kListPuzzleClash, {V::Number(3), V::Number(3), V::Unit({GridUnit::kRow, 0}), V::CountWord(2),
                                            V::Number(1)}),
              refused.sentence);
    EXPECT_EQ(one, ToPuzzleLine(Board()));
    EXPECT_EQ(std::make_pair(size_t(3), size_t(3)), place());
    Take(Command::Of(Command::kNextPuzzle));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Board()));  // round to the first
    for (int step = 0; step < 3; ++step) Play(Command::Of(Command::kUndo));
    EXPECT_EQ(8, Board().GetCell(1, 1));  // each puzzle one step, the game before them kept

    EXPECT_TRUE(Paste({ClipboardContent::kText, L"2" + std::wstring(80, L'.')}).repaint);
    EXPECT_EQ(std::make_pair(size_t(0), size_t(0)), place());
    EXPECT_EQ(Message(M::kNoListOpen), Take(Command::Of(Command::kNextPuzzle)).reader.announcement);
}

// A web page's table on the clipboard comes in before the text beside it; a page whose
// table is no grid is refused by what is wrong with it, unless its text holds a puzzle.
TEST_F(PuzzleIntakeTest, PasteTakesAPagesGridBeforeItsText) {
    std::string table = "<table>";
    for (int row = 0; row < 9; ++row) {
        table += "<tr>";
        for (int column = 0; column < 9; ++column) {
            char cell = kSampleLine[row * 9 + column];
            table += "<td>" + (cell == '.' ? std::string("&nbsp;") : std::string{cell}) + "</td>";
        }
        table += "</tr>";
    }
    table += "</table>";
    const std::wstring one = L"1" + std::wstring(80, L'.');
    EXPECT_EQ(kBoardAndMenu, Shows(Paste({ClipboardContent::kText, one, table})));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Board()));

    const std::string scores = "<table><tr><td>Hard</td><td>4:12</td></tr></table>";
    BoardAnswer refused = Paste({ClipboardContent::kText, L"Hard\t4:12", scores});
    EXPECT_EQ(M(M::kTableNotGrid, {V::Number(1), V::Number(2)}).Then(M::kPuzzleForms), refused.sentence);
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Board()));
    EXPECT_EQ(std::make_pair(Message(M::kCaptionPaste), Message(M::kPuzzleSeveralSolutions)),
              Box(Paste({ClipboardContent::kText, one, scores})));
    EXPECT_EQ(ToPuzzleLine(ReadPuzzleLine(std::string(one.begin(), one.end()))), ToPuzzleLine(Board()));
}

// A puzzle typed in becomes the givens as one step, and then plays as an opened one:
// Reset keeps it and Check grades it.
TEST_F(PuzzleIntakeTest, MakeDigitsGivens) {
    EXPECT_EQ(kNothing, Shows(Take(Command::Of(Command::kMakeGivens))));  // no digit of the player's
    session_.Install(EnneoPuzzle());
    Play(Command::Window(Command::kWindowActive, true));
    for (int i = 0; i < 81; ++i) {
        if (kSampleLine[i] != '.') Type(i % 9 + 1, i / 9 + 1, kSampleLine[i] - '0');
    }
    now_ += 60000;
    EXPECT_EQ(kBoardAndMenu, Shows(Take(Command::Of(Command::kMakeGivens))));
    EXPECT_EQ(0u, session_.GetClock().GetElapsed());  // the typing was not play
    Type(1, 1, 8);
    Play(Command::Of(Command::kReset));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Board()));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, Board().GetCellState(2, 1));
    EXPECT_EQ(M::kCheckFits, Box(Play(Command::Of(Command::kCheck))).second.id);
    Play(Command::Of(Command::kUndo));  // Reset
    Play(Command::Of(Command::kUndo));  // the 8
    Play(Command::Of(Command::kUndo));  // Make Digits Givens
    EXPECT_EQ(EnneoPuzzle::CELL_SET, Board().GetCellState(2, 1));

    session_.Install(EnneoPuzzle());
    Type(5, 5, 1);
    EXPECT_EQ(std::make_pair(Message(M::kCaptionMakeGivens), Message(M::kPuzzleSeveralSolutions)),
              Box(Take(Command::Of(Command::kMakeGivens))));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, Board().GetCellState(5, 5));
}

}  // namespace
