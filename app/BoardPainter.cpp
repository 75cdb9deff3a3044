// BoardPainter: draws the board into any device context, at any scale, in a palette.
#include "BoardPainter.h"

#include "common/gui/ScopedSelection.h"
#include "languages/Language.h"
#include "words/Words.h"

#include <algorithm>
#include <string>

namespace {

// Sizes in pixels at 96 DPI: the cell lines, the block lines, the inset of a digit's
// rectangle in its cell, how much smaller than the cell a digit's font is, and the
// frames of the selection, of the other tints and of the focus.
const int kCellLineWidth = 1;
const int kBlockLineWidth = 5;
const int kDigitInset = 5;
const int kDigitFontReduction = 6;
const int kSelectionFrameWidth = 4;
const int kTintFrameWidth = 2;
const int kFocusFrameWidth = 1;

// A "Times New Roman" font of the given height and weight (0: the font's own), for one
// scope.
class ScopedFont : public gui::ScopedSelection {
public:
    ScopedFont(HDC deviceContext, int height, int weight = 0)
        : ScopedSelection(deviceContext,
                          CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Times New Roman")) {}
};

// A solid pen of the given width and colour, for one scope.
class ScopedPen : public gui::ScopedSelection {
public:
    ScopedPen(HDC deviceContext, int width, COLORREF colour)
        : ScopedSelection(deviceContext, CreatePen(PS_SOLID, width, colour)) {}
};

void DrawCentred(HDC deviceContext, const wchar_t* text, int length, RECT rect) {
    DrawTextW(deviceContext, text, length, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void DrawCentred(HDC deviceContext, const String& text, const RECT& rect) {
    DrawCentred(deviceContext, text.GetText(), text.GetLength(), rect);
}

void DrawCentred(HDC deviceContext, wchar_t character, const RECT& rect) {
    DrawCentred(deviceContext, &character, 1, rect);
}

void DrawLine(HDC deviceContext, int x1, int y1, int x2, int y2) {
    MoveToEx(deviceContext, x1, y1, nullptr);
    LineTo(deviceContext, x2, y2);
}

void Fill(HDC deviceContext, const RECT& rect, COLORREF colour) {
    SetDCBrushColor(deviceContext, colour);
    FillRect(deviceContext, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// A frame width pixels wide along the inside of rect.
void Frame(HDC deviceContext, const RECT& rect, COLORREF colour, int width) {
    Fill(deviceContext, {rect.left, rect.top, rect.right, rect.top + width}, colour);
    Fill(deviceContext, {rect.left, rect.bottom - width, rect.right, rect.bottom}, colour);
    Fill(deviceContext, {rect.left, rect.top, rect.left + width, rect.bottom}, colour);
    Fill(deviceContext, {rect.right - width, rect.top, rect.right, rect.bottom}, colour);
}

wchar_t DigitCharacter(int digit) { return static_cast<wchar_t>(L'0' + digit); }

}  // namespace

void BoardPainter::Paint(HDC deviceContext, const RECT& area) const {
    Fill(deviceContext, area, palette_.background);
    if (view_.paused) {
        PaintPaused(deviceContext);
        return;
    }
    PaintTints(deviceContext);
    PaintLines(deviceContext);
    if (view_.focusCue) PaintFocusFrame(deviceContext);
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) PaintCell(deviceContext, x, y, view_.showHints);
    }
}

void BoardPainter::PaintCandidates(HDC deviceContext, EnneoPuzzle::Cell cell) const {
    if (view_.paused || state_.puzzle.GetCellState(cell.x, cell.y) != EnneoPuzzle::CELL_EMPTY) return;
    PaintCell(deviceContext, cell.x, cell.y, true);
}

void BoardPainter::PaintPaused(HDC deviceContext) const {
    int left = geometry_.GetLeft();
    int top = geometry_.GetTop();
    int side = geometry_.GetSide();
    RECT board = {left, top, left + side, top + side};
    Fill(deviceContext, board, palette_.paused);
    SetBkMode(deviceContext, TRANSPARENT);
    SetTextColor(deviceContext, palette_.pausedText);
    {
        ScopedFont font(deviceContext, side / 6);
        std::wstring paused = Language::Text(TextId::kBoardPaused);
        DrawCentred(deviceContext, paused.c_str(), static_cast<int>(paused.size()), board);
    }
    // Under the word, in a font a third of its size, below the word's own line.
    ScopedFont font(deviceContext, side / 18);
    int lineTop = top + side / 2 + side / 12 + side / 36;
    DrawCentred(deviceContext, Words::Say(Message::kPausedHowToGoOn), {left, lineTop, left + side, lineTop + side / 12});
}

void BoardPainter::PaintTints(HDC deviceContext) const {
    const EnneoPuzzle& puzzle = state_.puzzle;
    EnneoPuzzle::Cell selected = view_.markSelection ? puzzle.GetSelectedCell() : EnneoPuzzle::Cell{0, 0};
    int digit = selected.x == 0 ? 0 : puzzle.GetCell(selected.x, selected.y);
    int cell = geometry_.GetCellSize();
    int selectionFrame = scale_.Pixels(kSelectionFrameWidth), tintFrame = scale_.Pixels(kTintFrameWidth);
    int blockLineReach = scale_.Pixels(kBlockLineWidth) / 2;
    // Filled inset pixels inside the cell's lines, then framed clear of the block lines,
    // which reach into their cells.
    auto tint = [&](EnneoPuzzle::Cell at, int inset, COLORREF fill, COLORREF frame, int frameWidth) {
        int left = geometry_.GetColumnLeft(at.x);
        int top = geometry_.GetRowTop(at.y);
        RECT inside = {left + 1 + inset, top + 1 + inset, left + cell - inset, top + cell - inset};
        Fill(deviceContext, inside, fill);
        int reach = std::max(blockLineReach - inset, 0);
        InflateRect(&inside, -reach, -reach);
        Frame(deviceContext, inside, frame, frameWidth);
    };
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (digit != 0 && puzzle.GetCell(x, y) == digit) {
                tint({x, y}, 0, palette_.sameDigit, palette_.sameDigitFrame, tintFrame);
            }
        }
    }
    if (selected.x != 0) tint(selected, 0, palette_.selection, palette_.selectionFrame, selectionFrame);
    // On the selected cell, inside the selection's frame: neither hides the other.
    auto pointed = [&](EnneoPuzzle::Cell at, COLORREF fill, COLORREF frame) {
        bool isSelected = at.x == selected.x && at.y == selected.y;
        tint(at, isSelected ? blockLineReach + selectionFrame : 0, fill, frame, tintFrame);
    };
    for (EnneoPuzzle::Cell misfit : view_.misfits) pointed(misfit, palette_.misfit, palette_.misfitFrame);
    for (EnneoPuzzle::Cell hinted : view_.hinted) pointed(hinted, palette_.hinted, palette_.hintedFrame);
}

void BoardPainter::PaintFocusFrame(HDC deviceContext) const {
    EnneoPuzzle::Cell selected = state_.puzzle.GetSelectedCell();
    if (selected.x == 0) return;
    int cell = geometry_.GetCellSize();
    int left = geometry_.GetColumnLeft(selected.x);
    int top = geometry_.GetRowTop(selected.y);
    // Along the block lines, which reach into their cells, and clear of the digit.
    int inset = scale_.Pixels(kBlockLineWidth) / 2;
    RECT frame = {left + 1 + inset, top + 1 + inset, left + cell - inset, top + cell - inset};
    Frame(deviceContext, frame, palette_.lines, scale_.Pixels(kFocusFrameWidth));
}

// Ten thin lines each way, then the block lines over them; the outer border stays thin.
void BoardPainter::PaintLines(HDC deviceContext) const {
    int left = geometry_.GetLeft();
    int top = geometry_.GetTop();
    int cell = geometry_.GetCellSize();
    int side = geometry_.GetSide();
    ScopedPen cellPen(deviceContext, scale_.Pixels(kCellLineWidth), palette_.lines);
    for (int g = 0; g <= 9; ++g) {
        DrawLine(deviceContext, left, top + g * cell, left + side, top + g * cell);
        DrawLine(deviceContext, left + g * cell, top, left + g * cell, top + side);
    }
    ScopedPen blockPen(deviceContext, scale_.Pixels(kBlockLineWidth), palette_.lines);
    for (int g = 3; g <= 6; g += 3) {
        DrawLine(deviceContext, left, top + g * cell, left + side, top + g * cell);
        DrawLine(deviceContext, left + g * cell, top, left + g * cell, top + side);
    }
}

void BoardPainter::PaintCell(HDC deviceContext, int x, int y, bool showHints) const {
    int cell = geometry_.GetCellSize();
    int left = geometry_.GetColumnLeft(x);
    int top = geometry_.GetRowTop(y);
    const EnneoPuzzle& puzzle = state_.puzzle;
    int state = puzzle.GetCellState(x, y);
    SetBkMode(deviceContext, TRANSPARENT);
    if (state != EnneoPuzzle::CELL_EMPTY) {
        bool given = state == EnneoPuzzle::CELL_KNOWN;
        ScopedFont font(deviceContext, cell - scale_.Pixels(kDigitFontReduction),
                        given ? palette_.givenWeight : palette_.setWeight);
        SetTextColor(deviceContext, given ? palette_.given : palette_.set);
        int inset = scale_.Pixels(kDigitInset);
        DrawCentred(deviceContext, DigitCharacter(puzzle.GetCell(x, y)),
                    {left + inset, top + inset, left + cell - inset, top + cell - inset});
        return;
    }
    int marks = state_.marks.Get(x, y);
    if (marks == 0 && !showHints) return;
    // Small digits in a 3 x 3 arrangement of mini-squares, square k in column k % 3 and
    // row k / 3, the marks in the place of their digit (d in square d - 1), the
    // candidates instead packed in reading order ("379" fills the top row). The marks
    // take the candidates' font and places.
    ScopedFont font(deviceContext, cell / 4);
    int third = cell / 3;
    auto drawSmall = [&](int digit, int square) {
        int column = square % 3;
        int row = square / 3;
        DrawCentred(deviceContext, DigitCharacter(digit),
                    {left + column * third, top + row * third, left + (column + 1) * third, top + (row + 1) * third});
    };
    bool drawMarks = marks != 0;
    SetTextColor(deviceContext, drawMarks ? palette_.pencilMark : palette_.candidate);
    int digits = drawMarks ? marks : puzzle.GetCandidatesMask(x, y);
    int square = 0;
    for (int digit = 1; digit <= 9; ++digit) {
        if ((digits & (1 << (digit - 1))) == 0) continue;
        drawSmall(digit, drawMarks ? digit - 1 : square);
        ++square;
    }
}
