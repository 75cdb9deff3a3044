// Tests of the board painter: a board painted into a bitmap in memory, read back pixel by pixel.
#include "app/BoardPainter.h"
#include "tests/puzzle/PuzzleTestGrids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const int kSize = 400;  // the area: a board of cells of 40 pixels from (20, 20) at 96 DPI

// A 32-bit picture of kSize x kSize pixels in memory, top row first.
class Picture {
public:
    Picture() {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kSize;
        info.bmiHeader.biHeight = -kSize;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels_), nullptr, 0);
        deviceContext_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(deviceContext_, bitmap_);
    }
    ~Picture() {
        SelectObject(deviceContext_, previous_);
        DeleteDC(deviceContext_);
        DeleteObject(bitmap_);
    }

    HDC Get() const { return deviceContext_; }
    // Writes the picture as a 32-bit BMP file.
    void Save(const std::string& path) const {
        GdiFlush();
        BITMAPFILEHEADER file = {};
        BITMAPINFOHEADER info = {};
        info.biSize = sizeof(info);
        info.biWidth = kSize;
        info.biHeight = -kSize;
        info.biPlanes = 1;
        info.biBitCount = 32;
        info.biCompression = BI_RGB;
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof(file) + sizeof(info);
        file.bfSize = file.bfOffBits + 4 * kSize * kSize;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof(file));
        out.write(reinterpret_cast<const char*>(&info), sizeof(info));
        out.write(reinterpret_cast<const char*>(pixels_), 4 * kSize * kSize);
    }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const BYTE* pixel = pixels_ + 4 * (y * kSize + x);
        return RGB(pixel[2], pixel[1], pixel[0]);
    }

private:
    HBITMAP bitmap_;
    BYTE* pixels_ = nullptr;
    HDC deviceContext_;
    HGDIOBJ previous_;
};

double Contrast(COLORREF a, COLORREF b) { return BoardPalette::Contrast(a, b); }

// Windows' High Contrast schemes "Black" and "White", by GetSysColor's indices; a purple
// that no element may take for the rest.
COLORREF HighContrastBlack(int index) {
    switch (index) {
    case COLOR_WINDOW: return RGB(0, 0, 0);
    case COLOR_WINDOWTEXT: return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT: return RGB(26, 235, 255);
    case COLOR_HIGHLIGHTTEXT: return RGB(0, 0, 0);
    case COLOR_GRAYTEXT: return RGB(63, 242, 63);
    case COLOR_HOTLIGHT: return RGB(255, 255, 0);
    default: return RGB(128, 0, 128);
    }
}

COLORREF HighContrastWhite(int index) {
    switch (index) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT: return RGB(55, 0, 110);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_GRAYTEXT: return RGB(96, 0, 0);
    case COLOR_HOTLIGHT: return RGB(0, 0, 159);
    default: return RGB(128, 0, 128);
    }
}

// A user's own colours: white text on a dark blue, the rest as the "Black" scheme has
// them; and the light grey of a classic window.
COLORREF WhiteOnDarkBlue(int index) { return index == COLOR_WINDOW ? RGB(0, 0, 96) : HighContrastBlack(index); }
COLORREF ClassicGrey(int index) { return index == COLOR_WINDOW ? RGB(192, 192, 192) : HighContrastWhite(index); }

int Distance(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

// The board of the tests: the sample, a 1 of the player's in row 1, column 5, which the
// view calls a misfit, marks 1 and 9 in row 2, column 1, and the given 9 of row 1,
// column 2 selected.
class BoardPainterTest : public ::testing::Test {
protected:
    BoardPainterTest() : state_{ReadPuzzleLine(kSampleLine), PencilMarks()} {
        state_.puzzle.SetCell(5, 1, 1, EnneoPuzzle::CELL_SET);
        state_.marks.Toggle(1, 2, 1);
        state_.marks.Toggle(1, 2, 9);
        state_.puzzle.SetSelectedCell(2, 1);
        view_.misfits = {{5, 1}};
    }

    BoardPainter Painter(gui::DpiScale scale = gui::DpiScale()) const {
        return BoardPainter(state_, view_, geometry_, palette_, scale);
    }
    // The pixels of a cell's square (x0, y0, x1, y1 from its top-left corner, inside its
    // lines) drawn in colour: nearer to it than to the background by far.
    int Ink(int x, int y, COLORREF colour, int x0 = 3, int y0 = 3, int x1 = 38, int y1 = 38) const {
        int left = geometry_.GetColumnLeft(x), top = geometry_.GetRowTop(y);
        int count = 0;
        for (int py = top + y0; py < top + y1; ++py) {
            for (int px = left + x0; px < left + x1; ++px) {
                count += 3 * Distance(picture_.At(px, py), colour) < Distance(palette_.background, colour);
            }
        }
        return count;
    }
    // The ink in the mini-square (0 to 8, in reading order) of a cell.
    int SmallInk(int x, int y, int square, COLORREF colour) const {
        int third = geometry_.GetCellSize() / 3;
        int column = square % 3, row = square / 3;
        return Ink(x, y, colour, column * third + 1, row * third + 1, (column + 1) * third, (row + 1) * third);
    }
    // Every pixel of a cell's square.
    std::vector<COLORREF> Square(int x, int y) const {
        std::vector<COLORREF> pixels;
        for (int py = geometry_.GetRowTop(y); py < geometry_.GetRowTop(y) + 40; ++py) {
            for (int px = geometry_.GetColumnLeft(x); px < geometry_.GetColumnLeft(x) + 40; ++px) {
                pixels.push_back(picture_.At(px, py));
            }
        }
        return pixels;
    }
    // The colour just inside a cell's top-left corner, clear of lines and digits.
    COLORREF Corner(int x, int y) const {
        return picture_.At(geometry_.GetColumnLeft(x) + 4, geometry_.GetRowTop(y) + 4);
    }

    GameState state_;
    BoardView view_;
    BoardGeometry geometry_{kSize, kSize};
    BoardPalette palette_ = BoardPalette::Light();
    Picture picture_;
};

// Every element of the board in its palette colour, in its place.
TEST_F(BoardPainterTest, EachPartOfTheBoardInItsColour) {
    view_.markSelection = true;
    ASSERT_EQ(40, geometry_.GetCellSize());
    Painter().Paint(picture_.Get(), {0, 0, kSize, kSize});

    EXPECT_EQ(palette_.background, picture_.At(5, 5));
    EXPECT_EQ(palette_.lines, picture_.At(20, 100));               // the left border
    EXPECT_EQ(palette_.lines, picture_.At(20 + 3 * 40 + 2, 100));  // a block line, 5 wide
    EXPECT_EQ(palette_.selection, Corner(2, 1));
    EXPECT_EQ(palette_.sameDigit, Corner(4, 3));  // the other 9
    EXPECT_EQ(palette_.misfit, Corner(5, 1));
    EXPECT_EQ(palette_.background, Corner(3, 1));
    EXPECT_GT(Ink(3, 1, palette_.given), 40);
    EXPECT_GT(Ink(5, 1, palette_.set), 20);
    EXPECT_EQ(0, Ink(3, 1, palette_.set));

    // Row 1, column 1 has the one candidate 8, packed into the first mini-square; the
    // marks 1 and 9 go into the squares of their digits.
    EXPECT_GT(SmallInk(1, 1, 0, palette_.candidate), 3);
    EXPECT_EQ(0, SmallInk(1, 1, 1, palette_.candidate));
    EXPECT_EQ(0, SmallInk(1, 1, 7, palette_.candidate));
    EXPECT_GT(SmallInk(1, 2, 0, palette_.pencilMark), 3);
    EXPECT_GT(SmallInk(1, 2, 8, palette_.pencilMark), 3);
    EXPECT_EQ(0, SmallInk(1, 2, 4, palette_.pencilMark));
    EXPECT_EQ(0, Ink(1, 2, palette_.candidate));
}

// Without hints and without Mark Selection an empty cell shows nothing and only the
// misfit is tinted; the peek draws one empty cell's candidates, and leaves a filled one
// alone.
TEST_F(BoardPainterTest, WithoutHintsOnlyThePeekShowsCandidates) {
    view_.showHints = false;
    Painter().Paint(picture_.Get(), {0, 0, kSize, kSize});
    EXPECT_EQ(palette_.background, Corner(2, 1));
    EXPECT_EQ(palette_.misfit, Corner(5, 1));
    EXPECT_EQ(0, Ink(1, 1, palette_.candidate));
    EXPECT_GT(SmallInk(1, 2, 0, palette_.pencilMark), 3);  // marks stay

    std::vector<COLORREF> filled = Square(5, 1);
    Painter().PaintCandidates(picture_.Get(), {1, 1});
    Painter().PaintCandidates(picture_.Get(), {5, 1});
    EXPECT_GT(SmallInk(1, 1, 0, palette_.candidate), 3);
    EXPECT_EQ(filled, Square(5, 1));
    EXPECT_EQ(0, Ink(1, 3, palette_.candidate));
}

// In Dark and in both High Contrast schemes every part of the board shows, in its colour
// and place: the lines, the givens (bold in High Contrast), the player's digit, the
// candidates, the marks, and the selection, the same digit's, the misfit's and the
// hinted cell's tints (in High Contrast frames in the highlight and hot-light colours).
// The Paused picture shows its word. The pictures are saved and the contrast ratios
// printed; digits, candidates, marks and the word "Paused" reach 4.5 against the background and any tint behind them, lines and
// tints 3.
TEST_F(BoardPainterTest, EveryLookShowsEveryPartWithEnoughContrast) {
    view_.markSelection = true;
    view_.hinted = {{1, 1}};
    palette_ = BoardPalette::Light();
    Painter().Paint(picture_.Get(), {0, 0, kSize, kSize});
    int normalGiven = Ink(3, 1, palette_.given);
    std::filesystem::create_directories("screenshots");
    const std::pair<const char*, BoardPalette> looks[] = {
        {"dark", BoardPalette::Dark()},
        {"high-contrast-black", BoardPalette::HighContrast(&HighContrastBlack)},
        {"high-contrast-white", BoardPalette::HighContrast(&HighContrastWhite)}};
    for (const auto& [name, palette] : looks) {
        SCOPED_TRACE(name);
        palette_ = palette;
        view_.paused = true;
        Painter().Paint(picture_.Get(), {0, 0, kSize, kSize});
        view_.paused = false;
        EXPECT_EQ(palette_.paused, Corner(1, 1));
        EXPECT_GT(Ink(5, 5, palette_.pausedText, 0, 0, 40, 40), 20);  // the word, across the middle

        Painter().Paint(picture_.Get(), {0, 0, kSize, kSize});
        picture_.Save(std::string("screenshots/board-") + name + ".bmp");

        EXPECT_EQ(palette_.background, picture_.At(5, 5));
        EXPECT_EQ(palette_.lines, picture_.At(20 + 3 * 40 + 2, 100));
        EXPECT_GT(Ink(3, 1, palette_.given), 40);
        EXPECT_GT(Ink(5, 1, palette_.set), 20);
        EXPECT_GT(SmallInk(1, 1, 0, palette_.candidate), 3);
        EXPECT_GT(SmallInk(1, 2, 8, palette_.pencilMark), 3);
        const std::pair<EnneoPuzzle::Cell, COLORREF> tints[] = {
            {{2, 1}, palette_.selectionFrame},
            {{4, 3}, palette_.sameDigitFrame},
            {{5, 1}, palette_.misfitFrame},
            {{1, 1}, palette_.hintedFrame}};
        for (const auto& [cell, frame] : tints) {  // the frame's top, above the digits and candidates
            COLORREF top = picture_.At(geometry_.GetColumnLeft(cell.x) + 20, geometry_.GetRowTop(cell.y) + 4);
            EXPECT_EQ(frame, top) << cell.x << "," << cell.y;
            EXPECT_GE(Contrast(frame, palette_.background), 3.0) << cell.x << "," << cell.y;
        }
        EXPECT_EQ(palette_.background, Corner(3, 1));

        const std::pair<const char*, double> ratios[] = {
            {"given", Contrast(palette_.given, palette_.background)},
            {"set", Contrast(palette_.set, palette_.background)},
            {"candidate", Contrast(palette_.candidate, palette_.background)},
            {"mark", Contrast(palette_.pencilMark, palette_.background)},
            {"given/selection", Contrast(palette_.given, palette_.selection)},
            {"set/selection", Contrast(palette_.set, palette_.selection)},
            {"given/same digit", Contrast(palette_.given, palette_.sameDigit)},
            {"set/same digit", Contrast(palette_.set, palette_.sameDigit)},
            {"set/misfit", Contrast(palette_.set, palette_.misfit)},
            {"candidate/hinted", Contrast(palette_.candidate, palette_.hinted)},
            {"mark/hinted", Contrast(palette_.pencilMark, palette_.hinted)},
            {"paused", Contrast(palette_.pausedText, palette_.paused)},
        };
        std::printf("contrast ratios, %s:", name);
        for (const auto& [element, ratio] : ratios) {
            std::printf(" %s %.1f", element, ratio);
            EXPECT_GE(ratio, 4.5) << element;
        }
        std::printf(", lines %.1f\n", Contrast(palette_.lines, palette_.background));
        EXPECT_GE(Contrast(palette_.lines, palette_.background), 3.0);
    }
    // Bold givens: more ink than the font's own weight gives.
    EXPECT_GT(Ink(3, 1, palette_.given), normalGiven * 5 / 4);
}

// The light look on the system's window colour: as it has always been on a light one;
// on one too dark for its black ink (the "Black" scheme without the system's High
// Contrast flag, a user's own colours), the system's colours as High Contrast takes them.
TEST(BoardPaletteTest, TheLightLookContrastsWithAnyWindowColour) {
    const std::pair<const char*, COLORREF (*)(int)> windows[] = {
        {"white", &HighContrastWhite},
        {"classic grey", &ClassicGrey},
        {"black", &HighContrastBlack},
        {"dark blue", &WhiteOnDarkBlue}};
    for (const auto& [name, colour] : windows) {
        SCOPED_TRACE(name);
        BoardPalette palette = BoardPalette::Light(colour);
        EXPECT_EQ(colour(COLOR_WINDOW), palette.background);
        EXPECT_GE(Contrast(palette.lines, palette.background), 4.5);
        EXPECT_GE(Contrast(palette.set, palette.background), 4.5);
        bool light = GetRValue(palette.background) > 128;
        EXPECT_EQ(light ? RGB(0, 0, 0) : colour(COLOR_WINDOWTEXT), palette.lines);
        EXPECT_EQ(light ? RGB(255, 0, 0) : colour(COLOR_WINDOWTEXT), palette.given);
    }
}

// While the view asks for the focus cue, a thin frame of the lines' colour inside the
// selected cell, clear of its digit; none without.
TEST_F(BoardPainterTest, TheFocusCueFramesTheSelectedCell) {
    auto frame = [&] { return picture_.At(geometry_.GetColumnLeft(2) + 3, geometry_.GetRowTop(1) + 20); };
    Painter().Paint(picture_.Get(), {0, 0, kSize, kSize});
    EXPECT_EQ(palette_.background, frame());
    view_.focusCue = true;
    Painter().Paint(picture_.Get(), {0, 0, kSize, kSize});
    EXPECT_EQ(palette_.lines, frame());
    EXPECT_EQ(palette_.lines, picture_.At(geometry_.GetColumnLeft(2) + 20, geometry_.GetRowTop(1) + 3));
    EXPECT_EQ(palette_.background, picture_.At(geometry_.GetColumnLeft(2) + 4, geometry_.GetRowTop(1) + 20));
    EXPECT_GT(Ink(2, 1, palette_.given, 7, 7, 33, 33), 40);  // the digit inside
}

// The hinted cell is tinted; selected, it keeps a ring of the selection's colour around
// the tint. Paused, a plain picture takes the board's place, and the peek draws nothing.
TEST_F(BoardPainterTest, TheHintedCellAndThePause) {
    view_.markSelection = true;
    view_.hinted = {{1, 1}};
    state_.puzzle.SetSelectedCell(1, 1);
    Painter().Paint(picture_.Get(), {0, 0, kSize, kSize});
    EXPECT_EQ(palette_.selection, picture_.At(geometry_.GetColumnLeft(1) + 36, geometry_.GetRowTop(1) + 3));
    EXPECT_EQ(palette_.hinted, picture_.At(geometry_.GetColumnLeft(1) + 20, geometry_.GetRowTop(1) + 32));
    EXPECT_EQ(palette_.misfit, Corner(5, 1));

    view_.paused = true;
    Painter().Paint(picture_.Get(), {0, 0, kSize, kSize});
    Painter().PaintCandidates(picture_.Get(), {1, 1});
    EXPECT_EQ(palette_.background, picture_.At(5, 5));
    EXPECT_EQ(palette_.paused, picture_.At(20, 100));  // no border line
    EXPECT_EQ(palette_.paused, Corner(1, 1));
    int given = 0, word = 0;
    for (int y = 20; y < 380; ++y) {
        for (int x = 20; x < 380; ++x) {
            given += picture_.At(x, y) == palette_.given;
            word += picture_.At(x, y) == palette_.pausedText;
        }
    }
    EXPECT_EQ(0, given);
    EXPECT_GT(word, 100);
    // The line that says how to go on, under the word and clear of it.
    int line = 0, gap = 0;
    for (int x = 20; x < 380; ++x) {
        for (int y = 200 + 360 / 12 + 10; y < 200 + 360 / 6; ++y) line += picture_.At(x, y) == palette_.pausedText;
        gap += picture_.At(x, 200 + 360 / 12 + 2) == palette_.pausedText;
    }
    EXPECT_GT(line, 50);
    EXPECT_EQ(0, gap);
}

// At 192 DPI the sizes stated at 96 DPI double: the block lines are 10 pixels wide.
TEST_F(BoardPainterTest, PaintsAtTheScaleItIsGiven) {
    for (int dpi : {96, 192}) {
        Painter(gui::DpiScale(dpi)).Paint(picture_.Get(), {0, 0, kSize, kSize});
        int width = 0;
        for (int x = 20 + 3 * 40 - 8; x <= 20 + 3 * 40 + 8; ++x) width += picture_.At(x, 40) == palette_.lines;
        EXPECT_EQ(5 * dpi / 96, width) << dpi;
    }
}

}  // namespace
