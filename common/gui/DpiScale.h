// DpiScale: the DPI a window is drawn at, and sizes stated at 96 DPI turned into its pixels.
#pragma once

#include <windows.h>

namespace gui {

// The program states every size in pixels at 96 DPI (100 % display scaling); Pixels
// turns such a size into pixels at this DPI, rounded to the nearest, so that at 96 DPI
// every size stays exactly as stated. OfWindow asks Windows for a window's DPI: the
// per-monitor function where Windows 10 has it, looked up at run time so that the
// program still starts on Windows Vista to 8.1, and the screen's DPI otherwise.
class DpiScale {
public:
    static constexpr int kBaseDpi = 96;

    // A DPI of 0 or less stands for 96.
    explicit DpiScale(int dpi = kBaseDpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}

    // The DPI of a live window (of its top-level window for a child).
    static DpiScale OfWindow(HWND window);
    // The DPI the system made its stock objects for (the screen's logical DPI).
    static DpiScale OfSystem();

    int GetDpi() const { return dpi_; }
    // A size in pixels at 96 DPI, in pixels at this DPI.
    int Pixels(int pixelsAt96) const { return MulDiv(pixelsAt96, dpi_, kBaseDpi); }
    // A size in pixels at another DPI (the system's, say), in pixels at this one.
    int FromDpi(int pixels, const DpiScale& other) const { return MulDiv(pixels, dpi_, other.dpi_); }

    bool operator==(const DpiScale& other) const { return dpi_ == other.dpi_; }
    bool operator!=(const DpiScale& other) const { return dpi_ != other.dpi_; }

private:
    int dpi_;
};

}  // namespace gui
