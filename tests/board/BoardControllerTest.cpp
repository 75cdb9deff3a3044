// Tests of the board controller: the dispatch of commands, the view and its switches, the
// pause, what a screen reader is told, the clock in the caption and the keeping of the game.
#include "board/BoardController.h"

#include "MemoryProperties.h"
#include "languages/Language.h"
#include "puzzle/GameFile.h"
#include "puzzle/PuzzleRating.h"
#include "tests/board/AnswerChecks.h"
#include "tests/common/TestFiles.h"
#include "tests/puzzle/CoachGrids.h"
#include "tests/puzzle/PuzzleTestGrids.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Command = BoardCommand;
using M = Message;
using V = Message::Value;

class BoardControllerTest : public ::testing::Test {
protected:
    const EnneoPuzzle& Board() const { return board_.GetGame().GetState().puzzle; }
    std::pair<int, int> Selected() const {
        EnneoPuzzle::Cell cell = Board().GetSelectedCell();
        return {cell.x, cell.y};
    }
    BoardAnswer Type(int x, int y, int digit) {
        board_.Execute(Command::SelectCell({x, y}));
        return board_.Execute(Command::Digit(digit));
    }

    // A controller on the same properties and clock as board_.
    BoardController Another(const std::string& line) {
        return BoardController(ReadPuzzleLine(line), properties_, [this] { return now_; });
    }

    MemoryProperties properties_;
    uint64_t now_ = 0;  // the clock's time source, in milliseconds
    BoardController board_ = Another(kSampleLine);
};

// A digit needs a selected cell that is not a given; a refused digit is shown again all
// the same, while a move of the selection shows only with Mark Selection on.
TEST_F(BoardControllerTest, DigitsAndTheSelection) {
    EXPECT_EQ(kNothing, Shows(board_.Execute(Command::Digit(8))));  // nothing selected
    EXPECT_EQ(kNothing, Shows(board_.Execute(Command::SelectCell({1, 1}))));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Digit(8))));
    EXPECT_EQ(EnneoPuzzle::CELL_SET, Board().GetCellState(1, 1));
    EXPECT_TRUE(board_.IsAvailable(Command::kUndo));
    EXPECT_FALSE(board_.IsAvailable(Command::kRedo));
    EXPECT_EQ(kBoardAndMenu, Shows(Type(1, 2, 9)));  // refused: 9 is in the block
    EXPECT_EQ(0, Board().GetCell(1, 2));
    EXPECT_EQ(kNothing, Shows(Type(2, 1, 1)));  // a given
    EXPECT_EQ(9, Board().GetCell(2, 1));
    Type(1, 1, 0);
    EXPECT_EQ(EnneoPuzzle::CELL_EMPTY, Board().GetCellState(1, 1));
    EXPECT_EQ(kNothing, Shows(board_.Execute(Command::Move(-1, 0))));
    EXPECT_EQ(std::make_pair(1, 1), Selected());

    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kUndo))));
    EXPECT_TRUE(board_.IsAvailable(Command::kRedo));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kRedo))));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Mark(3))));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Mark(0))));
    EXPECT_EQ(kNothing, Shows(board_.Execute(Command::Mark(0))));  // no marks left: no step
    EXPECT_EQ(0, board_.GetGame().GetState().marks.Get(1, 1));
}

// Mark Selection starts as the properties keep it ("1" on; absent, "0" or anything else
// off), is kept there when switched, and repaints each move of the selection.
TEST_F(BoardControllerTest, MarkSelectionIsKeptInTheProperties) {
    EXPECT_FALSE(board_.IsOn(Command::kMarkSelection));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kMarkSelection))));
    EXPECT_EQ(L"1", properties_.values[L"MarkSelection"]);
    EXPECT_TRUE(board_.GetView().markSelection);
    EXPECT_EQ(kRepaint, Shows(board_.Execute(Command::Move(1, 0))));
    EXPECT_EQ(kRepaint, Shows(board_.Execute(Command::SelectCell({5, 5}))));
    for (const wchar_t* stored : {L"1", L"0", L"yes"}) {
        properties_.values[L"MarkSelection"] = stored;
        BoardController restarted = Another(std::string(81, '.'));
        EXPECT_EQ(std::wstring(stored) == L"1", restarted.IsOn(Command::kMarkSelection)) << stored;
    }
    board_.Execute(Command::Of(Command::kMarkSelection));
    EXPECT_EQ(L"0", properties_.values[L"MarkSelection"]);

    // Show Hints is not kept and only repaints.
    EXPECT_TRUE(board_.IsOn(Command::kShowHints));
    EXPECT_EQ(kRepaint, Shows(board_.Execute(Command::Of(Command::kShowHints))));
    EXPECT_FALSE(board_.GetView().showHints);
    EXPECT_EQ(1u, properties_.values.size());
}

// A screen reader hears of the focus on each move to another cell, of a new value of the
// selected cell and of renamed cells after any change of what cells show; and why a
// digit, a mark or another command changed nothing, which stays to be read until the
// next command.
TEST_F(BoardControllerTest, TellsAScreenReaderWhatChanged) {
    auto told = [](const BoardAnswer& answer) {
        return std::make_tuple(answer.reader.focusMoved, answer.reader.valueChanged, answer.reader.namesChanged);
    };
    auto heard = [this] { return board_.Snapshot().announcement; };
    const auto focus = std::make_tuple(true, false, false), value = std::make_tuple(false, true, true),
               names = std::make_tuple(false, false, true), none = std::make_tuple(false, false, false);

    board_.Execute(Command::Digit(5));
    EXPECT_EQ(Message(M::kNoSelection), heard());
    EXPECT_EQ(focus, told(board_.Execute(Command::Move(1, 0))));  // the top-left cell
    EXPECT_TRUE(heard().IsEmpty());
    EXPECT_EQ(none, told(board_.Execute(Command::Move(-1, 0))));  // at the edge
    EXPECT_EQ(value, told(board_.Execute(Command::Digit(8))));
    BoardAnswer refused = board_.Execute(Command::Digit(9));
    EXPECT_EQ(none, told(refused));
    const Message inRow(M::kClashInRow, {V::Number(9), V::Number(1)});
    EXPECT_EQ(inRow, refused.reader.announcement);
    EXPECT_EQ(inRow, heard());
    board_.Execute(Command::Digit(6));
    EXPECT_EQ(Message(M::kClashInColumn, {V::Number(6), V::Number(1)}), heard());
    board_.Execute(Command::Digit(2));
    EXPECT_EQ(Message(M::kClashInBlock, {V::Number(2), V::Number(3), V::Number(3)}), heard());
    board_.Execute(Command::Digit(8));
    EXPECT_EQ(Message(M::kAlreadyHere, {V::Number(8)}), heard());
    board_.Execute(Command::Mark(3));
    EXPECT_EQ(Message(M::kMarksInEmptyCellsOnly), heard());
    EXPECT_EQ(value, told(board_.Execute(Command::Digit(0))));
    EXPECT_EQ(none, told(board_.Execute(Command::Digit(0))));  // empty already: nothing to say
    EXPECT_TRUE(heard().IsEmpty());
    EXPECT_EQ(names, told(board_.Execute(Command::Mark(3))));
    EXPECT_EQ(names, told(board_.Execute(Command::Of(Command::kShowHints))));
    EXPECT_EQ(focus, told(board_.Execute(Command::SelectCell({2, 1}))));
    EXPECT_EQ(none, told(board_.Execute(Command::Digit(1))));
    EXPECT_EQ(Message(M::kGivenHere, {V::Number(9)}), heard());
    Type(9, 2, 9);  // does not fit
    EXPECT_EQ(names, told(board_.Execute(Command::Of(Command::kCheck))));

    // A puzzle pasted renames the cells; the commands of puzzles in and out say why they
    // changed nothing.
    EXPECT_EQ(names, told(board_.Paste({ClipboardContent::kText, L"1" + std::wstring(80, L'.')})));
    board_.Execute(Command::Of(Command::kNextPuzzle));
    EXPECT_EQ(Message(M::kNoListOpen), heard());
    board_.Execute(Command::Of(Command::kMakeGivens));
    EXPECT_EQ(Message(M::kNoDigitToMakeGiven), heard());

    // Pencil mode, Fill In Candidates and the pause say what they did; the window's own
    // news leaves the sentence; the pause refuses what would show the board, and its end
    // speaks the selected cell again.
    board_.Execute(Command::SelectCell({2, 1}));
    board_.Execute(Command::Of(Command::kPencilMode));
    EXPECT_EQ(Message(M::kPencilModeOn), heard());
    EXPECT_EQ(names, told(board_.Execute(Command::Digit(4))));
    board_.Execute(Command::Of(Command::kFillInCandidates));
    EXPECT_EQ(Message(M::kCandidatesFilled), heard());
    EXPECT_EQ(names, told(board_.Execute(Command::Of(Command::kPause))));
    EXPECT_EQ(Message(M::kPaused), heard());
    board_.Execute(Command::Of(Command::kTick));
    EXPECT_EQ(Message(M::kPaused), heard());
    board_.Execute(Command::Digit(4));
    EXPECT_EQ(Message(M::kPausedRefusal), heard());
    EXPECT_EQ(std::make_tuple(true, false, true), told(board_.Execute(Command::Of(Command::kPause))));
}

// A refused digit or mark names its cell and why, for the window to sound and show, and a
// screen reader hears the same; a digit taken, or typed without a selection, refuses
// nothing.
TEST_F(BoardControllerTest, ARefusalNamesItsCellAndWhy) {
    auto refusal = [](const BoardAnswer& answer) {
        return std::make_tuple(answer.refusal.cell.x, answer.refusal.cell.y, answer.refusal.reason);
    };
    const auto nothing = std::make_tuple(0, 0, Message());
    EXPECT_EQ(nothing, refusal(board_.Execute(Command::Digit(5))));
    board_.Execute(Command::SelectCell({1, 2}));
    BoardAnswer clash = board_.Execute(Command::Digit(9));
    EXPECT_EQ(std::make_tuple(1, 2, Message(M::kClashInBlock, {V::Number(9), V::Number(1), V::Number(2)})),
              refusal(clash));
    EXPECT_EQ(clash.refusal.reason, clash.reader.announcement);
    EXPECT_EQ(nothing, refusal(board_.Execute(Command::Digit(8))));
    EXPECT_EQ(std::make_tuple(1, 2, Message(M::kMarksInEmptyCellsOnly)), refusal(board_.Execute(Command::Mark(3))));
    board_.Execute(Command::SelectCell({2, 1}));
    EXPECT_EQ(std::make_tuple(2, 1, Message(M::kGivenHere, {V::Number(9)})),
              refusal(board_.Execute(Command::Digit(0))));
}

// The theme starts as the properties keep it (an unknown name is Light), is kept when
// chosen and asks for a new look; High Contrast wins over every choice.
TEST_F(BoardControllerTest, ThemeIsKeptAndHighContrastWins) {
    EXPECT_EQ(BoardTheme::kLight, board_.GetView().theme);
    BoardAnswer answer = board_.Execute(Command::Theme(BoardTheme::kDark));
    EXPECT_TRUE(answer.look && answer.repaint && answer.menu);
    EXPECT_EQ(BoardTheme::kDark, board_.GetView().theme);
    EXPECT_EQ(L"Dark", properties_.values[L"Theme"]);
    const std::pair<const wchar_t*, BoardTheme::Choice> kept[] = {
        {L"FollowWindows", BoardTheme::kFollowWindows}, {L"Light", BoardTheme::kLight}, {L"dark", BoardTheme::kLight}};
    for (const auto& [stored, theme] : kept) {
        properties_.values[L"Theme"] = stored;
        EXPECT_EQ(theme, Another(std::string(81, '.')).GetView().theme) << stored;
    }

    EXPECT_EQ(BoardTheme::kLightLook, BoardTheme::LookOf(BoardTheme::kLight, true, false));
    EXPECT_EQ(BoardTheme::kDarkLook, BoardTheme::LookOf(BoardTheme::kDark, false, false));
    EXPECT_EQ(BoardTheme::kDarkLook, BoardTheme::LookOf(BoardTheme::kFollowWindows, true, false));
    EXPECT_EQ(BoardTheme::kLightLook, BoardTheme::LookOf(BoardTheme::kFollowWindows, false, false));
    for (BoardTheme::Choice choice : {BoardTheme::kLight, BoardTheme::kDark, BoardTheme::kFollowWindows}) {
        EXPECT_EQ(BoardTheme::kHighContrastLook, BoardTheme::LookOf(choice, true, true)) << choice;
    }
}

// Options / Language: the choice is kept as its language's code and spoken at once, also
// while paused; the snapshot shows it, every text is to be made again and a screen reader
// hears that every cell's name changed. Follow Windows removes the value and speaks the
// system's language; a code of no language follows Windows too, and nothing else is chosen.
TEST_F(BoardControllerTest, LanguageIsKeptSpokenAndShown) {
    const int pseudo = Language::Find(L"qps-ploc");  // in every build
    ASSERT_GE(pseudo, 0);
    EXPECT_EQ(BoardSettings::kFollowWindows, board_.Snapshot().language);
    EXPECT_TRUE(board_.IsAvailable(Command::kLanguage));
    board_.Execute(Command::Of(Command::kPause));
    EXPECT_TRUE(board_.IsAvailable(Command::kLanguage));
    BoardAnswer answer = board_.Execute(Command::Language(pseudo));
    EXPECT_TRUE(answer.language && answer.title && answer.repaint && answer.menu && answer.reader.namesChanged);
    EXPECT_TRUE(board_.GetView().paused);
    EXPECT_EQ(L"qps-ploc", properties_.values[L"Language"]);
    EXPECT_EQ(pseudo, Language::Current());
    EXPECT_EQ(pseudo, board_.Snapshot().language);
    EXPECT_EQ(pseudo, Another(kSampleLine).Snapshot().language);
    EXPECT_EQ(pseudo, BoardSettings(properties_).GetSpokenLanguage());

    answer = board_.Execute(Command::Language(BoardSettings::kFollowWindows));
    EXPECT_TRUE(answer.language && answer.reader.namesChanged);
    EXPECT_EQ(0u, properties_.values.count(L"Language"));
    EXPECT_EQ(Language::OfSystem(), Language::Current());
    EXPECT_EQ(BoardSettings::kFollowWindows, board_.Snapshot().language);

    for (int refused : {Language::Count(), -2}) {
        answer = board_.Execute(Command::Language(refused));
        EXPECT_FALSE(answer.language || answer.menu) << refused;
    }
    EXPECT_EQ(0u, properties_.values.count(L"Language"));
    properties_.values[L"Language"] = L"xx";
    EXPECT_EQ(BoardSettings::kFollowWindows, Another(kSampleLine).Snapshot().language);
    EXPECT_EQ(Language::OfSystem(), BoardSettings(properties_).GetSpokenLanguage());
    Language::Choose(Language::kEnglish);
}

// New, a new puzzle, Reset and Solve: each shows the board and the menu; a new puzzle
// of a level drops the selection and holds givens only, of that level; a new puzzle
// ends the list that was open.
TEST_F(BoardControllerTest, PuzzleCommands) {
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kSolve))));
    EXPECT_EQ("897315246", ToPuzzleLine(Board()).substr(0, 9));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kReset))));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Board()));
    board_.Execute(Command::SelectCell({5, 5}));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::NewPuzzle(PuzzleLevel::kMedium))));
    EXPECT_EQ(0, Board().GetSelectedCell().x);
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            int expected = Board().GetCell(x, y) == 0 ? EnneoPuzzle::CELL_EMPTY : EnneoPuzzle::CELL_KNOWN;
            EXPECT_EQ(expected, Board().GetCellState(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(PuzzleLevel::kMedium, PuzzleRating(Board()).GetLevel());
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kNewEmpty))));
    EXPECT_EQ(std::string(81, '.'), ToPuzzleLine(Board()));

    TempFolder folder;
    WriteBytes(folder.Path("list.sdm"), std::string(kSampleLine) + "\n" + kSampleLine + "\n");
    board_.Open(folder.Path("list.sdm").c_str());
    EXPECT_TRUE(board_.IsAvailable(Command::kNextPuzzle));
    // Cancelled while the puzzle is made (an extreme one takes a few tries), New Puzzle
    // leaves the board, the list and everything else as they were.
    bool polled = false;
    for (int attempt = 0; attempt < 20 && !polled; ++attempt) {
        board_.Open(folder.Path("list.sdm").c_str());
        std::string before = ToPuzzleLine(Board());
        BoardAnswer answer = board_.NewPuzzle(PuzzleLevel::kExtreme, [&polled] { return !(polled = true); });
        if (!polled) continue;  // made at the first try, with nothing to ask
        EXPECT_EQ(kNothing, Shows(answer));
        EXPECT_EQ(before, ToPuzzleLine(Board()));
        EXPECT_TRUE(board_.IsAvailable(Command::kNextPuzzle));
    }
    EXPECT_TRUE(polled);
    board_.Execute(Command::NewPuzzle(PuzzleLevel::kEasy));
    EXPECT_FALSE(board_.IsAvailable(Command::kNextPuzzle));
}

// Fill In Candidates and Clear All Marks are one step each; in pencil mode the digits
// mark, and emptying an empty cell takes its marks.
TEST_F(BoardControllerTest, MarksInBulkAndInPencilMode) {
    auto marks = [this](int x, int y) { return board_.GetGame().GetState().marks.Get(x, y); };
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kFillInCandidates))));
    EXPECT_EQ(0x183, marks(9, 2));  // 1, 2, 8 and 9
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kClearAllMarks))));
    EXPECT_EQ(0, marks(9, 2));
    board_.Execute(Command::Of(Command::kUndo));
    EXPECT_EQ(0x183, marks(9, 2));
    board_.Execute(Command::Of(Command::kUndo));
    EXPECT_EQ(0, marks(9, 2));
    EXPECT_FALSE(board_.IsAvailable(Command::kUndo));

    BoardAnswer pencil = board_.Execute(Command::Of(Command::kPencilMode));
    EXPECT_EQ(std::make_pair(false, true), Shows(pencil));
    EXPECT_TRUE(board_.IsOn(Command::kPencilMode));
    EXPECT_TRUE(pencil.title);  // the caption says so
    EXPECT_EQ(Message(M::kTitlePencil), board_.GetTitle());
    Type(9, 2, 6);
    Type(9, 2, 9);
    EXPECT_EQ(0x120, marks(9, 2));
    EXPECT_EQ(0, board_.GetGame().GetState().puzzle.GetCell(9, 2));
    Type(9, 2, 0);
    EXPECT_EQ(0, marks(9, 2));
    board_.Execute(Command::Of(Command::kUndo));
    EXPECT_EQ(0x120, marks(9, 2));
    EXPECT_TRUE(board_.Execute(Command::Of(Command::kPencilMode)).title);
    EXPECT_EQ(Message(M::kTitle), board_.GetTitle());
    Type(9, 2, 8);
    EXPECT_EQ(8, board_.GetGame().GetState().puzzle.GetCell(9, 2));
}

// The clock counts while the window is active and not minimized, the session unlocked,
// the game not paused and the board not complete; a new puzzle starts it from zero. The
// caption shows it while Show Timer is on, which the properties keep.
TEST_F(BoardControllerTest, TheClockCountsOnlyWhileTheGameIsPlayed) {
    auto elapsed = [this] { return board_.GetClock().GetElapsed(); };
    auto window = [this](Command::Kind kind, bool yes) { board_.Execute(Command::Window(kind, yes)); };
    now_ = 5000;
    EXPECT_EQ(0u, elapsed());  // the window was never active
    window(Command::kWindowActive, true);
    now_ += 1500;
    EXPECT_EQ(1500u, elapsed());
    for (Command::Kind kind : {Command::kWindowActive, Command::kWindowMinimized, Command::kSessionLocked}) {
        window(kind, kind != Command::kWindowActive);
        now_ += 10000;
        window(kind, kind == Command::kWindowActive);
        now_ += 1000;
    }
    board_.Execute(Command::Of(Command::kPause));
    now_ += 10000;
    board_.Execute(Command::Of(Command::kPause));
    EXPECT_EQ(4500u, elapsed());

    EXPECT_EQ(Message(M::kTitle), board_.GetTitle());
    EXPECT_EQ(0u, board_.GetTickDelay());
    BoardAnswer answer = board_.Execute(Command::Of(Command::kShowTimer));
    EXPECT_TRUE(answer.title && answer.menu && board_.IsOn(Command::kShowTimer));
    EXPECT_EQ(L"1", properties_.values[L"ShowTimer"]);
    EXPECT_EQ(Message(M::kTitleWithTime, {V::Time(4)}), board_.GetTitle());
    EXPECT_EQ(500u, board_.GetTickDelay());
    now_ += 400;
    EXPECT_FALSE(board_.Execute(Command::Of(Command::kTick)).title);
    now_ += 61000;
    EXPECT_TRUE(board_.Execute(Command::Of(Command::kTick)).title);
    EXPECT_EQ(Message(M::kTitleWithTime, {V::Time(65)}), board_.GetTitle());

    board_.Execute(Command::Of(Command::kSolve));  // complete: the clock stops
    now_ += 5000;
    EXPECT_EQ(65900u, elapsed());
    EXPECT_TRUE(board_.Execute(Command::NewPuzzle(PuzzleLevel::kEasy)).title);
    EXPECT_EQ(Message(M::kTitleWithTime, {V::Time(0)}), board_.GetTitle());
    now_ += 2000;
    EXPECT_EQ(2000u, elapsed());
    board_.Execute(Command::Of(Command::kPencilMode));
    EXPECT_EQ(Message(M::kTitleWithTimePencil, {V::Time(2)}), board_.GetTitle());
    EXPECT_TRUE(Another(kSampleLine).IsOn(Command::kShowTimer));
}

// Pause hides the board and keeps every command from it, greyed in the menu, until
// Pause again or a click; a new puzzle ends it, a pasted one too.
TEST_F(BoardControllerTest, PauseHidesTheBoardUntilThePlayerGoesOn) {
    board_.Execute(Command::SelectCell({1, 1}));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kPause))));
    EXPECT_TRUE(board_.GetView().paused && board_.IsOn(Command::kPause));
    for (Command::Kind kind : {Command::kHint, Command::kSolve, Command::kUndo, Command::kFillInCandidates}) {
        EXPECT_FALSE(board_.IsAvailable(kind)) << kind;
    }
    EXPECT_TRUE(board_.IsAvailable(Command::kShowTimer));
    EXPECT_TRUE(board_.IsAvailable(Command::kHelp));  // it shows nothing of the board
    EXPECT_EQ(kNothing, Shows(board_.Execute(Command::Digit(8))));
    EXPECT_EQ(BoardAnswer::kNoBox, board_.Execute(Command::Of(Command::kHint)).box);
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Board()));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::SelectCell({5, 5}))));
    EXPECT_FALSE(board_.GetView().paused);
    EXPECT_EQ(std::make_pair(1, 1), Selected());  // the click only went on
    board_.Execute(Command::Of(Command::kPause));
    board_.Execute(Command::NewPuzzle(PuzzleLevel::kEasy));
    EXPECT_FALSE(board_.GetView().paused);
    board_.Execute(Command::Of(Command::kPause));
    EXPECT_FALSE(board_.IsAvailable(Command::kCopyBoard));
    EXPECT_TRUE(board_.Execute(Command::Of(Command::kPaste)).readClipboard);
    board_.Paste({ClipboardContent::kText, std::wstring(kSampleLine, kSampleLine + 81)});
    EXPECT_FALSE(board_.GetView().paused);
}

// The keeping of the game in progress, with Resume Last Game on as it is by default: a
// file in a folder made at the first write.
class KeptGameTest : public BoardControllerTest {
protected:
    // A controller of the next start, resumed from the same file.
    std::unique_ptr<BoardController> Restart(BoardAnswer* answer = nullptr) {
        auto next =
            std::make_unique<BoardController>(ReadPuzzleLine(kSampleLine), properties_, [this] { return now_; });
        BoardAnswer resumed = next->Resume(file_);
        if (answer != nullptr) *answer = resumed;
        return next;
    }
    static std::string Text(const BoardController& board) { return GameFile::Write(board.GetGame()); }
    // The message of a box with that caption.
    static Message Told(const BoardAnswer& answer, Message::Id caption) {
        EXPECT_NE(BoardAnswer::kNoBox, answer.box);
        EXPECT_EQ(Message(caption), answer.caption);
        return answer.sentence;
    }

    TempFolder folder_;
    std::filesystem::path file_ = folder_.Folder() / "Enneo Tessary" / "game.enneo-game";
};

// Each change of the board or the selection makes a write due, and the first of them
// starts the wait for it; the next start goes on with the same board, selection and
// history. A solved game, or the option off, gives the sample instead.
TEST_F(KeptGameTest, TheGameIsKeptAsItIsPlayedAndGoesOnAtTheNextStart) {
    EXPECT_TRUE(board_.IsOn(Command::kResumeGame));
    EXPECT_EQ(kNothing, Shows(board_.Resume(file_)));  // nothing kept yet
    EXPECT_TRUE(board_.Execute(Command::SelectCell({1, 1})).keep);
    EXPECT_FALSE(board_.Execute(Command::Digit(8)).keep);  // the wait runs
    EXPECT_FALSE(board_.Execute(Command::SelectCell({5, 1})).keep);
    EXPECT_FALSE(board_.Execute(Command::Mark(3)).keep);
    EXPECT_EQ(kNothing, Shows(board_.Keep()));
    EXPECT_FALSE(board_.Execute(Command::Of(Command::kShowHints)).keep);  // no change of the game
    EXPECT_TRUE(board_.Execute(Command::Move(0, 1)).keep);
    board_.Keep();
    EXPECT_FALSE(board_.Execute(Command::Of(Command::kCheck)).keep);
    EXPECT_EQ(Text(board_), ReadBytes(file_));
    std::filesystem::remove(file_);
    board_.Keep();  // nothing changed since: nothing written
    EXPECT_FALSE(std::filesystem::exists(file_));
    EXPECT_TRUE(board_.Execute(Command::Of(Command::kUndo)).keep);  // the mark, and the selection it had
    board_.Keep();

    std::unique_ptr<BoardController> next = Restart();
    EXPECT_EQ(Text(board_), Text(*next));
    EXPECT_EQ(5, next->GetGame().GetState().puzzle.GetSelectedCell().x);
    next->Execute(Command::Of(Command::kRedo));
    EXPECT_EQ(1 << 2, next->GetGame().GetState().marks.Get(5, 1));
    next->Execute(Command::Of(Command::kUndo));
    next->Execute(Command::Of(Command::kUndo));
    EXPECT_FALSE(next->IsAvailable(Command::kUndo));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(next->GetGame().GetState().puzzle));

    next->Execute(Command::Of(Command::kSolve));
    next->Keep();
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Restart()->GetGame().GetState().puzzle));  // solved: not resumed

    EXPECT_EQ(std::make_pair(Message(M::kCaptionResumeGame), Message(M::kKeepingOff)),
              Box(next->Execute(Command::Of(Command::kResumeGame))));  // off: kept no more, nor read, and told
    EXPECT_EQ(L"0", properties_.values[L"ResumeGame"]);
    EXPECT_FALSE(next->IsOn(Command::kResumeGame));
    EXPECT_FALSE(Type(1, 1, 0).keep);
    board_.Keep();
    std::unique_ptr<BoardController> off = Restart();
    EXPECT_EQ(kSampleLine, ToPuzzleLine(off->GetGame().GetState().puzzle));
    EXPECT_FALSE(Type(1, 1, 0).keep);
    BoardAnswer on = off->Execute(Command::Of(Command::kResumeGame));
    EXPECT_TRUE(on.menu && on.keep);  // on again: the game on the board is kept at once
}

// A write that fails is told once, with the folder it failed in, and tried again with
// the next change; a kept game that cannot be taken says why, once, and play goes on.
TEST_F(KeptGameTest, WhatCannotBeKeptOrTakenIsToldOnce) {
    WriteBytes(folder_.Folder() / "Enneo Tessary", "a file where the folder should be");
    board_.Resume(file_);
    Type(1, 1, 8);
    EXPECT_EQ(M(M::kNotKeptNoFolder, {V::Text(file_.parent_path().wstring())}).Then(M::kPlayGoesOn, M::kParagraph),
              Told(board_.Keep(), M::kCaptionNotKept));
    EXPECT_TRUE(Type(1, 1, 0).keep);  // tried again after the next change, quietly
    EXPECT_EQ(BoardAnswer::kNoBox, board_.Keep().box);
    std::filesystem::remove(folder_.Folder() / "Enneo Tessary");
    EXPECT_EQ(BoardAnswer::kNoBox, board_.Keep().box);
    EXPECT_TRUE(std::filesystem::exists(file_));

    // A damaged file and no backup: the sample, and the reader's sentence. The file is
    // set aside, out of the way of the new game's writes.
    std::filesystem::remove(file_);
    const std::string damaged = "Enneo Tessary game 1.0\r\nrow";
    WriteBytes(file_, damaged);
    const std::filesystem::path aside = file_.wstring() + L".refused-1";
    const Message setAside(M::kGameSetAside, {V::Text(aside.wstring())});
    BoardAnswer resumed;
    std::unique_ptr<BoardController> next = Restart(&resumed);
    EXPECT_EQ(M(M::kGameDamaged, {V::Number(2)}).Then(setAside), Told(resumed, M::kCaptionLastGame));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(next->GetGame().GetState().puzzle));
    next->Execute(Command::Mark(0));
    next->Keep();
    next->Execute(Command::SelectCell({1, 1}));
    next->Keep();
    EXPECT_EQ(damaged, ReadBytes(aside));
    Restart(&resumed);
    EXPECT_EQ(BoardAnswer::kNoBox, resumed.box);  // written again soundly

    // A game of a newer version beside a sound backup: the backup, and the newer one kept
    // under a name of its own, beside the earlier one.
    const std::string newer = "Enneo Tessary game 2.0\r\nboard 81\r\n";
    WriteBytes(file_, newer);
    WriteBytes(file_.wstring() + L".bak", Text(*next));
    next = Restart(&resumed);
    const std::filesystem::path newerAside = file_.wstring() + L".refused-2";
    EXPECT_EQ(M(M::kGameFromBackup).Then(M(M::kGameSetAside, {V::Text(newerAside.wstring())})),
              Told(resumed, M::kCaptionLastGame));
    EXPECT_EQ(newer, ReadBytes(newerAside));
    EXPECT_EQ(damaged, ReadBytes(aside));

    // A puzzle file whose givens repeat a digit opens and is kept as it is; the next
    // start cannot take it, and says why. Both versions hold it, and both go aside.
    EnneoPuzzle repeated;
    repeated.LoadFromString("5 5");
    ASSERT_TRUE(repeated.Save(folder_.Path("repeated.enn").c_str()));
    next->Open(folder_.Path("repeated.enn").c_str());
    next->Keep();
    next->Execute(Command::Move(1, 0));
    next->Keep();
    next = Restart(&resumed);
    EXPECT_EQ(M(M::kGameBreaksRules)
                  .Then(M(M::kBackupSetAside, {V::Text(file_.wstring() + L".refused-3")}))
                  .Then(M(M::kGameSetAside, {V::Text(file_.wstring() + L".refused-4")})),
              Told(resumed, M::kCaptionLastGame));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(next->GetGame().GetState().puzzle));

    // Another copy of the program keeps the game: this one keeps none, and says so.
    const Message elsewhere(M::kKeptElsewhere);
    BoardController copy = Another(kSampleLine);
    EXPECT_EQ(elsewhere, Told(copy.Resume({}), M::kCaptionLastGame));
    EXPECT_EQ(BoardAnswer::kNoBox, copy.Execute(Command::Of(Command::kResumeGame)).box);  // off: nothing to lose
    EXPECT_EQ(elsewhere, Told(copy.Execute(Command::Of(Command::kResumeGame)), M::kCaptionLastGame));
    copy.Execute(Command::SelectCell({1, 1}));
    EXPECT_FALSE(copy.Execute(Command::Digit(8)).keep);
}

// Save writes the whole game as a game file, under any name; Open knows it by its first
// line and puts its board, marks and selection on the board as one step.
TEST_F(KeptGameTest, GameFilesAreSavedAndOpened) {
    EXPECT_EQ(FileFormats::kPuzzleFile, board_.ProposedSaveType());  // the givens alone
    Type(1, 1, 8);
    EXPECT_EQ(FileFormats::kGameFile, board_.ProposedSaveType());  // a game in progress
    board_.Execute(Command::SelectCell({3, 1}));
    board_.Execute(Command::Mark(6));
    const std::wstring saved = folder_.Path("saved-without-extension");
    EXPECT_EQ(std::make_pair(false, true), Shows(board_.Save(saved.c_str(), FileFormats::kGameFile)));  // recent
    EXPECT_EQ(Text(board_), ReadBytes(saved));

    BoardController other = Another(kStepGrids[0].givens);
    EXPECT_EQ(kBoardAndMenu, Shows(other.Open(saved.c_str())));
    EXPECT_EQ(3, other.GetGame().GetState().puzzle.GetSelectedCell().x);
    EXPECT_TRUE(GameStep::Between(board_.GetGame().GetState(), other.GetGame().GetState()).cells.empty());
    EXPECT_EQ(EnneoPuzzle::CELL_SET, other.GetGame().GetState().puzzle.GetCellState(1, 1));
    other.Execute(Command::Of(Command::kUndo));
    EXPECT_EQ(kStepGrids[0].givens, ToPuzzleLine(other.GetGame().GetState().puzzle));
    EXPECT_FALSE(other.IsAvailable(Command::kUndo));
    board_.Execute(Command::Of(Command::kResumeGame));  // not kept: Save proposes as it always did
    EXPECT_EQ(FileFormats::kPuzzleFile, board_.ProposedSaveType());

    std::string text = ReadBytes(saved);
    WriteBytes(saved, text.substr(0, text.size() / 2));
    BoardAnswer refused = other.Open(saved.c_str());
    EXPECT_EQ(BoardAnswer::kError, refused.box);
    EXPECT_EQ(M::kGameDamaged, refused.sentence.id);
    EXPECT_EQ(kStepGrids[0].givens, ToPuzzleLine(other.GetGame().GetState().puzzle));
}

// The time played and the help go with the kept game and a saved game file, and come
// back with them: the clock goes on from that time, and a game that had help does not
// count when it is finished.
TEST_F(KeptGameTest, TheTimeAndTheHelpGoWithTheGame) {
    board_.Resume(file_);
    board_.Execute(Command::Window(Command::kWindowActive, true));
    Type(1, 1, 8);
    board_.Keep();
    now_ += 75000;
    board_.Keep();  // only the time went on, as at the end of the program: kept all the same
    std::unique_ptr<BoardController> next = Restart();
    EXPECT_EQ(75000u, next->GetClock().GetElapsed());
    next->Execute(Command::Of(Command::kHint));
    next->Keep();
    EXPECT_NE(std::string::npos, ReadBytes(file_).find("\r\nelapsed 75000\r\nassisted\r\n"));

    const std::wstring saved = folder_.Path("with-help");
    next->Save(saved.c_str(), FileFormats::kGameFile);
    BoardController other = Another(kStepGrids[0].givens);
    other.Open(saved.c_str());
    EXPECT_EQ(75000u, other.GetClock().GetElapsed());
    std::vector<Message> told;
    for (int i = 0; i < 81; ++i) {
        other.Execute(Command::SelectCell({i % 9 + 1, i / 9 + 1}));
        BoardAnswer answer = other.Execute(Command::Digit(kSolvedSample[i] - '0'));
        if (answer.box != BoardAnswer::kNoBox) told.push_back(answer.sentence);
    }
    EXPECT_TRUE(other.GetGame().GetState().puzzle.IsSolved());
    EXPECT_EQ(std::vector<Message>{M(M::kSolvedIn, {V::Time(75)})}, told);  // the time it had, and no best time
    EXPECT_EQ(0u, properties_.values.count(L"Statistics\\Easy"));
}

}  // namespace
