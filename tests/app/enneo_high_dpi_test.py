#!/usr/bin/env python3
"""Black-box tests of the program at a high DPI: the real Enneo.exe under Wine on a private
Xvfb display whose Wine prefix says LogPixels = DPI, checked on screenshots. Every size
the program states at 96 DPI must come out scaled by DPI / 96, and every text whole.

usage: enneo_high_dpi_test.py --dpi DPI --program ENNEO_EXE --source-prefix PREFIX
                              --prefix WINEPREFIX --loader WINE_LOADER --arch win32|win64
                              --make-prefix WINE_PREFIX_SCRIPT [--shots FOLDER]

The prefix is the tree's headless prefix (SOURCE_PREFIX) copied once and switched to the
X11 driver, a virtual desktop and the DPI by editing its user registry file: seconds, not
the half minute of a new prefix. The cases run in order on one program: the board, the
About window, then the log window.
"""
import argparse
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from board_program import SAMPLE, AboutWindow, Program, is_candidate_grey, is_dark, is_red  # noqa: E402
from wine_display import copy_display_prefix  # noqa: E402

OPTIONS = None
APP = None


def pixels(size_at_96):
    """A size stated at 96 DPI, in pixels at the test's DPI, rounded as Windows' MulDiv does."""
    return (size_at_96 * OPTIONS.dpi + 48) // 96


def make_prefix():
    """The test's prefix at its DPI, copied from the headless one."""
    copy_display_prefix(OPTIONS.source_prefix, OPTIONS.prefix, "dpi %d" % OPTIONS.dpi,
                        {r"Control Panel\Desktop": {"LogPixels": "dword:%08x" % OPTIONS.dpi}})


def dark_runs(image, x, y0, y1):
    """The runs of dark pixels down column x from y0 to y1: (first y, length) each."""
    runs = []
    for y in range(y0, y1):
        if is_dark(*image.pixel(x, y)):
            if runs and runs[-1][0] + runs[-1][1] == y:
                runs[-1][1] += 1
            else:
                runs.append([y, 1])
    return runs


def ink_box(image, area, test):
    """The smallest rectangle holding every pixel of the area that passes the test, or None."""
    x0, y0, x1, y1 = area
    hits = [(x, y) for y in range(y0, y1) for x in range(x0, x1) if test(*image.pixel(x, y))]
    if not hits:
        return None
    return min(x for x, _ in hits), min(y for _, y in hits), max(x for x, _ in hits), max(y for _, y in hits)


def text_bands(image, x0, x1, y0, y1):
    """The runs of rows between y0 and y1 that hold dark pixels between x0 and x1: one
    (top, bottom) per line of text. A smoothed glyph's faint rows (where a descender
    meets its letter) do not split it."""
    bands = []
    for y in range(y0, y1):
        if any(is_dark(*image.pixel(x, y)) for x in range(x0, x1)):
            if bands and bands[-1][1] >= y - 1 - pixels(2):
                bands[-1][1] = y
            else:
                bands.append([y, y])
    return bands


class HighDpiTest(unittest.TestCase):
    def fail_with_screen(self, message):
        self.fail("%s\nscreen saved to %s" % (message, APP.save(self.id().split(".")[-1])))

    def test_1_board_lines_margin_and_digits_at_the_dpi(self):
        image = APP.screenshot()
        board = APP.board
        APP.save("board-%d" % OPTIONS.dpi)
        # Down the middle of the first column: ten lines, the block lines 5 pixels at
        # 96 DPI, the cell lines 1.
        runs = dark_runs(image, board.left + board.cell // 2, board.top - pixels(5), board.top + board.side + pixels(5))
        widths = [length for _, length in runs]
        if len(widths) != 10:
            self.fail_with_screen("expected 10 lines down the first column, found %s" % widths)
        for index, width in enumerate(widths):
            expected = pixels(5) if index in (3, 6) else pixels(1)
            self.assertLessEqual(abs(width - expected), 1, "line %d of %s: %d pixels wide, not %d"
                                 % (index, widths, width, expected))

        # The board is 40 pixels at 96 DPI smaller than the client area's height: below
        # it, half of that, up to 8 for the whole cells and the window's bottom frame.
        _, wy, _, wh = APP.window_area()
        below = wy + wh - (board.top + board.side)
        self.assertTrue(pixels(20) <= below <= pixels(20) + 18,
                        "%d pixels below the board, not %d and a few" % (below, pixels(20)))

        # Each given digit red, drawn whole inside its cell's digit rectangle (inset 5
        # at 96 DPI) and as tall as the cell allows; the empty cells show candidates.
        inset = pixels(5)
        for index, digit in enumerate(SAMPLE):
            left, top = board.corner(index % 9 + 1, index // 9 + 1)
            rectangle = (left + inset, top + inset, left + board.cell - inset, top + board.cell - inset)
            if digit == ".":
                inner = (left + pixels(3), top + pixels(3), left + board.cell - pixels(2), top + board.cell - pixels(2))
                self.assertIsNotNone(ink_box(image, inner, is_candidate_grey), "no candidates in cell %d" % index)
                continue
            box = ink_box(image, (left + 1, top + 1, left + board.cell - 1, top + board.cell - 1), is_red)
            if box is None:
                self.fail_with_screen("no red digit in cell %d" % index)
            x0, y0, x1, y1 = box
            self.assertTrue(rectangle[0] < x0 and x1 < rectangle[2] - 1 and rectangle[1] < y0 and y1 < rectangle[3] - 1,
                            "the digit of cell %d at %s is not whole inside %s" % (index, box, rectangle))
            self.assertGreaterEqual(y1 - y0 + 1, board.cell // 3, "the digit of cell %d is small" % index)

    def test_2_about_window_at_the_scaled_size_with_its_texts_whole(self):
        # At the client area of a 280 x 220 window at 96 DPI, made at the DPI.
        about = APP.open_about(pixels)
        image = APP.last
        APP.save("about-%d" % OPTIONS.dpi)

        # The client area starts below the caption bar; the texts in the left part.
        client = max(y for y in range(about.top, about.top + pixels(60))
                     if AboutWindow.is_caption(*image.pixel(about.left + 5, y))) + 2
        margin, title = pixels(10), pixels(15)
        bands = text_bands(image, about.left + margin, about.left + pixels(150), client + margin // 2,
                           about.bottom - pixels(45))
        if len(bands) != 4:
            self.fail_with_screen("expected the name and three lines of information, found rows %s" % bands)
        # The name in its 15-pixel label, whole; the information below it.
        name_top, name_bottom = bands[0]
        self.assertTrue(client + margin <= name_top and name_bottom < client + margin + title,
                        "the name at rows %s is not whole in its label from %d to %d"
                        % (bands[0], client + margin, client + margin + title))
        self.assertGreaterEqual(name_bottom - name_top + 1, title // 2, "the name is small")
        for top, bottom in bands[1:]:
            self.assertGreaterEqual(top, client + margin + title)
            self.assertGreaterEqual(bottom - top + 1, pixels(7), "an information line is small: %s" % bands)
        # "OK" in the middle of its button.
        centre = (about.left + about.right) // 2
        ok = ink_box(image, (centre - pixels(15), about.bottom - pixels(30), centre + pixels(15), about.bottom - pixels(12)),
                     is_dark)
        self.assertIsNotNone(ok, "no OK label")
        self.assertGreaterEqual(ok[3] - ok[1] + 1, pixels(7), "the OK label is small")

        APP.close_about(about, pixels)

    def test_3_log_window_text_at_the_dpi(self):
        APP.menu("o", "w")
        found = APP.wait_for(lambda: APP.visible("^Enneo's log$"), "the log window")
        x, y, width, height = APP.window_area(found[0])
        # Typed into the edit control, which fills the client area below the menu bar.
        APP.xdotool("mousemove", str(x + width // 2), str(y + height // 2), "click", "1")
        APP.xdotool("type", "--delay", "50", "Enneo 123")

        def typed():
            # Below the caption: the menu bar's line, then the typed one.
            # The first letters only: the caret stands after the last.
            bands = text_bands(APP.screenshot(), x + pixels(6), x + pixels(30), y + pixels(22), y + height // 2)
            return bands if len(bands) == 2 else None
        bands = APP.wait_for(typed, "the typed text in the log window")
        APP.save("log-%d" % OPTIONS.dpi)
        top, bottom = bands[1]
        # Courier New of 15 pixels at 96 DPI: its capitals and digits about 9 high.
        self.assertTrue(pixels(8) <= bottom - top + 1 < pixels(15), "the log's text is not of its size: rows %s"
                        % bands[1])


def main():
    global OPTIONS, APP
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dpi", type=int, required=True)
    for name in ("--program", "--source-prefix", "--prefix", "--loader", "--arch", "--make-prefix"):
        parser.add_argument(name, required=True)
    parser.add_argument("--shots")
    OPTIONS = parser.parse_args()
    make_prefix()
    APP = Program(OPTIONS)
    try:
        APP.start()
        APP.launch()
        result = unittest.main(argv=sys.argv[:1], verbosity=2, exit=False, failfast=True).result
    finally:
        APP.stop()
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
