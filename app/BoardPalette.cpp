// BoardPalette: every colour the board is drawn in, and the weights of its digits.
#include "BoardPalette.h"

namespace {

COLORREF SystemColour(int index) { return GetSysColor(index); }

// A palette of fixed colours in the order of BoardPalette's, the fonts' own weights and
// tints without frames (frames of the fills' colours show nothing).
BoardPalette Filled(COLORREF background, COLORREF lines, COLORREF given, COLORREF set, COLORREF candidate,
                    COLORREF pencilMark, COLORREF selection, COLORREF sameDigit, COLORREF misfit) {
    return {background, lines,     given,     set,    candidate, pencilMark, 0,
            0,          selection, sameDigit, misfit, selection, sameDigit,  misfit};
}

}  // namespace

BoardPalette BoardPalette::Light() {
    return Filled(GetSysColor(COLOR_WINDOW), RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 0, 0), RGB(100, 100, 100),
                  RGB(20, 80, 220), RGB(255, 222, 120), RGB(255, 243, 200), RGB(255, 175, 175));
}

BoardPalette BoardPalette::Dark() {
    BoardPalette palette =
        Filled(RGB(32, 32, 32), RGB(200, 200, 200), RGB(255, 125, 125), RGB(235, 235, 235), RGB(160, 160, 160),
               RGB(120, 175, 255), RGB(70, 56, 14), RGB(58, 51, 32), RGB(110, 32, 32));
    palette.selectionFrame = RGB(235, 190, 70);
    palette.sameDigitFrame = RGB(150, 125, 60);
    palette.misfitFrame = RGB(230, 90, 90);
    return palette;
}

BoardPalette BoardPalette::HighContrast() { return HighContrast(&SystemColour); }

BoardPalette BoardPalette::HighContrast(COLORREF (*colour)(int index)) {
    BoardPalette palette;
    palette.background = colour(COLOR_WINDOW);
    palette.lines = colour(COLOR_WINDOWTEXT);
    palette.given = colour(COLOR_WINDOWTEXT);
    palette.set = colour(COLOR_HOTLIGHT);
    palette.candidate = colour(COLOR_GRAYTEXT);
    palette.pencilMark = colour(COLOR_HOTLIGHT);
    palette.givenWeight = FW_BOLD;
    palette.setWeight = FW_NORMAL;
    palette.selection = palette.sameDigit = palette.misfit = palette.background;
    palette.selectionFrame = palette.sameDigitFrame = colour(COLOR_HIGHLIGHT);
    palette.misfitFrame = colour(COLOR_HOTLIGHT);
    return palette;
}

BoardPalette BoardPalette::Of(BoardTheme::Look look) {
    switch (look) {
    case BoardTheme::kDarkLook: return Dark();
    case BoardTheme::kHighContrastLook: return HighContrast();
    default: return Light();
    }
}

BoardPalette BoardPalette::Print() {
    BoardPalette palette = Light();
    palette.background = RGB(255, 255, 255);
    palette.given = RGB(0, 0, 0);
    palette.set = RGB(128, 128, 128);
    palette.givenWeight = FW_BOLD;
    return palette;
}
