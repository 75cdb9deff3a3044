// Tests of the board controller: each command's effect on the game and the view, and its answer.
#include "board/BoardController.h"

#include "puzzle/GameFile.h"
#include "tests/common/TestFiles.h"
#include "tests/puzzle/CoachGrids.h"
#include "tests/puzzle/PuzzleTestGrids.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Command = BoardCommand;

// Settings in memory, as the registry keeps them: a value of a section is named
// "section\\name".
class MemoryProperties : public util::IProperties {
public:
    bool GetProperty(const wchar_t* name, String& value, const wchar_t* section) override {
        auto found = values.find(Key(name, section));
        value = found == values.end() ? String() : String(found->second.c_str());
        return found != values.end();
    }
    bool SetProperty(const wchar_t* name, const wchar_t* text, const wchar_t* section) override {
        values[Key(name, section)] = text;
        return true;
    }
    static std::wstring Key(const wchar_t* name, const wchar_t* section) {
        return section == nullptr ? name : std::wstring(section) + L"\\" + name;
    }

    std::map<std::wstring, std::wstring> values;
};

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

    MemoryProperties properties_;
    BoardController board_{ReadPuzzleLine(kSampleLine), properties_};
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
        BoardController restarted(EnneoPuzzle(), properties_);
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
        EXPECT_EQ(theme, BoardController(EnneoPuzzle(), properties_).GetView().theme) << stored;
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

// Each of Hint's answers, and the cell it selects: a board for each kind of step, the
// first mistake in reading order, and the verdicts. Hint places nothing.
TEST_F(BoardControllerTest, HintExplainsTheNextStepOrTheFirstMistake) {
    const wchar_t* const steps[] = {
        L"9 goes in row 6, column 4: it is the only digit left for that cell.",
        L"1 goes in row 6, column 4: it is the only place for 1 in its block.",
        L"9 goes in row 2, column 9: it is the only place for 9 in row 2.",
        L"3 goes in row 5, column 3: it is the only place for 3 in column 3.",
        (L"No cell has a single digit left, and no digit a single place in a block, a row or a column, so the next "
         L"step is a trial: the solver would try 5 in row 1, column 1."),
    };
    for (int i = 0; i < 5; ++i) {
        BoardController board(ReadPuzzleLine(kStepGrids[i].givens), properties_);
        EXPECT_EQ(std::make_pair(std::wstring(L"Hint"), std::wstring(steps[i])),
                  Box(board.Execute(Command::Of(Command::kHint))));
        EnneoPuzzle::Cell selected = board.GetGame().GetState().puzzle.GetSelectedCell();
        EXPECT_EQ(std::make_pair(kStepGrids[i].x, kStepGrids[i].y), std::make_pair(selected.x, selected.y));
        EXPECT_EQ(kStepGrids[i].givens, ToPuzzleLine(board.GetGame().GetState().puzzle));
    }

    auto hint = [this] { return Box(board_.Execute(Command::Of(Command::kHint))).second; };
    Type(1, 3, 1);  // the solution has 4 there
    Type(9, 2, 9);  // and 8 here
    Type(1, 1, 8);  // right
    EXPECT_EQ(L"The 9 in row 2, column 9 does not fit the puzzle's only solution.", hint());
    EXPECT_EQ(std::make_pair(9, 2), Selected());
    board_.Execute(Command::Of(Command::kReset));
    board_.Execute(Command::Of(Command::kSolve));
    EXPECT_EQ(L"The grid is solved.", hint());

    board_.Execute(Command::Of(Command::kNewEmpty));
    Type(5, 5, 1);
    EXPECT_EQ(L"The puzzle has more than one solution.", hint());
    EXPECT_EQ(std::make_pair(5, 5), Selected());  // kept
    BoardController repeated(ReadPuzzleLine("12345678.........9" + std::string(63, '.')), properties_);
    EXPECT_EQ(L"The puzzle has no solution.", Box(repeated.Execute(Command::Of(Command::kHint))).second);
    EXPECT_EQ(0, repeated.GetGame().GetState().puzzle.GetSelectedCell().x);
}

// Check's answers, and the player's digits that do not fit, kept in the view until the
// board changes and repainted at once only with Mark Selection on.
TEST_F(BoardControllerTest, CheckSaysWhetherTheDigitsFit) {
    auto check = [this] { return Box(board_.Execute(Command::Of(Command::kCheck))).second; };
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n56 cells are left. The puzzle is Easy.", check());
    Type(1, 1, 8);
    Type(9, 2, 9);
    EXPECT_EQ(L"1 of your digits does not fit the puzzle's only solution.", check());
    Type(1, 3, 1);
    BoardAnswer answer = board_.Execute(Command::Of(Command::kCheck));
    EXPECT_EQ(L"2 of your digits do not fit the puzzle's only solution.", Box(answer).second);
    EXPECT_FALSE(answer.repaint);
    auto misfits = [this] {
        std::vector<std::pair<int, int>> cells;
        for (EnneoPuzzle::Cell cell : board_.GetView().misfits) cells.emplace_back(cell.x, cell.y);
        return cells;
    };
    EXPECT_EQ((std::vector<std::pair<int, int>>{{9, 2}, {1, 3}}), misfits());
    board_.Execute(Command::Of(Command::kMarkSelection));
    EXPECT_EQ(2u, misfits().size());  // the board did not change
    EXPECT_TRUE(board_.Execute(Command::Of(Command::kCheck)).repaint);
    board_.Execute(Command::Move(1, 1));
    EXPECT_EQ(2u, misfits().size());
    board_.Execute(Command::Of(Command::kUndo));
    EXPECT_TRUE(misfits().empty());

    board_.Execute(Command::Of(Command::kReset));
    board_.Execute(Command::Of(Command::kSolve));
    Type(1, 1, 0);  // one cell from the end
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n1 cell is left. The puzzle is Easy.", check());
    board_.Execute(Command::Of(Command::kUndo));
    EXPECT_EQ(L"The grid is solved.", check());
    BoardController hard(ReadPuzzleLine(kStepGrids[2].givens), properties_);
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n55 cells are left. The puzzle is Hard.",
              Box(hard.Execute(Command::Of(Command::kCheck))).second);
}

// The keeping of the game in progress, with Resume Last Game on as it is by default: a
// file in a folder made at the first write.
class KeptGameTest : public BoardControllerTest {
protected:
    // A controller of the next start, resumed from the same file.
    std::unique_ptr<BoardController> Restart(BoardAnswer* answer = nullptr) {
        auto next = std::make_unique<BoardController>(ReadPuzzleLine(kSampleLine), properties_);
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
                            L"\" could not be made.")) << told;
    EXPECT_TRUE(Type(1, 1, 0).keep);  // tried again after the next change, quietly
    EXPECT_EQ(BoardAnswer::kNoBox, board_.Keep().box);
    std::filesystem::remove(folder_.Folder() / "Enneo Tessary");
    EXPECT_EQ(BoardAnswer::kNoBox, board_.Keep().box);
    EXPECT_TRUE(std::filesystem::exists(file_));

    // A damaged file and no backup: the sample, and the reader's sentence.
    std::filesystem::remove(file_);
    WriteBytes(file_, "Enneo Tessary game 1.0\r\nrow");
    BoardAnswer resumed;
    std::unique_ptr<BoardController> next = Restart(&resumed);
    EXPECT_EQ(L"The game file is damaged at line 2, so no game was taken from it.", Told(resumed, L"Last Game"));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(next->GetGame().GetState().puzzle));
    next->Execute(Command::Mark(0));
    next->Execute(Command::SelectCell({1, 1}));
    next->Keep();
    Restart(&resumed);
    EXPECT_EQ(BoardAnswer::kNoBox, resumed.box);  // written again soundly

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
    EXPECT_EQ(L"The game file's board repeats a digit in a row, a column or a block, so no game was taken from it.",
              Told(resumed, L"Last Game"));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(next->GetGame().GetState().puzzle));

    // Another copy of the program keeps the game: this one keeps none, and says so.
    const std::wstring elsewhere =
        L"Another Enneo Tessary that is running keeps the game in progress, so the game in this window is not kept.";
    BoardController copy(ReadPuzzleLine(kSampleLine), properties_);
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

    BoardController other(ReadPuzzleLine(kStepGrids[0].givens), properties_);
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
    BoardController restarted(EnneoPuzzle(), properties_);
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
        std::optional<BoardController::ListPlace> place = board.GetListPlace();
        return place ? std::make_pair(place->number, place->count) : std::make_pair(size_t(0), size_t(0));
    };
    EXPECT_FALSE(board_.IsAvailable(Command::kNextPuzzle));
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Open(list.c_str())));
    EXPECT_EQ(std::make_pair(size_t(1), size_t(3)), place(board_));
    EXPECT_TRUE(board_.IsAvailable(Command::kNextPuzzle));
    EXPECT_EQ(L"This puzzle has more than one solution.",
              Box(board_.Execute(Command::Of(Command::kNextPuzzle))).second);
    EXPECT_EQ(one, ToPuzzleLine(Board()));

    BoardController next(EnneoPuzzle(), properties_);
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
    for (int i = 0; i < 81; ++i) {
        if (kSampleLine[i] != '.') Type(i % 9 + 1, i / 9 + 1, kSampleLine[i] - '0');
    }
    EXPECT_EQ(kBoardAndMenu, Shows(board_.Execute(Command::Of(Command::kMakeGivens))));
    Type(1, 1, 8);
    board_.Execute(Command::Of(Command::kReset));
    EXPECT_EQ(kSampleLine, ToPuzzleLine(Board()));
    EXPECT_EQ(EnneoPuzzle::CELL_KNOWN, Board().GetCellState(2, 1));
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n56 cells are left. The puzzle is Easy.",
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
