// BoardPalette: every colour the board is drawn in, and the weight of its given digits.
#pragma once

#include <windows.h>

// One look of the board: the painter draws in these colours and no others, so a theme is
// another palette, never a branch in the drawing. The givens' weight lets paper tell
// them from the player's digits without colour.
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
    int givenWeight = FW_DONTCARE;  // the font weight of the puzzle's digits (FW_BOLD)

    // The board as it has always looked: on the system's window colour, black lines and
    // digits, red givens, grey candidates, blue marks and warm tints.
    static BoardPalette Light();
    // Paper: white, black lines, the givens bold black and the player's digits grey.
    static BoardPalette Print();
};
