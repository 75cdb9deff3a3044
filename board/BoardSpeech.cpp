// BoardSpeech: the board in the words a screen reader speaks.
#include "BoardSpeech.h"

#include <algorithm>

namespace {

// The digits of a mask (bit d - 1 for digit d), in ascending order, separated by blanks.
void AppendDigits(String& text, int mask) {
    for (int digit = 1; digit <= 9; ++digit) {
        if ((mask & (1 << (digit - 1))) != 0) text.AppendFormat(L" %d", digit);
    }
}

bool IsMisfit(const BoardView& view, EnneoPuzzle::Cell cell) {
    return std::any_of(view.misfits.begin(), view.misfits.end(),
                       [&](EnneoPuzzle::Cell misfit) { return misfit.x == cell.x && misfit.y == cell.y; });
}

// The first other cell of the block of cell that holds digit, or (0, 0).
EnneoPuzzle::Cell InBlock(const EnneoPuzzle& board, EnneoPuzzle::Cell cell, int digit) {
    int left = (cell.x - 1) / 3 * 3 + 1, top = (cell.y - 1) / 3 * 3 + 1;
    for (int y = top; y < top + 3; ++y) {
        for (int x = left; x < left + 3; ++x) {
            if ((x != cell.x || y != cell.y) && board.GetCell(x, y) == digit) return {x, y};
        }
    }
    return {0, 0};
}

}  // namespace

String CellName(const GameState& state, const BoardView& view, EnneoPuzzle::Cell cell) {
    const EnneoPuzzle& board = state.puzzle;
    String name;
    name.Format(L"Row %d, column %d, ", cell.y, cell.x);
    if (view.paused) {
        name.AppendFormat(L"hidden by the pause");
        return name;
    }
    int cellState = board.GetCellState(cell.x, cell.y);
    if (cellState != EnneoPuzzle::CELL_EMPTY) {
        name.AppendFormat(L"%d", board.GetCell(cell.x, cell.y));
        if (cellState == EnneoPuzzle::CELL_KNOWN) name.AppendFormat(L", given");
        if (IsMisfit(view, cell)) name.AppendFormat(L", does not fit");
        return name;
    }
    name.AppendFormat(L"empty");
    if (cell.x == view.hinted.x && cell.y == view.hinted.y) name.AppendFormat(L", hinted");
    int marks = state.marks.Get(cell.x, cell.y);
    if (marks != 0) {
        name.AppendFormat(L", marks");
        AppendDigits(name, marks);
    } else if (view.showHints) {
        int candidates = board.GetCandidatesMask(cell.x, cell.y);
        name.AppendFormat(candidates == 0 ? L", no candidates" : L", candidates");
        AppendDigits(name, candidates);
    }
    return name;
}

String RefusalSentence(const EnneoPuzzle& board, EnneoPuzzle::Cell cell, int digit) {
    String text;
    if (board.GetCellState(cell.x, cell.y) == EnneoPuzzle::CELL_KNOWN) {
        text.Format(L"%d is given here and cannot be changed.", board.GetCell(cell.x, cell.y));
        return text;
    }
    for (int i = 1; i <= 9; ++i) {
        if (i != cell.x && board.GetCell(i, cell.y) == digit) {
            text.Format(L"%d not allowed here: row %d holds a %d", digit, cell.y, digit);
            return text;
        }
    }
    for (int i = 1; i <= 9; ++i) {
        if (i != cell.y && board.GetCell(cell.x, i) == digit) {
            text.Format(L"%d not allowed here: column %d holds a %d", digit, cell.x, digit);
            return text;
        }
    }
    EnneoPuzzle::Cell other = InBlock(board, cell, digit);
    if (other.x != 0) {
        text.Format(L"%d not allowed here: the block holds a %d in row %d, column %d", digit, digit, other.y, other.x);
    } else {
        text.Format(L"%d is here already.", digit);
    }
    return text;
}
