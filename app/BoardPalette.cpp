// BoardPalette: every colour the board is drawn in, and the weight of its given digits.
#include "BoardPalette.h"

BoardPalette BoardPalette::Light() {
    BoardPalette palette;
    palette.background = GetSysColor(COLOR_WINDOW);
    palette.lines = RGB(0, 0, 0);
    palette.given = RGB(255, 0, 0);
    palette.set = RGB(0, 0, 0);
    palette.candidate = RGB(100, 100, 100);
    palette.pencilMark = RGB(20, 80, 220);
    palette.selection = RGB(255, 222, 120);
    palette.sameDigit = RGB(255, 243, 200);
    palette.misfit = RGB(255, 175, 175);
    palette.hinted = RGB(190, 235, 180);
    palette.paused = RGB(225, 225, 225);
    palette.pausedText = RGB(90, 90, 90);
    return palette;
}

BoardPalette BoardPalette::Print() {
    BoardPalette palette = Light();
    palette.background = RGB(255, 255, 255);
    palette.given = RGB(0, 0, 0);
    palette.set = RGB(128, 128, 128);
    palette.givenWeight = FW_BOLD;
    return palette;
}
