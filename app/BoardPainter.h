// BoardPainter: draws the board into any device context, at any scale, in a palette.
#pragma once

#include "BoardPalette.h"
#include "board/BoardGeometry.h"
#include "board/BoardView.h"
#include "common/gui/DpiScale.h"
#include "puzzle/GameState.h"

#include <windows.h>

// The one drawing of the board, for the window, the printer and pictures: the
// background, the tints of Mark Selection and of what Hint and Check point at, the
// lines and the 81 cells (given digits, the player's and the solver's digits, the
// pencil marks of empty cells, and the candidates of the other empty cells while hints
// are on), and while the view asks for the focus cue a thin frame of the lines' colour
// in the selected cell; or, while the game is paused, only a plain picture that says so
// and how to go on. It keeps
// nothing between paints: each call draws from what it was made with; the state and
// the view must outlive it.
class BoardPainter {
public:
    // scale: the DPI that the sizes stated at 96 DPI (line widths, the digits' inset) are
    // drawn at; the geometry is already in the device context's units.
    BoardPainter(const GameState& state, const BoardView& view, const BoardGeometry& geometry,
                 const BoardPalette& palette, gui::DpiScale scale)
        : state_(state), view_(view), geometry_(geometry), palette_(palette), scale_(scale) {}

    // The whole picture: area filled with the background, then the board.
    void Paint(HDC deviceContext, const RECT& area) const;
    // Draws one empty cell as it shows with hints on, over what is there (the right
    // button's peek at its candidates); a filled cell, and the paused picture, are left
    // alone.
    void PaintCandidates(HDC deviceContext, EnneoPuzzle::Cell cell) const;

private:
    // The board's square with the word "Paused" in place of the board, and under it a
    // smaller line with the keys and the click that go on.
    void PaintPaused(HDC deviceContext) const;
    // The focus frame: a thin frame just inside the selected cell's lines.
    void PaintFocusFrame(HDC deviceContext) const;
    // Fills and frames, inside their lines: with Mark Selection on, the selected cell and
    // the other cells holding its digit; always, the digits found not to fit and the
    // hinted cells.
    void PaintTints(HDC deviceContext) const;
    void PaintLines(HDC deviceContext) const;
    void PaintCell(HDC deviceContext, int x, int y, bool showHints) const;

    const GameState& state_;
    const BoardView& view_;
    BoardGeometry geometry_;
    BoardPalette palette_;
    gui::DpiScale scale_;
};
