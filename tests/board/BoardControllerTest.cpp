// Tests of the board controller: each command's effect on the game and the view, and its answer.
#include "board/BoardController.h"

#include "tests/puzzle/CoachGrids.h"
#include "tests/puzzle/PuzzleTestGrids.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using Command = BoardCommand;

// Settings in memory, as the registry keeps them.
class MemoryProperties : public util::IProperties {
public:
    bool GetProperty(const wchar_t* name, String& value, const wchar_t*) override {
        auto found = values.find(name);
        value = found == values.end() ? String() : String(found->second.c_str());
        return found != values.end();
    }
    bool SetProperty(const wchar_t* name, const wchar_t* text, const wchar_t*) override {
        values[name] = text;
        return true;
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

}  // namespace
