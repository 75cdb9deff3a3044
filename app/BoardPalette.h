// BoardPalette: every colour the board is drawn in.
#pragma once

#include <windows.h>

// One look of the board: the painter draws in these colours and no others, so a theme is
// another palette, never a branch in the drawing.
struct BoardPalette {
    COLORREF background;
    COLORREF lines;
    COLORREF given;      // the puzzle's digits
    COLORREF set;        // the player's and the solver's digits
    COLORREF candidate;  // the candidates of empty cells, while hints are on
    COLORREF pencilMark;
    // Mark Selection: the selected cell, the other cells holding its digit, and the
    // digits that the last Check found not to fit.
    COLORREF selection;
    COLORREF sameDigit;
    COLORREF misfit;

    // The board as it has always looked: on the system's window colour, black lines and
    // digits, red givens, grey candidates, blue marks and warm tints.
    static BoardPalette Light();
};
