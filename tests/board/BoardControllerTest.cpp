// Tests of the board controller: each command's effect on the game and the view, and its answer.
#include "board/BoardController.h"

#include "MemoryProperties.h"
#include "tests/puzzle/MessagePrint.h"
#include "puzzle/GameFile.h"
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

// The sample's solution.
const char kSolvedSample[] = "897315246351426798462987351179638425528149673643752189214593867936874512785261934";

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
    // Whether the answer asks for a repaint and for the menu, and shows no box.
    static std::pair<bool, bool> Shows(const BoardAnswer& answer) {
        EXPECT_EQ(BoardAnswer::kNoBox, answer.box);
        return {answer.repaint, answer.menu};
    }
    // An information box's caption and message.
    static std::pair<Message, Message> Box(const BoardAnswer& answer) {
        EXPECT_EQ(BoardAnswer::kInformation, answer.box);
        return {answer.caption, answer.sentence};
    }

    // A controller on the same properties and clock as board_.
    BoardController Another(const std::string& line) {
        return BoardController(ReadPuzzleLine(line), properties_, [this] { return now_; });
    }
    std::vector<std::pair<int, int>> Misfits() const {
        std::vector<std::pair<int, int>> cells;
        for (EnneoPuzzle::Cell cell : board_.GetView().misfits) cells.emplace_back(cell.x, cell.y);
        return cells;
    }
    std::pair<int, int> Hinted() const { return {board_.GetView().hinted.x, board_.GetView().hinted.y}; }

    MemoryProperties properties_;
    uint64_t now_ = 0;  // the clock's time source, in milliseconds
    BoardController board_ = Another(kSampleLine);
};

const std::pair<bool, bool> kNothing = {false, false};
const std::pair<bool, bool> kRepaint = {true, false};
const std::pair<bool, bool> kBoardAndMenu = {true, true};

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

// New, a new puzzle, Reset and Solve: each shows the board and the menu; a new puzzle
// of a level drops the selection and holds givens only, of that level.
TEST_F(BoardControllerTest, PuzzleCommands) {
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kSolve))));
    EXPECT_EQ("897315246", ToPuzzleLine(Board()).substr(0, 9));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kReset))));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Board()));
    board_.Execute(Command::SelectCell({5, 5}));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::NewPuzzle(PuzzleGenerator::kMedium))));
    EXPECT_EQ(0, Board().GetSelectedCell().x);
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            int expected = Board().GetCell(x, y) == 0 ? EnneoPuzzle::CELL_EMPTY : EnneoPuzzle::CELL_KNOWN;
            EXPECT_EQ(expected, Board().GetCellState(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(PuzzleGenerator::kMedium, PuzzleGenerator::Grade(SolverGrid(Board())));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kNewEmpty))));
    EXPECT_EQ(std::string(81, '.'), ToPuzzleLine(Board()));
}

// Each of Hint's answers, and the cell it selects and tints, whatever Mark Selection
// says, until the board changes: a board for each kind of step, the first mistake in
// reading order, and the verdicts. Hint places nothing.
TEST_F(BoardControllerTest, HintExplainsTheNextStepOrTheFirstMistake) {
    const Message steps[] = {
        {M::kHintSingleCandidate, {V::Number(9), V::Number(6), V::Number(4)}},
        {M::kHintSingleInBlock, {V::Number(1), V::Number(6), V::Number(4)}},
        {M::kHintSingleInRow, {V::Number(9), V::Number(2), V::Number(9)}},
        {M::kHintSingleInColumn, {V::Number(3), V::Number(5), V::Number(3)}},
        {M::kHintTrial, {V::Number(1), V::Number(1), V::Digits(0x32), V::Number(5)}},  // candidates 2, 5 and 6
    };
    for (int i = 0; i < 5; ++i) {
        BoardController board = Another(kStepGrids[i].givens);
        BoardAnswer answer = board.Execute(Command::Of(Command::kHint));
        EXPECT_EQ(std::make_pair(Message(M::kCaptionHint), steps[i]), Box(answer));
        EXPECT_TRUE(answer.repaint);
        EnneoPuzzle::Cell selected = board.GetGame().GetState().puzzle.GetSelectedCell();
        EnneoPuzzle::Cell hinted = board.GetView().hinted;
        EXPECT_EQ(std::make_pair(kStepGrids[i].x, kStepGrids[i].y), std::make_pair(selected.x, selected.y));
        EXPECT_EQ(std::make_pair(kStepGrids[i].x, kStepGrids[i].y), std::make_pair(hinted.x, hinted.y));
        EXPECT_EQ(kStepGrids[i].givens, ToPuzzleLine(board.GetGame().GetState().puzzle));
    }

    auto hint = [this] { return Box(board_.Execute(Command::Of(Command::kHint))).second; };
    Type(1, 3, 1);  // the solution has 4 there
    Type(9, 2, 9);  // and 8 here
    Type(1, 1, 8);  // right
    EXPECT_EQ(Message(M::kHintMisfit, {V::Number(9), V::Number(2), V::Number(9)}), hint());
    EXPECT_EQ(std::make_pair(9, 2), Selected());
    EXPECT_EQ((std::vector<std::pair<int, int>>{{9, 2}}), Misfits());  // a mistake is tinted as one
    EXPECT_EQ(std::make_pair(0, 0), Hinted());
    board_.Execute(Command::Move(0, 1));
    EXPECT_EQ(1u, Misfits().size());  // the board did not change
    board_.Execute(Command::Of(Command::kReset));
    EXPECT_TRUE(Misfits().empty());
    hint();
    EXPECT_NE(std::make_pair(0, 0), Hinted());
    Type(1, 1, 8);
    EXPECT_EQ(std::make_pair(0, 0), Hinted());
    board_.Execute(Command::Of(Command::kSolve));
    EXPECT_EQ(Message(M::kSolved), hint());

    board_.Execute(Command::Of(Command::kNewEmpty));
    Type(5, 5, 1);
    EXPECT_EQ(Message(M::kHintSeveralSolutions), hint());
    EXPECT_EQ(std::make_pair(5, 5), Selected());  // kept
    BoardController repeated = Another("12345678.........9" + std::string(63, '.'));
    EXPECT_EQ(Message(M::kNoSolution), Box(repeated.Execute(Command::Of(Command::kHint))).second);
    EXPECT_EQ(0, repeated.GetGame().GetState().puzzle.GetSelectedCell().x);

    // Givens with two solutions, and a 7 that fits neither.
    BoardController two = Another("89.31.2.6.51.26..84.2...3.117..38......1.....6.37521.9.1..938......74.1...5..1.3.");
    two.Execute(Command::SelectCell({6, 1}));
    two.Execute(Command::Digit(7));
    for (Command::Kind kind : {Command::kHint, Command::kCheck}) {
        EXPECT_EQ(Message(M::kNoSolutionFits), Box(two.Execute(Command::Of(kind))).second);
    }
}

// Check's answers, and the digits that do not fit, tinted whatever Mark Selection says
// until the board changes. The level is the givens' alone.
TEST_F(BoardControllerTest, CheckSaysWhetherTheDigitsFit) {
    auto check = [this] { return Box(board_.Execute(Command::Of(Command::kCheck))).second; };
    auto fits = [](int left, std::optional<PuzzleGenerator::Level> level) {
        Message message(M::kCheckFits);
        message.Then(M(M::kCellsLeft, {V::Number(left)}), M::kLine);
        if (level) message.Then(M(M::kCheckLevel, {V::Level(*level)}));
        return message;
    };
    EXPECT_EQ(fits(56, PuzzleGenerator::kEasy), check());
    Type(1, 1, 8);
    Type(9, 2, 9);
    EXPECT_EQ(Message(M::kCheckMisfits, {V::Number(1)}), check());
    Type(1, 3, 1);
    BoardAnswer answer = board_.Execute(Command::Of(Command::kCheck));
    EXPECT_EQ(Message(M::kCheckMisfits, {V::Number(2)}), Box(answer).second);
    EXPECT_TRUE(answer.repaint);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{9, 2}, {1, 3}}), Misfits());
    board_.Execute(Command::Move(1, 1));
    EXPECT_EQ(2u, Misfits().size());
    board_.Execute(Command::Of(Command::kUndo));
    EXPECT_TRUE(Misfits().empty());
    // The solver's digits after a mistake are set digits too, and counted as such.
    board_.Execute(Command::Of(Command::kSolve));
    EXPECT_EQ(Message(M::kCheckMisfits, {V::Number(23)}), check());

    board_.Execute(Command::Of(Command::kReset));
    board_.Execute(Command::Of(Command::kSolve));
    Type(1, 1, 0);  // one cell from the end
    EXPECT_EQ(fits(1, PuzzleGenerator::kEasy), check());
    board_.Execute(Command::Of(Command::kUndo));
    EXPECT_EQ(Message(M::kSolved), check());
    EXPECT_EQ(fits(55, PuzzleGenerator::kHard),
              Box(Another(kStepGrids[2].givens).Execute(Command::Of(Command::kCheck))).second);

    // Typed into an empty grid, the puzzle has no givens to grade, however far it got.
    board_.Execute(Command::Of(Command::kNewEmpty));
    for (int i = 0; i < 81; ++i) {
        if (kSampleLine[i] != '.' || i < 20) Type(i % 9 + 1, i / 9 + 1, kSolvedSample[i] - '0');
    }
    EXPECT_EQ(fits(42, std::nullopt), check());
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

    EXPECT_EQ(std::make_pair(false, true), Shows(board_.Execute(Command::Of(Command::kPencilMode))));
    EXPECT_TRUE(board_.IsOn(Command::kPencilMode));
    Type(9, 2, 6);
    Type(9, 2, 9);
    EXPECT_EQ(0x120, marks(9, 2));
    EXPECT_EQ(0, board_.GetGame().GetState().puzzle.GetCell(9, 2));
    Type(9, 2, 0);
    EXPECT_EQ(0, marks(9, 2));
    board_.Execute(Command::Of(Command::kUndo));
    EXPECT_EQ(0x120, marks(9, 2));
    board_.Execute(Command::Of(Command::kPencilMode));
    Type(9, 2, 8);
    EXPECT_EQ(8, board_.GetGame().GetState().puzzle.GetCell(9, 2));
}

// Back to the last board without a mistake in one command, which Redo walks forward
// step by step; greyed without a mistake or without one solution.
TEST_F(BoardControllerTest, UndoToLastCorrect) {
    EXPECT_FALSE(board_.IsAvailable(Command::kUndoToCorrect));
    Type(1, 1, 8);
    EXPECT_FALSE(board_.IsAvailable(Command::kUndoToCorrect));
    Type(1, 3, 1);  // wrong
    Type(9, 2, 8);
    board_.Execute(Command::Mark(5));
    EXPECT_TRUE(board_.IsAvailable(Command::kUndoToCorrect));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kUndoToCorrect))));
    std::string line = ToPuzzleLine(Board());
    EXPECT_EQ("8973.5.4.", line.substr(0, 9));
    EXPECT_EQ('.', line[18]);
    EXPECT_FALSE(board_.IsAvailable(Command::kUndoToCorrect));
    for (int redo = 0; redo < 3; ++redo) board_.Execute(Command::Of(Command::kRedo));
    EXPECT_EQ(1, Board().GetCell(1, 3));
    EXPECT_EQ(8, Board().GetCell(9, 2));
    EXPECT_FALSE(board_.IsAvailable(Command::kRedo));

    board_.Execute(Command::Of(Command::kNewEmpty));
    Type(1, 1, 1);
    Type(2, 1, 1);  // refused
    Type(2, 1, 2);
    EXPECT_FALSE(board_.IsAvailable(Command::kUndoToCorrect));  // no givens, no one solution
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
    EXPECT_TRUE(board_.Execute(Command::NewPuzzle(PuzzleGenerator::kEasy)).title);
    EXPECT_EQ(Message(M::kTitleWithTime, {V::Time(0)}), board_.GetTitle());
    now_ += 2000;
    EXPECT_EQ(2000u, elapsed());
    EXPECT_TRUE(Another(kSampleLine).IsOn(Command::kShowTimer));
}

// A puzzle with one solution that the player completes without help counts for its
// level once, and a new best time is told; Solve, Hint, Fill In Candidates, undo into
// another puzzle and a puzzle without givens do not count.
TEST_F(BoardControllerTest, BestTimesOnlyForAnUnassistedFinish) {
    // The sample's solution with one cell left for the player: an Easy puzzle.
    auto nearlySolved = [](int cell) {
        std::string line = kSolvedSample;
        line[cell] = '.';
        return line;
    };
    auto finish = [this](BoardController& board, int cell, uint64_t milliseconds) {
        board.Execute(Command::Window(Command::kWindowActive, true));
        now_ += milliseconds;
        board.Execute(Command::SelectCell({cell % 9 + 1, cell / 9 + 1}));
        return board.Execute(Command::Digit(kSolvedSample[cell] - '0'));
    };
    const wchar_t key[] = L"Statistics\\Easy";
    BoardController first = Another(nearlySolved(0));
    EXPECT_EQ(std::make_pair(Message(M::kCaptionStatistics),
                             Message(M::kNewBestTime, {V::Level(PuzzleGenerator::kEasy), V::Time(65)})),
              Box(finish(first, 0, 65900)));
    EXPECT_EQ(L"1 65 65", properties_.values[key]);
    first.Execute(Command::Of(Command::kUndo));
    EXPECT_EQ(BoardAnswer::kNoBox, first.Execute(Command::Of(Command::kRedo)).box);  // counted once
    EXPECT_EQ(L"1 65 65", properties_.values[key]);

    BoardController slower = Another(nearlySolved(1));
    EXPECT_EQ(BoardAnswer::kNoBox, finish(slower, 1, 80000).box);
    EXPECT_EQ(L"2 65 145", properties_.values[key]);
    for (Command::Kind help : {Command::kHint, Command::kFillInCandidates}) {
        BoardController helped = Another(nearlySolved(2));
        helped.Execute(Command::Of(help));
        EXPECT_EQ(BoardAnswer::kNoBox, finish(helped, 2, 1000).box);
    }
    BoardController solved = Another(nearlySolved(3));
    solved.Execute(Command::Of(Command::kSolve));
    BoardController undone = Another(nearlySolved(4));
    undone.Execute(Command::Of(Command::kNewEmpty));
    undone.Execute(Command::Of(Command::kUndo));  // back into the puzzle: no game of its own
    EXPECT_EQ(BoardAnswer::kNoBox, finish(undone, 4, 1000).box);
    BoardController typed = Another(std::string(81, '.'));
    for (int i = 0; i < 81; ++i) {
        typed.Execute(Command::SelectCell({i % 9 + 1, i / 9 + 1}));
        typed.Execute(Command::Digit(kSolvedSample[i] - '0'));
    }
    EXPECT_TRUE(typed.GetGame().GetState().puzzle.IsSolved());
    EXPECT_EQ(L"2 65 145", properties_.values[key]);
    Message statistics(M::kStatisticsLevel,
                       {V::Level(PuzzleGenerator::kEasy), V::Number(2), V::Time(65), V::Time(73)});
    statistics.Then(M(M::kStatisticsNoGame, {V::Level(PuzzleGenerator::kMedium)}), M::kLine)
        .Then(M(M::kStatisticsNoGame, {V::Level(PuzzleGenerator::kHard)}), M::kLine)
        .Then(M::kStatisticsRule, M::kParagraph);
    EXPECT_EQ(std::make_pair(Message(M::kCaptionStatistics), statistics),
              Box(board_.Execute(Command::Of(Command::kStatistics))));
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
    EXPECT_EQ(kNothing, Shows(board_.Execute(Command::Digit(8))));
    EXPECT_EQ(BoardAnswer::kNoBox, board_.Execute(Command::Of(Command::kHint)).box);
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Board()));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::SelectCell({5, 5}))));
    EXPECT_FALSE(board_.GetView().paused);
    EXPECT_EQ(std::make_pair(1, 1), Selected());  // the click only went on
    board_.Execute(Command::Of(Command::kPause));
    board_.Execute(Command::NewPuzzle(PuzzleGenerator::kEasy));
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

    next->Execute(Command::Of(Command::kResumeGame));  // off: kept no more, nor read
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
    const std::filesystem::path aside = file_.wstring() + L".refused";
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

    // A game of a newer version beside a sound backup: the backup, and the newer one kept.
    const std::string newer = "Enneo Tessary game 2.0\r\nboard 81\r\n";
    WriteBytes(file_, newer);
    WriteBytes(file_.wstring() + L".bak", Text(*next));
    next = Restart(&resumed);
    EXPECT_EQ(M(M::kGameFromBackup).Then(setAside), Told(resumed, M::kCaptionLastGame));
    EXPECT_EQ(newer, ReadBytes(aside));

    // A puzzle file whose givens repeat a digit opens and is kept as it is; the next
    // start cannot take it, and says why.
    EnneoPuzzle repeated;
    repeated.LoadFromString("5 5");
    ASSERT_TRUE(repeated.Save(folder_.Path("repeated.enn").c_str()));
    next->Open(folder_.Path("repeated.enn").c_str());
    next->Keep();
    next->Execute(Command::Move(1, 0));
    next->Keep();
    next = Restart(&resumed);
    EXPECT_EQ(M(M::kGameBreaksRules).Then(setAside), Told(resumed, M::kCaptionLastGame));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(next->GetGame().GetState().puzzle));

    // Another copy of the program keeps the game: this one keeps none, and says so.
    const Message elsewhere(M::kKeptElsewhere);
    BoardController copy = Another(kSampleLine);
    EXPECT_EQ(elsewhere, Told(copy.Resume({}), M::kCaptionLastGame));
    copy.Execute(Command::Of(Command::kResumeGame));
    EXPECT_EQ(elsewhere, Told(copy.Execute(Command::Of(Command::kResumeGame)), M::kCaptionLastGame));
    copy.Execute(Command::SelectCell({1, 1}));
    EXPECT_FALSE(copy.Execute(Command::Digit(8)).keep);
}

// Save writes the whole game as a game file, under any name; Open knows it by its first
// line and puts its board, marks and selection on the board as one step.
TEST_F(KeptGameTest, GameFilesAreSavedAndOpened) {
    Type(1, 1, 8);
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
    for (int i = 0; i < 81; ++i) {
        other.Execute(Command::SelectCell({i % 9 + 1, i / 9 + 1}));
        EXPECT_EQ(BoardAnswer::kNoBox, other.Execute(Command::Digit(kSolvedSample[i] - '0')).box);
    }
    EXPECT_TRUE(other.GetGame().GetState().puzzle.IsSolved());
    EXPECT_EQ(0u, properties_.values.count(L"Statistics\\Easy"));
}

// Copy's text, and each kind of thing on the clipboard: only text with a puzzle that
// keeps the rules comes in, as one step of givens; one without a single solution comes
// in with a box that says so.
TEST_F(BoardControllerTest, CopyAndPaste) {
    Type(1, 1, 8);
    BoardAnswer copied = board_.Execute(Command::Of(Command::kCopyPuzzle));
    EXPECT_EQ(kNothing, Shows(copied));
    EXPECT_EQ(0u, copied.copyText.find(std::wstring(kSampleLine, kSampleLine + 81) + L"\r\n"));
    std::wstring whole = board_.Execute(Command::Of(Command::kCopyBoard)).copyText;
    EXPECT_EQ(L"8973", whole.substr(0, 4));

    BoardAnswer paste = board_.Execute(Command::Of(Command::kPaste));
    EXPECT_TRUE(paste.readClipboard);
    EXPECT_EQ(kNothing, Shows(paste));
    auto refused = [this](ClipboardContent::Kind kind, const wchar_t* text) {
        BoardAnswer answer = board_.Paste({kind, text});
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

    EXPECT_EQ(kBoardAndMenu, Shows(board_.Paste({ClipboardContent::kText, whole})));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, Board().GetCellState(1, 1));
    board_.Execute(Command::Of(Command::kUndo));
    EXPECT_EQ(EnneoPuzzle::CELL_SET, Board().GetCellState(1, 1));  // one step back to the game
    BoardAnswer several = board_.Paste({ClipboardContent::kText, L"1" + std::wstring(80, L'.')});
    EXPECT_EQ(std::make_pair(Message(M::kCaptionPaste), Message(M::kPuzzleSeveralSolutions)), Box(several));
    EXPECT_TRUE(several.repaint);
    EXPECT_EQ("1" + std::string(80, '.'), ToPuzzleLine(Board()));
}

// Open reads the common forms as Paste does and remembers the files opened and saved; a
// file without a puzzle is refused by its name. The program's own files read as always:
// givens that repeat a digit come in without a word.
TEST_F(BoardControllerTest, OpenReadsEveryFormAndRemembersTheFiles) {
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
        BoardAnswer answer = board_.Open(folder.Path(file.first).c_str());
        EXPECT_EQ(kBoardAndMenu, Shows(answer));
        EXPECT_EQ(folder.Path(file.first), answer.recentFile);
        EXPECT_EQ(file.second.find('#') == 0 || file.second[0] == '|' ? sdk : kSampleLine, ToPuzzleLine(Board()));
        EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, Board().GetCellState(1, 9));
        EXPECT_FALSE(board_.Snapshot().listPlace);
    }
    WriteBytes(folder.Path("letter.txt"), "Dear player,\r\nno puzzle here.\r\n");
    BoardAnswer refused = board_.Open(folder.Path("letter.txt").c_str());
    EXPECT_EQ(BoardAnswer::kError, refused.box);
    EXPECT_EQ(M(M::kNoPuzzleInFile, {V::Text(L"letter.txt")}).Then(M::kPuzzleForms), refused.sentence);
    EXPECT_EQ(sdk, ToPuzzleLine(Board()));

    EnneoPuzzle repeated;
    repeated.LoadFromString("5 5");
    ASSERT_TRUE(repeated.Save(folder.Path("own.enn").c_str()));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Open(folder.Path("own.enn").c_str())));
    EXPECT_EQ("55" + std::string(79, '.'), ToPuzzleLine(Board()));
    EXPECT_EQ(folder.Path("saved.enn"),
              board_.Save(folder.Path("saved.enn").c_str(), FileFormats::kPuzzleFile).recentFile);

    // The latest first, each once, and kept for the next start; a file gone is taken off.
    std::vector<std::wstring> recent;
    BoardController restarted = Another(std::string(81, '.'));
    for (const auto& entry : restarted.Snapshot().recentFiles) recent.push_back(entry.path);
    EXPECT_EQ((std::vector<std::wstring>{folder.Path("saved.enn"), folder.Path("own.enn"), folder.Path("puzzle.ss"),
                                         folder.Path("puzzle.sdk"), folder.Path("line.txt")}),
              recent);
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::OpenRecent(3))));
    EXPECT_EQ(sdk, ToPuzzleLine(Board()));
    EXPECT_EQ(folder.Path("puzzle.sdk"), board_.Snapshot().recentFiles[0].path);
    std::filesystem::remove(folder.Path("line.txt"));
    BoardAnswer gone = board_.Execute(Command::OpenRecent(4));
    EXPECT_EQ(Message(M::kRecentFileGone, {V::Text(folder.Path("line.txt"))}), gone.sentence);
    EXPECT_TRUE(gone.menu);
    EXPECT_EQ(4u, board_.Snapshot().recentFiles.size());
    EXPECT_EQ(sdk, ToPuzzleLine(Board()));
}

// A list opens at the puzzle last open in it, and Next Puzzle in File goes on from there,
// past a puzzle that breaks the rules and round to the first; the place outlives the run.
TEST_F(BoardControllerTest, AListGoesOnFromThePuzzleLastOpen) {
    TempFolder folder;
    const std::string one = "1" + std::string(80, '.');
    const std::string clash = "11" + std::string(79, '.');
    WriteBytes(folder.Path("list.sdm"), std::string(kSampleLine) + "\n" + one + "\n" + clash + "\n");
    const std::wstring list = folder.Path("list.sdm");
    auto place = [](const BoardController& board) {
        std::optional<ListPlace> place = board.Snapshot().listPlace;
        return place ? std::make_pair(place->number, place->count) : std::make_pair(size_t(0), size_t(0));
    };
    EXPECT_FALSE(board_.IsAvailable(Command::kNextPuzzle));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Open(list.c_str())));
    EXPECT_EQ(std::make_pair(size_t(1), size_t(3)), place(board_));
    EXPECT_TRUE(board_.IsAvailable(Command::kNextPuzzle));
    EXPECT_EQ(Message(M::kPuzzleSeveralSolutions), Box(board_.Execute(Command::Of(Command::kNextPuzzle))).second);
    EXPECT_EQ(one, ToPuzzleLine(Board()));

    BoardController next = Another(std::string(81, '.'));
    next.Open(list.c_str());
    EXPECT_EQ(std::make_pair(size_t(2), size_t(3)), place(next));
    EXPECT_EQ(one, ToPuzzleLine(next.GetGame().GetState().puzzle));
    BoardAnswer refused = next.Execute(Command::Of(Command::kNextPuzzle));
    EXPECT_EQ(BoardAnswer::kError, refused.box);
    EXPECT_EQ(one, ToPuzzleLine(next.GetGame().GetState().puzzle));
    EXPECT_EQ(std::make_pair(size_t(3), size_t(3)), place(next));
    next.Execute(Command::Of(Command::kNextPuzzle));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(next.GetGame().GetState().puzzle));
    next.Execute(Command::Of(Command::kUndo));
    EXPECT_EQ(one, ToPuzzleLine(next.GetGame().GetState().puzzle));  // each puzzle one step

    WriteBytes(list, std::string(kSampleLine));
    BoardAnswer shrunk = next.Execute(Command::Of(Command::kNextPuzzle));
    EXPECT_EQ(Message(M::kNoLongerList, {V::Text(L"list.sdm")}), shrunk.sentence);
    EXPECT_FALSE(next.Snapshot().listPlace);
    board_.Execute(Command::Of(Command::kNewEmpty));
    EXPECT_FALSE(board_.Snapshot().listPlace);
}

// A puzzle typed in becomes the givens as one step, and then plays as an opened one:
// Reset keeps it and Check grades it.
TEST_F(BoardControllerTest, MakeDigitsGivens) {
    EXPECT_EQ(kNothing, Shows(board_.Execute(Command::Of(Command::kMakeGivens))));  // no digit of the player's
    board_.Execute(Command::Of(Command::kNewEmpty));
    board_.Execute(Command::Window(Command::kWindowActive, true));
    for (int i = 0; i < 81; ++i) {
        if (kSampleLine[i] != '.') Type(i % 9 + 1, i / 9 + 1, kSampleLine[i] - '0');
    }
    now_ += 60000;
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kMakeGivens))));
    EXPECT_EQ(0u, board_.GetClock().GetElapsed());  // the typing was not play
    Type(1, 1, 8);
    board_.Execute(Command::Of(Command::kReset));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Board()));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, Board().GetCellState(2, 1));
    EXPECT_EQ(M::kCheckFits, Box(board_.Execute(Command::Of(Command::kCheck))).second.id);
    board_.Execute(Command::Of(Command::kUndo));  // Reset
    board_.Execute(Command::Of(Command::kUndo));  // the 8
    board_.Execute(Command::Of(Command::kUndo));  // Make Digits Givens
    EXPECT_EQ(EnneoPuzzle::CELL_SET, Board().GetCellState(2, 1));

    board_.Execute(Command::Of(Command::kNewEmpty));
    Type(5, 5, 1);
    EXPECT_EQ(std::make_pair(Message(M::kCaptionMakeGivens), Message(M::kPuzzleSeveralSolutions)),
              Box(board_.Execute(Command::Of(Command::kMakeGivens))));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, Board().GetCellState(5, 5));
}

}  // namespace
