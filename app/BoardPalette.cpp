// BoardPalette: every colour the board is drawn in, and the weights of its digits.
#include "BoardPalette.h"

#include <algorithm>
#include <cmath>

namespace {

COLORREF SystemColour(int index) { return GetSysColor(index); }

// Paper is white whatever the system's colours are.
COLORREF PaperColour(int) { return RGB(255, 255, 255); }

// palette with each tint framed in its fill's colour, which shows no frame.
BoardPalette Unframed(BoardPalette palette) {
    palette.selectionFrame = palette.selection;
    palette.sameDigitFrame = palette.sameDigit;
    palette.misfitFrame = palette.misfit;
    palette.hintedFrame = palette.hinted;
    return palette;
}

}  // namespace

BoardPalette BoardPalette::Light() { return Light(&SystemColour); }

BoardPalette BoardPalette::Light(COLORREF (*colour)(int index)) {
    const COLORREF ink = RGB(0, 0, 0);
    if (Contrast(ink, colour(COLOR_WINDOW)) < 4.5) return HighContrast(colour);
    BoardPalette palette = {};
    palette.background = colour(COLOR_WINDOW);
    palette.lines = ink;
    palette.given = RGB(255, 0, 0);
    palette.set = ink;
    palette.candidate = RGB(100, 100, 100);
    palette.pencilMark = RGB(20, 80, 220);
    palette.selection = RGB(255, 222, 120);
    palette.sameDigit = RGB(255, 243, 200);
    palette.misfit = RGB(255, 175, 175);
    palette.hinted = RGB(190, 235, 180);
    palette.paused = RGB(225, 225, 225);
    palette.pausedText = RGB(90, 90, 90);
    return Unframed(palette);
}

BoardPalette BoardPalette::Dark() {
    BoardPalette palette = {};
    palette.background = RGB(32, 32, 32);
    palette.lines = RGB(200, 200, 200);
    palette.given = RGB(255, 125, 125);
    palette.set = RGB(235, 235, 235);
    palette.candidate = RGB(160, 160, 160);
    palette.pencilMark = RGB(120, 175, 255);
    palette.selection = RGB(70, 56, 14);
    palette.sameDigit = RGB(58, 51, 32);
    palette.misfit = RGB(110, 32, 32);
    palette.hinted = RGB(20, 52, 22);
    palette.selectionFrame = RGB(235, 190, 70);
    palette.sameDigitFrame = RGB(150, 125, 60);
    palette.misfitFrame = RGB(230, 90, 90);
    palette.hintedFrame = RGB(110, 210, 110);
    palette.paused = RGB(48, 48, 48);
    palette.pausedText = RGB(200, 200, 200);
    return palette;
}

BoardPalette BoardPalette::HighContrast() { return HighContrast(&SystemColour); }

BoardPalette BoardPalette::HighContrast(COLORREF (*colour)(int index)) {
    BoardPalette palette = {};
    palette.background = colour(COLOR_WINDOW);
    palette.lines = colour(COLOR_WINDOWTEXT);
    palette.given = colour(COLOR_WINDOWTEXT);
    palette.set = colour(COLOR_HOTLIGHT);
    palette.candidate = colour(COLOR_GRAYTEXT);
    palette.pencilMark = colour(COLOR_HOTLIGHT);
    palette.givenWeight = FW_BOLD;
    palette.setWeight = FW_NORMAL;
    palette.selection = palette.sameDigit = palette.misfit = palette.hinted = palette.background;
    palette.selectionFrame = palette.sameDigitFrame = colour(COLOR_HIGHLIGHT);
    palette.misfitFrame = palette.hintedFrame = colour(COLOR_HOTLIGHT);
    palette.paused = palette.background;
    palette.pausedText = colour(COLOR_WINDOWTEXT);
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
    BoardPalette palette = Light(&PaperColour);
    palette.given = RGB(0, 0, 0);
    palette.set = RGB(128, 128, 128);
    palette.givenWeight = FW_BOLD;
    return palette;
}

double BoardPalette::Contrast(COLORREF a, COLORREF b) {
    auto luminance = [](COLORREF colour) {
        auto linear = [](int channel) {
            double c = channel / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
               0.0722 * linear(GetBValue(colour));
    };
    double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
