// Tests of the board controller: each command's effect on the game and the view, and its answer.
#include "board/BoardController.h"

#include "MemoryProperties.h"
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
    // A box's caption and sentence.
    static std::pair<std::wstring, std::wstring> Box(const BoardAnswer& answer) {
        EXPECT_EQ(BoardAnswer::kInformation, answer.box);
        return {answer.caption, answer.sentence.GetText()};
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
    auto heard = [this] {
        return std::wstring(board_.GetAnnouncement().GetText() ? board_.GetAnnouncement().GetText() : L"");
    };
    const auto focus = std::make_tuple(true, false, false), value = std::make_tuple(false, true, true),
               names = std::make_tuple(false, false, true), none = std::make_tuple(false, false, false);

    board_.Execute(Command::Digit(5));
    EXPECT_EQ(L"No cell is selected: an arrow key selects one.", heard());
    EXPECT_EQ(focus, told(board_.Execute(Command::Move(1, 0))));  // the top-left cell
    EXPECT_EQ(L"", heard());
    EXPECT_EQ(none, told(board_.Execute(Command::Move(-1, 0))));  // at the edge
    EXPECT_EQ(value, told(board_.Execute(Command::Digit(8))));
    BoardAnswer refused = board_.Execute(Command::Digit(9));
    EXPECT_EQ(none, told(refused));
    EXPECT_EQ(L"9 not allowed here: row 1 holds a 9", std::wstring(refused.reader.announcement.GetText()));
    EXPECT_EQ(L"9 not allowed here: row 1 holds a 9", heard());
    board_.Execute(Command::Mark(3));
    EXPECT_EQ(L"Marks go into empty cells only.", heard());
    EXPECT_EQ(value, told(board_.Execute(Command::Digit(0))));
    EXPECT_EQ(none, told(board_.Execute(Command::Digit(0))));  // empty already: nothing to say
    EXPECT_EQ(L"", heard());
    EXPECT_EQ(names, told(board_.Execute(Command::Mark(3))));
    EXPECT_EQ(names, told(board_.Execute(Command::Of(Command::kShowHints))));
    EXPECT_EQ(focus, told(board_.Execute(Command::SelectCell({2, 1}))));
    EXPECT_EQ(none, told(board_.Execute(Command::Digit(1))));
    EXPECT_EQ(L"9 is given here and cannot be changed.", heard());
    Type(9, 2, 9);  // does not fit
    EXPECT_EQ(names, told(board_.Execute(Command::Of(Command::kCheck))));

    // A puzzle pasted renames the cells; the commands of puzzles in and out say why they
    // changed nothing.
    EXPECT_EQ(names, told(board_.Paste({ClipboardContent::kText, L"1" + std::wstring(80, L'.')})));
    board_.Execute(Command::Of(Command::kNextPuzzle));
    EXPECT_EQ(L"No list of puzzles is open.", heard());
    board_.Execute(Command::Of(Command::kMakeGivens));
    EXPECT_EQ(L"The board holds no digit of yours to make a given.", heard());

    // Pencil mode, Fill In Candidates and the pause say what they did; the window's own
    // news leaves the sentence; the pause refuses what would show the board, and its end
    // speaks the selected cell again.
    board_.Execute(Command::SelectCell({2, 1}));
    board_.Execute(Command::Of(Command::kPencilMode));
    EXPECT_EQ(L"Pencil mode on: digits toggle marks.", heard());
    EXPECT_EQ(names, told(board_.Execute(Command::Digit(4))));
    board_.Execute(Command::Of(Command::kFillInCandidates));
    EXPECT_EQ(L"Every empty cell holds its candidates as marks.", heard());
    EXPECT_EQ(names, told(board_.Execute(Command::Of(Command::kPause))));
    EXPECT_EQ(L"Paused. Escape goes on.", heard());
    board_.Execute(Command::Of(Command::kTick));
    EXPECT_EQ(L"Paused. Escape goes on.", heard());
    board_.Execute(Command::Digit(4));
    EXPECT_EQ(L"The game is paused. Escape goes on.", heard());
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
    const wchar_t* const steps[] = {
        L"9 goes in row 6, column 4: it is the only digit left for that cell.",
        L"1 goes in row 6, column 4: it is the only place for 1 in its block.",
        L"9 goes in row 2, column 9: it is the only place for 9 in row 2.",
        L"3 goes in row 5, column 3: it is the only place for 3 in column 3.",
        (L"No cell has a single digit left, and no digit has a single place in a block, a row or a column, so the "
         L"next step is a trial in row 1, column 1: of its candidates 2, 5 and 6, tried in turn, only 5 leads to a "
         L"solution."),
    };
    for (int i = 0; i < 5; ++i) {
        BoardController board = Another(kStepGrids[i].givens);
        BoardAnswer answer = board.Execute(Command::Of(Command::kHint));
        EXPECT_EQ(std::make_pair(std::wstring(L"Hint"), std::wstring(steps[i])), Box(answer));
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
    EXPECT_EQ(L"The 9 in row 2, column 9 does not fit the puzzle's only solution.", hint());
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
    EXPECT_EQ(L"The grid is solved.", hint());

    board_.Execute(Command::Of(Command::kNewEmpty));
    Type(5, 5, 1);
    EXPECT_EQ(L"The puzzle has more than one solution, so no next step follows from the digits on the board.", hint());
    EXPECT_EQ(std::make_pair(5, 5), Selected());  // kept
    BoardController repeated = Another("12345678.........9" + std::string(63, '.'));
    EXPECT_EQ(L"The puzzle has no solution.", Box(repeated.Execute(Command::Of(Command::kHint))).second);
    EXPECT_EQ(0, repeated.GetGame().GetState().puzzle.GetSelectedCell().x);

    // Givens with two solutions, and a 7 that fits neither.
    BoardController two = Another("89.31.2.6.51.26..84.2...3.117..38......1.....6.37521.9.1..938......74.1...5..1.3.");
    two.Execute(Command::SelectCell({6, 1}));
    two.Execute(Command::Digit(7));
    for (Command::Kind kind : {Command::kHint, Command::kCheck}) {
        EXPECT_EQ(L"No solution of the puzzle fits the digits on the board.",
                  Box(two.Execute(Command::Of(kind))).second);
    }
}

// Check's answers, and the digits that do not fit, tinted whatever Mark Selection says
// until the board changes. The level is the givens' alone.
TEST_F(BoardControllerTest, CheckSaysWhetherTheDigitsFit) {
    auto check = [this] { return Box(board_.Execute(Command::Of(Command::kCheck))).second; };
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n56 cells are left. Level: Easy.", check());
    Type(1, 1, 8);
    Type(9, 2, 9);
    EXPECT_EQ(L"1 digit that is not a given does not fit the puzzle's only solution.", check());
    Type(1, 3, 1);
    BoardAnswer answer = board_.Execute(Command::Of(Command::kCheck));
    EXPECT_EQ(L"2 digits that are not givens do not fit the puzzle's only solution.", Box(answer).second);
    EXPECT_TRUE(answer.repaint);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{9, 2}, {1, 3}}), Misfits());
    board_.Execute(Command::Move(1, 1));
    EXPECT_EQ(2u, Misfits().size());
    board_.Execute(Command::Of(Command::kUndo));
    EXPECT_TRUE(Misfits().empty());
    // The solver's digits after a mistake are set digits too, and counted as such.
    board_.Execute(Command::Of(Command::kSolve));
    EXPECT_EQ(L"23 digits that are not givens do not fit the puzzle's only solution.", check());

    board_.Execute(Command::Of(Command::kReset));
    board_.Execute(Command::Of(Command::kSolve));
    Type(1, 1, 0);  // one cell from the end
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n1 cell is left. Level: Easy.", check());
    board_.Execute(Command::Of(Command::kUndo));
    EXPECT_EQ(L"The grid is solved.", check());
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n55 cells are left. Level: Hard.",
              Box(Another(kStepGrids[2].givens).Execute(Command::Of(Command::kCheck))).second);

    // Typed into an empty grid, the puzzle has no givens to grade, however far it got.
    board_.Execute(Command::Of(Command::kNewEmpty));
    for (int i = 0; i < 81; ++i) {
        if (kSampleLine[i] != '.' || i < 20) Type(i % 9 + 1, i / 9 + 1, kSolvedSample[i] - '0');
    }
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n42 cells are left.", check());
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

    EXPECT_EQ(L"Enneo Tessary", std::wstring(board_.GetTitle().GetText()));
    EXPECT_EQ(0u, board_.GetTickDelay());
    BoardAnswer answer = board_.Execute(Command::Of(Command::kShowTimer));
    EXPECT_TRUE(answer.title && answer.menu && board_.IsOn(Command::kShowTimer));
    EXPECT_EQ(L"1", properties_.values[L"ShowTimer"]);
    EXPECT_EQ(L"Enneo Tessary - 0:04", std::wstring(board_.GetTitle().GetText()));
    EXPECT_EQ(500u, board_.GetTickDelay());
    now_ += 400;
    EXPECT_FALSE(board_.Execute(Command::Of(Command::kTick)).title);
    now_ += 61000;
    EXPECT_TRUE(board_.Execute(Command::Of(Command::kTick)).title);
    EXPECT_EQ(L"Enneo Tessary - 1:05", std::wstring(board_.GetTitle().GetText()));

    board_.Execute(Command::Of(Command::kSolve));  // complete: the clock stops
    now_ += 5000;
    EXPECT_EQ(65900u, elapsed());
    EXPECT_TRUE(board_.Execute(Command::NewPuzzle(PuzzleGenerator::kEasy)).title);
    EXPECT_EQ(L"Enneo Tessary - 0:00", std::wstring(board_.GetTitle().GetText()));
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
    EXPECT_EQ(std::make_pair(std::wstring(L"Statistics"), std::wstring(L"A new best time for Easy: 1:05.")),
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
    std::wstring statistics = Box(board_.Execute(Command::Of(Command::kStatistics))).second;
    EXPECT_EQ(0u, statistics.find(L"Easy: 2 games finished, best time 1:05, average time 1:13.\n"
                                  L"Medium: no game finished yet.\nHard: no game finished yet.\n\n"))
        << statistics;
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
    // The sentence of a box with that caption.
    static std::wstring Told(const BoardAnswer& answer, const wchar_t* caption) {
        EXPECT_NE(BoardAnswer::kNoBox, answer.box);
        EXPECT_EQ(std::wstring(caption), answer.caption);
        return answer.sentence.GetText();
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
    std::wstring told = Told(board_.Keep(), L"Game Not Kept");
    EXPECT_EQ(0u, told.find(L"The game could not be kept: the folder \"" + file_.parent_path().wstring() +
                            L"\" could not be made."))
        << told;
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
    const std::wstring setAside = L" The file was kept as \"" + aside.wstring() + L"\".";
    BoardAnswer resumed;
    std::unique_ptr<BoardController> next = Restart(&resumed);
    EXPECT_EQ(L"The game file is damaged at line 2, so no game was taken from it." + setAside,
              Told(resumed, L"Last Game"));
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
    EXPECT_EQ(std::wstring(L"The game file was missing or damaged, so the game was taken from its backup, which may "
                           L"be a moment older.") + setAside,
              Told(resumed, L"Last Game"));
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
    EXPECT_EQ(L"The game file's board repeats a digit in a row, a column or a block, so no game was taken from it." +
                  setAside,
              Told(resumed, L"Last Game"));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(next->GetGame().GetState().puzzle));

    // Another copy of the program keeps the game: this one keeps none, and says so.
    const std::wstring elsewhere =
        L"Another Enneo Tessary that is running keeps the game in progress, so the game in this window is not kept.";
    BoardController copy = Another(kSampleLine);
    EXPECT_EQ(elsewhere, Told(copy.Resume({}), L"Last Game"));
    copy.Execute(Command::Of(Command::kResumeGame));
    EXPECT_EQ(elsewhere, Told(copy.Execute(Command::Of(Command::kResumeGame)), L"Last Game"));
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
    EXPECT_EQ(std::make_pair(false, true), Shows(board_.Save(saved.c_str(), BoardController::kGameFile)));  // recent
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
    EXPECT_EQ(0u, std::wstring(refused.sentence.GetText()).find(L"The game file is damaged at line "));
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
    next->Save(saved.c_str(), BoardController::kGameFile);
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
        EXPECT_EQ(std::wstring(L"Paste Puzzle"), answer.caption);
        EXPECT_EQ("8973", ToPuzzleLine(Board()).substr(0, 4));  // the board stays
        return std::wstring(answer.sentence.GetText());
    };
    EXPECT_EQ(L"The clipboard is empty. Copy a puzzle as text first.", refused(ClipboardContent::kNothing, L""));
    EXPECT_EQ(0u, refused(ClipboardContent::kPicture, L"").find(L"The clipboard holds a picture, not text."));
    EXPECT_EQ(0u, refused(ClipboardContent::kFiles, L"").find(L"The clipboard holds files, not text."));
    EXPECT_EQ(0u, refused(ClipboardContent::kText, L"Dear player, 12 3").find(L"The text on the clipboard holds no"));
    EXPECT_EQ(L"This puzzle breaks the rules: column 1 holds two 5s.",
              refused(ClipboardContent::kText, (L"5........5" + std::wstring(71, L'.')).c_str()));

    EXPECT_EQ(kBoardAndMenu, Shows(board_.Paste({ClipboardContent::kText, whole})));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, Board().GetCellState(1, 1));
    board_.Execute(Command::Of(Command::kUndo));
    EXPECT_EQ(EnneoPuzzle::CELL_SET, Board().GetCellState(1, 1));  // one step back to the game
    BoardAnswer several = board_.Paste({ClipboardContent::kText, L"1" + std::wstring(80, L'.')});
    EXPECT_EQ(std::make_pair(std::wstring(L"Paste Puzzle"), std::wstring(L"This puzzle has more than one solution.")),
              Box(several));
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
        EXPECT_FALSE(board_.GetListPlace());
    }
    WriteBytes(folder.Path("letter.txt"), "Dear player,\r\nno puzzle here.\r\n");
    BoardAnswer refused = board_.Open(folder.Path("letter.txt").c_str());
    EXPECT_EQ(BoardAnswer::kError, refused.box);
    EXPECT_EQ(0u, std::wstring(refused.sentence.GetText()).find(L"No puzzle was found in the file \"letter.txt\". "));
    EXPECT_EQ(sdk, ToPuzzleLine(Board()));

    EnneoPuzzle repeated;
    repeated.LoadFromString("5 5");
    ASSERT_TRUE(repeated.Save(folder.Path("own.enn").c_str()));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Open(folder.Path("own.enn").c_str())));
    EXPECT_EQ("55" + std::string(79, '.'), ToPuzzleLine(Board()));
    EXPECT_EQ(folder.Path("saved.enn"),
              board_.Save(folder.Path("saved.enn").c_str(), BoardController::kPuzzleFile).recentFile);

    // The latest first, each once, and kept for the next start; a file gone is taken off.
    std::vector<std::wstring> recent;
    BoardController restarted = Another(std::string(81, '.'));
    for (const auto& entry : restarted.GetRecentFiles()) recent.push_back(entry.path);
    EXPECT_EQ((std::vector<std::wstring>{folder.Path("saved.enn"), folder.Path("own.enn"), folder.Path("puzzle.ss"),
                                         folder.Path("puzzle.sdk"), folder.Path("line.txt")}),
              recent);
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::OpenRecent(3))));
    EXPECT_EQ(sdk, ToPuzzleLine(Board()));
    EXPECT_EQ(folder.Path("puzzle.sdk"), board_.GetRecentFiles()[0].path);
    std::filesystem::remove(folder.Path("line.txt"));
    BoardAnswer gone = board_.Execute(Command::OpenRecent(4));
    EXPECT_EQ(L"The file \"" + folder.Path("line.txt") + L"\" is no longer there, so it was taken off the list.",
              std::wstring(gone.sentence.GetText()));
    EXPECT_TRUE(gone.menu);
    EXPECT_EQ(4u, board_.GetRecentFiles().size());
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
        std::optional<ListPlace> place = board.GetListPlace();
        return place ? std::make_pair(place->number, place->count) : std::make_pair(size_t(0), size_t(0));
    };
    EXPECT_FALSE(board_.IsAvailable(Command::kNextPuzzle));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Open(list.c_str())));
    EXPECT_EQ(std::make_pair(size_t(1), size_t(3)), place(board_));
    EXPECT_TRUE(board_.IsAvailable(Command::kNextPuzzle));
    EXPECT_EQ(L"This puzzle has more than one solution.",
              Box(board_.Execute(Command::Of(Command::kNextPuzzle))).second);
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
    EXPECT_EQ(L"The file \"list.sdm\" no longer holds a list of puzzles.", std::wstring(shrunk.sentence.GetText()));
    EXPECT_FALSE(next.GetListPlace());
    board_.Execute(Command::Of(Command::kNewEmpty));
    EXPECT_FALSE(board_.GetListPlace());
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
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n56 cells are left. Level: Easy.",
              Box(board_.Execute(Command::Of(Command::kCheck))).second);
    board_.Execute(Command::Of(Command::kUndo));  // Reset
    board_.Execute(Command::Of(Command::kUndo));  // the 8
    board_.Execute(Command::Of(Command::kUndo));  // Make Digits Givens
    EXPECT_EQ(EnneoPuzzle::CELL_SET, Board().GetCellState(2, 1));

    board_.Execute(Command::Of(Command::kNewEmpty));
    Type(5, 5, 1);
    EXPECT_EQ(
        std::make_pair(std::wstring(L"Make Digits Givens"), std::wstring(L"This puzzle has more than one solution.")),
        Box(board_.Execute(Command::Of(Command::kMakeGivens))));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, Board().GetCellState(5, 5));
}

}  // namespace
