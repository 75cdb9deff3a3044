// BoardPalette: every colour the board is drawn in, and the weights of its digits.
#pragma once

#include "board/BoardTheme.h"

#include <windows.h>

// One look of the board: the painter draws in these colours and weights and no others,
// so a theme is another palette, never a branch in the drawing. The givens' weight lets
// paper and High Contrast tell them from the player's digits without colour.
struct BoardPalette {
    COLORREF background;
    COLORREF lines;
    COLORREF given;      // the puzzle's digits
    COLORREF set;        // the player's and the solver's digits
    COLORREF candidate;  // the candidates of empty cells, while hints are on
    COLORREF pencilMark;
    // The fonts' weights (FW_BOLD, ...) of the given and the other digits; 0 for the
    // font's own.
    int givenWeight;
    int setWeight;
    // Mark Selection: the selected cell and the other cells holding its digit; whatever
    // Mark Selection says, the digits that the last Hint or Check found not to fit and
    // the cells Hint points at. Each is filled inside its lines and then framed there
    // (a frame of the fill's colour shows nothing of its own).
    COLORREF selection;
    COLORREF sameDigit;
    COLORREF misfit;
    COLORREF hinted;
    COLORREF selectionFrame;
    COLORREF sameDigitFrame;
    COLORREF misfitFrame;
    COLORREF hintedFrame;
    // The picture that hides the board while the game is paused: a plain square and
    // the word "Paused".
    COLORREF paused;
    COLORREF pausedText;

    // The board as it has always looked: on the system's window colour, black lines and
    // digits, red givens, grey candidates, blue marks and warm tints; a green hint. On a
    // window colour too dark for black ink (a High Contrast scheme that the system does
    // not report, or the user's own colours), the system's colours as HighContrast.
    static BoardPalette Light();
    // The same from colour(index), GetSysColor's indices.
    static BoardPalette Light(COLORREF (*colour)(int index));
    // Light digits and lines on a dark grey, the givens light red, the tints dark fills
    // in bright frames (a dark fill alone hardly shows, a bright one would drown the
    // digits).
    static BoardPalette Dark();
    // The system's colours alone, as High Contrast asks (GetSysColor): the window's
    // background, its text for the lines, the givens (bold) and the word "Paused", the
    // hot-light colour for the player's digits and marks, grey text for candidates; the
    // tints are frames in the highlight colour (the selection's wider), those of a
    // misfit and of the hinted cell in the hot-light one.
    static BoardPalette HighContrast();
    // The same from colour(index), GetSysColor's indices: the colours of a scheme.
    static BoardPalette HighContrast(COLORREF (*colour)(int index));
    static BoardPalette Of(BoardTheme::Look look);
    // Paper: white, black lines, the givens bold black and the player's digits grey.
    static BoardPalette Print();

    // The contrast ratio of two colours as WCAG 2 defines it, from 1 to 21: text needs
    // 4.5, lines and other shapes 3.
    static double Contrast(COLORREF a, COLORREF b);
};
