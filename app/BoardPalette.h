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
    // Mark Selection: the selected cell and the other cells holding its digit.
    COLORREF selection;
    COLORREF sameDigit;
    // Whatever Mark Selection says: the digits that the last Hint or Check found not to
    // fit, and the cell of Hint's next step.
    COLORREF misfit;
    COLORREF hinted;
    // The picture that hides the board while the game is paused: a plain square and
    // the word "Paused".
    COLORREF paused;
    COLORREF pausedText;
    int givenWeight = FW_DONTCARE;  // the font weight of the puzzle's digits (FW_BOLD)

    // The board as it has always looked: on the system's window colour, black lines and
    // digits, red givens, grey candidates, blue marks and warm tints; a green hint.
    static BoardPalette Light();
    // Paper: white, black lines, the givens bold black and the player's digits grey.
    static BoardPalette Print();
};
