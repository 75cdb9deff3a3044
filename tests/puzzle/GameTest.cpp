// Tests of the game: steps, pencil marks, undo and redo, and the history's bound.
#include "puzzle/Game.h"

#include "PuzzleTestGrids.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Each cell's digit and state: '.' empty, a digit for a given, a letter for a set
// digit ('a' is 1).
std::string Board(const Game& game) {
    std::string board;
    const EnneoPuzzle& puzzle = game.GetState().puzzle;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            int digit = puzzle.GetCell(x, y);
            int state = puzzle.GetCellState(x, y);
            board += state == EnneoPuzzle::CELL_EMPTY ? '.'
                     : state == EnneoPuzzle::CELL_KNOWN ? static_cast<char>('0' + digit)
                                                        : static_cast<char>('a' + digit - 1);
        }
    }
    return board;
}

// Every kind of step in a row, each undone and then redone: the board goes back through
// exactly the states it passed, givens and set digits told apart.
TEST(GameTest, UndoAndRedoRetraceEveryStep) {
    Game game(PuzzleFromLine(kSampleLine));
    EXPECT_FALSE(game.CanUndo());
    EXPECT_FALSE(game.CanRedo());
    std::vector<std::string> boards = {Board(game)};
    auto step = [&](bool changed) {
        ASSERT_TRUE(changed);
        boards.push_back(Board(game));
    };
    game.SelectCell(1, 1);
    step(game.EnterDigit(8));
    game.SelectCell(9, 1);
    step(game.EnterDigit(6));
    step(game.EnterDigit(0));
    game.SelectCell(5, 1);
    step(game.EnterDigit(1));
    step(game.Reset());
    step(game.EnterDigit(1));
    step(game.Solve());
    EXPECT_TRUE(game.GetState().puzzle.IsSolved());
    step(game.Replace(PuzzleFromLine(std::string(80, '.') + "9")));
    step(game.Replace(EnneoPuzzle()));

    for (size_t i = boards.size() - 1; i > 0; --i) {
        EXPECT_TRUE(game.CanUndo());
        ASSERT_TRUE(game.Undo());
        EXPECT_EQ(boards[i - 1], Board(game)) << "undo to " << i - 1;
        EXPECT_TRUE(game.CanRedo());
    }
    EXPECT_FALSE(game.Undo());
    EXPECT_EQ(boards[0], Board(game));
    for (size_t i = 1; i < boards.size(); ++i) {
        ASSERT_TRUE(game.Redo());
        EXPECT_EQ(boards[i], Board(game)) << "redo to " << i;
    }
    EXPECT_FALSE(game.Redo());
    EXPECT_FALSE(game.CanRedo());
    EXPECT_EQ(3 * (boards.size() - 1), game.GetChangeCount());  // steps, undos, redos
}

// What leaves the board as it was is no step; a new step after an undo drops the redo.
// A state comes back with the selection it had.
TEST(GameTest, OnlyChangesAreStepsAndANewStepDropsTheRedo) {
    Game game(PuzzleFromLine(kSampleLine));
    EXPECT_FALSE(game.EnterDigit(8));  // nothing selected
    game.SelectCell(2, 1);
    EXPECT_FALSE(game.EnterDigit(0));  // a given cell
    game.SelectCell(1, 1);
    EXPECT_FALSE(game.EnterDigit(9));  // refused: 9 is in the row
    EXPECT_FALSE(game.EnterDigit(0));  // already empty
    EXPECT_FALSE(game.Reset());        // givens only
    EXPECT_FALSE(game.Replace(PuzzleFromLine(kSampleLine)));
    EXPECT_EQ(0, game.GetState().puzzle.GetSelectedCell().x);  // a new puzzle drops the selection all the same
    EXPECT_FALSE(game.CanUndo());

    game.SelectCell(1, 1);
    ASSERT_TRUE(game.EnterDigit(8));
    EXPECT_FALSE(game.EnterDigit(8));  // the same digit again
    ASSERT_TRUE(game.Solve());
    EXPECT_FALSE(game.Solve());  // nothing left to place
    ASSERT_TRUE(game.Undo());
    EXPECT_TRUE(game.CanRedo());
    game.MoveSelection(1, 1);
    ASSERT_TRUE(game.EnterDigit(5));
    EXPECT_FALSE(game.CanRedo());
    game.MoveSelection(1, 0);
    ASSERT_TRUE(game.Undo());
    EXPECT_EQ(0, game.GetState().puzzle.GetCell(2, 2));
    EXPECT_EQ(2, game.GetState().puzzle.GetSelectedCell().x);
    EXPECT_EQ(8, game.GetState().puzzle.GetCell(1, 1));
}

// A move stops at the board's edges, so that one by the board's width reaches the row's
// or the column's end from any cell; the first move selects the top-left cell.
TEST(GameTest, MovesStopAtTheEdges) {
    Game game(EnneoPuzzle{});
    auto selected = [&game] {
        EnneoPuzzle::Cell cell = game.GetState().puzzle.GetSelectedCell();
        return std::make_pair(cell.x, cell.y);
    };
    game.MoveSelection(8, 0);
    EXPECT_EQ(std::make_pair(1, 1), selected());
    game.SelectCell(4, 6);
    game.MoveSelection(8, 0);
    EXPECT_EQ(std::make_pair(9, 6), selected());
    game.MoveSelection(0, -8);
    EXPECT_EQ(std::make_pair(9, 1), selected());
    game.MoveSelection(-8, 8);
    EXPECT_EQ(std::make_pair(1, 9), selected());
}

// Marks go only into empty cells, each change of them is one step, and a digit placed
// takes its own cell's marks and its digit from the marks of its row, column and block,
// in the same step.
TEST(GameTest, MarksAreStepsThatPlacementsClean) {
    Game game(PuzzleFromLine(kSampleLine));
    auto marks = [&game](int x, int y) { return game.GetState().marks.Get(x, y); };
    EXPECT_FALSE(game.ToggleMark(1));  // nothing selected
    game.SelectCell(2, 1);
    EXPECT_FALSE(game.ToggleMark(1));  // a given cell
    EXPECT_FALSE(game.ClearMarks());

    // (1, 1) gets 8 and 2; its row, column and block get 8; (5, 5), elsewhere, too.
    const EnneoPuzzle::Cell cells[] = {{1, 1}, {1, 1}, {7, 1}, {1, 8}, {3, 2}, {5, 5}};
    const int digits[] = {8, 2, 8, 8, 8, 8};
    for (int i = 0; i < 6; ++i) {
        game.SelectCell(cells[i].x, cells[i].y);
        ASSERT_TRUE(game.ToggleMark(digits[i]));
    }
    EXPECT_EQ(0x82, marks(1, 1));
    game.SelectCell(3, 2);
    ASSERT_TRUE(game.ClearMarks());
    EXPECT_FALSE(game.ClearMarks());  // none left
    ASSERT_TRUE(game.ToggleMark(8));

    game.SelectCell(1, 1);
    ASSERT_TRUE(game.EnterDigit(8));
    EXPECT_EQ(0, marks(1, 1));
    EXPECT_EQ(0, marks(7, 1));
    EXPECT_EQ(0, marks(1, 8));
    EXPECT_EQ(0, marks(3, 2));
    EXPECT_EQ(0x80, marks(5, 5));
    game.SelectCell(1, 1);
    EXPECT_FALSE(game.ToggleMark(3));  // a filled cell
    ASSERT_TRUE(game.Undo());
    EXPECT_EQ(0, game.GetState().puzzle.GetCell(1, 1));
    EXPECT_EQ(0x82, marks(1, 1));
    EXPECT_EQ(0x80, marks(3, 2));
    ASSERT_TRUE(game.Redo());
    EXPECT_EQ(0, marks(7, 1));

    // Solve places every digit, so no mark is left; Reset and a new puzzle leave none,
    // and each is undone with the marks it took.
    ASSERT_TRUE(game.Solve());
    EXPECT_EQ(0, marks(5, 5));
    ASSERT_TRUE(game.Undo());
    ASSERT_TRUE(game.Reset());
    EXPECT_EQ(0, marks(5, 5));
    ASSERT_TRUE(game.Undo());
    ASSERT_TRUE(game.Replace(PuzzleFromLine(kSampleLine)));
    EXPECT_EQ(0, marks(5, 5));
    ASSERT_TRUE(game.Undo());
    EXPECT_EQ(0x80, marks(5, 5));
    game.SelectCell(1, 1);
    ASSERT_TRUE(game.EnterDigit(0));
    ASSERT_TRUE(game.Reset());  // marks alone are a board of their own
    EXPECT_TRUE(game.GetState().marks == PencilMarks());
}

// Fill In Candidates gives each empty cell without marks its candidates and refreshes
// the others: it takes out marks that a digit answers and brings back none the player
// took out. Each bulk change, and emptying a marked cell, is one step.
TEST(GameTest, MarksInBulk) {
    Game game(PuzzleFromLine(kSampleLine));
    auto marks = [&game](int x, int y) { return game.GetState().marks.Get(x, y); };
    ASSERT_TRUE(game.FillInCandidates());
    EXPECT_EQ(0x183, marks(9, 2));  // 1, 2, 8 and 9
    EXPECT_EQ(0, marks(2, 1));      // a given
    EXPECT_FALSE(game.FillInCandidates());
    game.SelectCell(9, 2);
    ASSERT_TRUE(game.ToggleMark(9));  // the player takes 9 out
    game.SelectCell(9, 3);
    ASSERT_TRUE(game.ToggleMark(4));  // and adds a 4, which block 3 holds
    game.SelectCell(9, 6);
    ASSERT_TRUE(game.EnterDigit(0));  // emptying an empty cell takes its marks
    EXPECT_EQ(0, marks(9, 6));
    EXPECT_FALSE(game.EnterDigit(0));  // and then is no step
    ASSERT_TRUE(game.FillInCandidates());
    EXPECT_EQ(0x83, marks(9, 2));   // 9 stays out
    EXPECT_EQ(0x21, marks(9, 3));   // the 4 went
    EXPECT_EQ(0x103, marks(9, 6));  // a cell without marks is filled

    ASSERT_TRUE(game.ClearAllMarks());
    EXPECT_TRUE(game.GetState().marks == PencilMarks());
    EXPECT_FALSE(game.ClearAllMarks());
    ASSERT_TRUE(game.Undo());
    EXPECT_EQ(0x83, marks(9, 2));
    ASSERT_TRUE(game.Undo());  // the refresh, in one step
    EXPECT_EQ(0, marks(9, 6));
    EXPECT_EQ(0x29, marks(9, 3));

    // A hint's step, in one step: the marks lose its eliminations, a cell without marks
    // first getting its candidates; its digit goes in and answers the marks it sees.
    TechniqueStep step{Technique::kXWing, 3.2, {}, {}, {{{1, 1}, 8}}, {{{9, 3}, 6}, {{9, 6}, 1}}};
    ASSERT_TRUE(game.Apply(step));
    EXPECT_EQ(8, game.GetState().puzzle.GetCell(1, 1));
    EXPECT_EQ(0x09, marks(9, 3));   // 1 and 4
    EXPECT_EQ(0x102, marks(9, 6));  // 2 and 9
    ASSERT_TRUE(game.Undo());
    EXPECT_EQ(0, game.GetState().puzzle.GetCell(1, 1));
    EXPECT_EQ(0, marks(9, 6));
}

// Undo until the board fits stops at the first board that does, or at the history's
// start; Redo walks the steps forward one by one.
TEST(GameTest, UndoUntilTheBoardFits) {
    Game game(PuzzleFromLine(kSampleLine));
    auto noSixes = [](const EnneoPuzzle& board) {
        for (int x = 1; x <= 9; ++x) {
            for (int y = 1; y <= 9; ++y) {
                if (board.GetCell(x, y) == 6 && board.GetCellState(x, y) == EnneoPuzzle::CELL_SET) return false;
            }
        }
        return true;
    };
    EXPECT_FALSE(game.UndoUntil(noSixes));  // it fits already
    game.SelectCell(1, 1);
    ASSERT_TRUE(game.EnterDigit(8));
    game.SelectCell(9, 1);
    ASSERT_TRUE(game.EnterDigit(6));
    game.SelectCell(1, 2);
    ASSERT_TRUE(game.EnterDigit(3));
    game.SelectCell(5, 1);
    ASSERT_TRUE(game.ToggleMark(1));
    ASSERT_TRUE(game.UndoUntil(noSixes));
    EXPECT_EQ(8, game.GetState().puzzle.GetCell(1, 1));
    EXPECT_EQ(0, game.GetState().puzzle.GetCell(9, 1));
    int redone = 0;
    while (game.Redo()) ++redone;
    EXPECT_EQ(3, redone);
    EXPECT_TRUE(game.UndoUntil([](const EnneoPuzzle&) { return false; }));
    EXPECT_FALSE(game.CanUndo());
}

// The program keeps 1,000 steps and forgets the oldest beyond them; undo and redo move
// states between the history's stacks without adding any.
TEST(GameTest, TheHistoryKeepsItsCapacity) {
    ASSERT_EQ(1000u, GameHistory::kDefaultCapacity);
    Game game{EnneoPuzzle()};
    game.SelectCell(1, 1);
    for (int i = 0; i < 1001; ++i) ASSERT_TRUE(game.EnterDigit(i % 2 == 0 ? 5 : 0));
    int undone = 0;
    while (game.Undo()) ++undone;
    EXPECT_EQ(1000, undone);
    EXPECT_EQ(5, game.GetState().puzzle.GetCell(1, 1));  // after the first step, not before it
    int redone = 0;
    while (game.Redo()) ++redone;
    EXPECT_EQ(1000, redone);
}

}  // namespace
