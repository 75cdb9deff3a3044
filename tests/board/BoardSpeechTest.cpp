// Tests of the board in a screen reader's words: the cells' names and why a digit is refused.
#include "board/BoardSpeech.h"

#include "tests/puzzle/PuzzleTestGrids.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Name(const GameState& state, const BoardView& view, int x, int y) {
    return CellName(state, view, {x, y}).GetText();
}

// On the sample: a given, an empty cell with its candidates, the player's digit, marks
// in place of candidates, hints off, a misfit, the hinted cell, the pause, and a cell
// with no candidate left.
TEST(BoardSpeechTest, CellNamesSayWhatTheBoardShows) {
    GameState state{ReadPuzzleLine(kSampleLine), PencilMarks()};
    BoardView view;
    EXPECT_EQ(L"Row 1, column 2, 9, given", Name(state, view, 2, 1));
    EXPECT_EQ(L"Row 1, column 1, empty, candidates 1 8", Name(state, view, 1, 1));
    state.marks.Toggle(1, 2, 5);
    state.marks.Toggle(1, 2, 2);
    EXPECT_EQ(L"Row 2, column 1, empty, marks 2 5", Name(state, view, 1, 2));
    state.puzzle.SetCell(1, 1, 8, EnneoPuzzle::CELL_SET);
    EXPECT_EQ(L"Row 1, column 1, 8", Name(state, view, 1, 1));
    view.misfits = {{1, 1}};
    EXPECT_EQ(L"Row 1, column 1, 8, does not fit", Name(state, view, 1, 1));
    view.showHints = false;
    view.hinted = {5, 1};
    EXPECT_EQ(L"Row 1, column 5, empty, hinted", Name(state, view, 5, 1));
    view.paused = true;
    EXPECT_EQ(L"Row 1, column 2, hidden by the pause", Name(state, view, 2, 1));
    view.paused = false;
    EXPECT_EQ(L"Row 2, column 1, empty, marks 2 5", Name(state, view, 1, 2));

    GameState stuck{ReadPuzzleLine(".12345678"
                                   "9" +
                                   std::string(71, '.')),
                    PencilMarks()};
    EXPECT_EQ(L"Row 1, column 1, empty, no candidates", Name(stuck, BoardView(), 1, 1));
}

// The row first, then the column, then the block with the cell that holds the digit.
TEST(BoardSpeechTest, RefusalsNameWhatHoldsTheDigit) {
    EnneoPuzzle board = ReadPuzzleLine(kSampleLine);
    auto refusal = [&](int x, int y, int digit) {
        return std::wstring(RefusalSentence(board, {x, y}, digit).GetText());
    };
    EXPECT_EQ(L"9 not allowed here: row 1 holds a 9", refusal(1, 1, 9));
    EXPECT_EQ(L"6 not allowed here: column 1 holds a 6", refusal(1, 1, 6));
    EXPECT_EQ(L"2 not allowed here: the block holds a 2 in row 3, column 3", refusal(1, 1, 2));
    EXPECT_EQ(L"9 is given here and cannot be changed.", refusal(2, 1, 1));
    EXPECT_EQ(L"9 is given here and cannot be changed.", refusal(2, 1, 0));
    board.SetCell(1, 1, 8, EnneoPuzzle::CELL_SET);
    EXPECT_EQ(L"8 is here already.", refusal(1, 1, 8));
}

}  // namespace
