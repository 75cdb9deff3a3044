#!/usr/bin/env python3
"""Black-box tests of printing: the real Enneo.exe under Wine on a private Xvfb display
prints through the print dialog to Wine's PostScript driver, whose printer writes each job
into a file; Ghostscript renders the pages into pictures, where the grids are found, and
reads back the text (the digits, the titles and the footers) with its place on the page.

usage: enneo_print_test.py --program ENNEO_EXE --printer ENNEO_TEST_PRINTER_EXE
                           --source-prefix PREFIX --prefix WINEPREFIX --loader WINE_LOADER
                           --arch win32|win64 --make-prefix WINE_PREFIX_SCRIPT [--shots FOLDER]

The prefix is the tree's headless prefix copied once and switched to the X11 driver and
a virtual desktop, with a printer of the test's own (ENNEO_TEST_PRINTER_EXE adds it) as
the default printer. Pictures of the printed pages are saved in FOLDER.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from board_program import SAMPLE, Program  # noqa: E402
from wine_display import copy_display_prefix  # noqa: E402

OPTIONS = None
APP = None
PRINTER = "Enneo Test Printer"
JOB_PATH = r"C:\enneo-print\job.ps"  # the printer's port: Wine copies each job there
SAMPLE_LEVEL = "Medium"  # the sample's level by its rating (1.5), as Check gives it
PAPER = (595, 842)  # A4, in points
MARGIN = 0.6  # inches around everything printed


def job_file():
    return os.path.join(OPTIONS.prefix, "drive_c", "enneo-print", "job.ps")


def make_prefix():
    """The test's prefix with its printer, made once."""
    copy_display_prefix(OPTIONS.source_prefix, OPTIONS.prefix, "print")
    os.makedirs(os.path.dirname(job_file()), exist_ok=True)


def add_printer():
    marker = os.path.join(OPTIONS.prefix, ".enneo-printer")
    if os.path.exists(marker):
        return
    subprocess.run([OPTIONS.loader, OPTIONS.printer, PRINTER, JOB_PATH], env=APP.env, check=True, timeout=120)
    open(marker, "w").close()


class Page:
    """A printed page: its picture (8-bit grey, top row first) at dpi, and its characters
    as Ghostscript reads them: (character, x0, x1, baseline, font, size) in points from
    the page's top-left corner."""

    def __init__(self, pgm, dpi, characters):
        match = re.match(rb"P5\s+(?:#[^\n]*\n\s*)*(\d+)\s+(\d+)\s+255\s", pgm)
        self.width, self.height = int(match.group(1)), int(match.group(2))
        self.data = pgm[match.end():]
        self.dpi = dpi
        self.characters = characters

    def grey(self, x, y):
        return self.data[y * self.width + x]

    def lines(self):
        """The page's lines of text in reading order, a line of text ending where a gap
        wider than its letters' size follows."""
        rows = {}
        for c, x0, x1, baseline, _, size in self.characters:
            rows.setdefault(round(baseline), []).append((x0, x1, size, c))
        lines = []
        for _, row in sorted(rows.items()):
            end = None
            for x0, x1, size, c in sorted(row):
                if end is None or x0 - end > size:
                    lines.append("")
                lines[-1] += c
                end = x1
        # The driver's space and hyphen glyphs read back as no-break space and soft hyphen.
        return [line.replace("\xa0", " ").replace("\xad", "-") for line in lines]

    def grids(self):
        """The grids on the page, each (left, top, side) in pixels: ten equally spaced
        dark horizontal lines of one length, an inch long at least."""
        runs = []
        for y in range(self.height):
            row = self.data[y * self.width:(y + 1) * self.width]
            for match in re.finditer(rb"[\x00-\x50]{%d,}" % self.dpi, row):
                runs.append((match.start(), match.end(), y))
        groups = []  # [x0, x1, [rows]]
        for x0, x1, y in runs:
            for group in groups:
                # The block lines' round ends reach a little further (1/20 inch at most).
                if abs(group[0] - x0) <= self.dpi // 20 and abs(group[1] - x1) <= self.dpi // 20:
                    group[2].append(y)
                    break
            else:
                groups.append([x0, x1, [y]])
        grids = []
        for x0, x1, rows in groups:
            # The lines of one length, split where a gap is wider than a cell (a grid of
            # the same columns further down).
            lines = []
            for y in sorted(rows):
                if lines and y - lines[-1][-1] <= 1:
                    lines[-1].append(y)
                else:
                    lines.append([y])
            centres = [(line[0] + line[-1]) / 2 for line in lines]
            cell = (x1 - x0) / 9
            chunks = [[]]
            for centre in centres:
                if chunks[-1] and centre - chunks[-1][-1] > cell * 1.2:
                    chunks.append([])
                chunks[-1].append(centre)
            for chunk in chunks:
                side = chunk[-1] - chunk[0]
                if len(chunk) == 10 and all(abs(b - a - side / 9) < 3 for a, b in zip(chunk, chunk[1:])):
                    grids.append((round((x0 + x1) / 2 - side / 2), round(chunk[0]), round(side)))
        return sorted(grids, key=lambda g: (g[1], g[0]))

    def digits(self, grid):
        """What a grid shows: 81 characters in reading order ('.' for an empty cell), and
        for each digit its font."""
        left, top, side = grid
        cells = ["."] * 81
        fonts = [None] * 81
        scale = self.dpi / 72
        for c, x0, x1, baseline, font, size in self.characters:
            x = (x0 + x1) / 2 * scale
            y = (baseline - size * 0.3) * scale
            column, row = int((x - left) * 9 // side), int((y - top) * 9 // side)
            if c.isdigit() and 0 <= column < 9 and 0 <= row < 9:
                cells[row * 9 + column] = c
                fonts[row * 9 + column] = font
        return "".join(cells), fonts

    def darkest(self, grid, cell):
        """The darkest grey inside a cell, clear of its lines."""
        left, top, side = grid
        size = side / 9
        x0, y0 = int(left + cell % 9 * size + size / 5), int(top + cell // 9 * size + size / 5)
        return min(self.grey(x, y) for y in range(y0, int(y0 + size * 0.6)) for x in range(x0, int(x0 + size * 0.6)))


def read_job(dpi=100):
    """The printed job's pages."""
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pgmraw", "-r%d" % dpi,
                        "-sOutputFile=" + os.path.join(folder, "page-%03d.pgm"), job_file()], check=True, timeout=120)
        pictures = []
        for name in sorted(os.listdir(folder)):
            with open(os.path.join(folder, name), "rb") as f:
                pictures.append(f.read())
    text = subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=txtwrite", "-dTextFormat=0",
                           "-sOutputFile=-", job_file()], check=True, capture_output=True, timeout=120).stdout.decode()
    pages = []
    for page in text.split("</page>")[:len(pictures)]:
        characters = []
        for span in re.finditer(r'<span bbox="[^"]*" font="([^"]*)" size="([\d.]+)">(.*?)</span>', page, re.S):
            for char in re.finditer(r'<char bbox="([\d.-]+) ([\d.-]+) ([\d.-]+) [\d.-]+" c="([^"]*)"/>', span.group(3)):
                c = char.group(4)
                c = chr(int(c[3:-1], 16)) if c.startswith("&#x") else {"&amp;": "&", "&lt;": "<"}.get(c, c)
                characters.append((c, float(char.group(1)), float(char.group(3)), float(char.group(2)),
                                   span.group(1), float(span.group(2))))
        pages.append(characters)
    return [Page(picture, dpi, characters) for picture, characters in zip(pictures, pages)]


def save_picture(name, page=1, dpi=60):
    """A picture of a printed page in the shots folder, for the documents in docs/."""
    if OPTIONS.shots:
        os.makedirs(OPTIONS.shots, exist_ok=True)
        subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=png16m", "-r%d" % dpi,
                        "-dTextAlphaBits=4", "-dGraphicsAlphaBits=4", "-dFirstPage=%d" % page, "-dLastPage=%d" % page,
                        "-sOutputFile=" + os.path.join(OPTIONS.shots, name + ".png"), job_file()], check=True,
                       timeout=60)


def solves(solution, puzzle):
    """Whether a grid (81 characters) is complete by the rule and keeps the puzzle's givens."""
    units = [[r * 9 + c for c in range(9)] for r in range(9)] + [[r * 9 + c for r in range(9)] for c in range(9)]
    units += [[(b // 3 * 3 + r) * 9 + b % 3 * 3 + c for r in range(3) for c in range(3)] for b in range(9)]
    return (all(sorted(solution[i] for i in unit) == list("123456789") for unit in units)
            and all(g in (".", d) for g, d in zip(puzzle, solution)))


class PrintTest(unittest.TestCase):
    def setUp(self):
        self.addCleanup(APP.end)
        if os.path.exists(job_file()):
            os.remove(job_file())
        APP.launch()
        APP.learn_digits()

    def keys(self, *keys):
        """Keys for the window or the dialog that has the focus, the pointer over the board."""
        x, y = APP.board.centre(5, 5)
        APP.xdotool("mousemove", str(x), str(y))
        for key in keys:
            APP.xdotool("key", key)
            time.sleep(0.2)

    def dialog(self, caption, *keys):
        """Waits for the dialog, presses the keys in it and waits for it to go."""
        APP.wait_for(lambda: APP.visible("^%s$" % caption), "the dialog '%s'" % caption)
        time.sleep(0.5)
        for key in keys:
            APP.xdotool("key", key)
            time.sleep(0.2)
        APP.wait_for(lambda: not APP.visible("^%s$" % caption), "the dialog '%s' to close" % caption, timeout=60)

    def printed(self):
        """Waits for the job's file, whole (its last line comes last)."""
        def whole():
            return os.path.exists(job_file()) and open(job_file(), "rb").read().rstrip().endswith(b"%%EOF")
        APP.wait_for(whole, "the printed job", timeout=120)
        return read_job()

    def assert_nothing_printed(self):
        """After a cancelled dialog, once a job would have had time to come: no job came."""
        time.sleep(1)
        self.assertFalse(os.path.exists(job_file()), "a cancelled print printed")

    def test_1_the_board_on_one_page(self):
        """Ctrl+P: the print dialog (no Print Puzzle dialog while the board holds givens
        only), Cancel prints nothing. With a digit of the player's, Print Puzzle asks
        whether to print it; Cancel there prints nothing. Printed: one grid as wide as
        the margins allow, the givens bold black, the player's digit grey, the footer
        with the program's name, the level and the date; sharp at 600 DPI."""
        self.keys("ctrl+p")
        self.dialog("Print", "Escape")
        self.assert_nothing_printed()
        APP.type(1, 1, "8")
        self.keys("ctrl+p")
        self.dialog("Print Puzzle", "Escape")
        self.assert_nothing_printed()
        self.keys("ctrl+p")
        self.dialog("Print Puzzle", "alt+i", "Return")
        self.dialog("Print", "Return")
        pages = self.printed()
        save_picture("printed-puzzle")
        self.assertEqual(1, len(pages))
        page = pages[0]
        grids = page.grids()
        self.assertEqual(1, len(grids), "grids found: %s" % grids)
        digits, fonts = page.digits(grids[0])
        self.assertEqual("8" + SAMPLE[1:], digits)
        self.assertTrue(all(f.endswith("-Bold") for f, c in zip(fonts, SAMPLE) if c != "."), fonts)
        self.assertFalse(fonts[0].endswith("-Bold"), "the player's digit is not bold")
        self.assertTrue(100 <= page.darkest(grids[0], 0) <= 160, "the player's digit is not grey")
        self.assertLess(page.darkest(grids[0], 1), 60, "a given is not black")
        footer = page.lines()[-1]
        self.assertRegex(footer, r"^Enneo Tessary - %s - .*\d{4}" % SAMPLE_LEVEL)

        # The whole width but the margins, up to the nine whole dots of the cells, and
        # every line of one width, on whole dots of the printer's 600 DPI.
        sharp = read_job(dpi=600)[0]
        left, top, side = sharp.grids()[0]
        self.assertLessEqual(abs(side - (PAPER[0] / 72 - 2 * MARGIN) * 600), 10, "grid side %d" % side)
        y = top + 12  # across the first row, below its top line, above its digits
        runs = [m.span() for m in re.finditer(rb"[\x00-\x50]+", sharp.data[y * sharp.width + left - 20:
                                                                          y * sharp.width + left + side + 20])]
        widths = [b - a for a, b in runs]
        self.assertEqual(10, len(widths), widths)
        self.assertEqual(1, len({w for i, w in enumerate(widths) if i not in (3, 6)}), widths)
        self.assertEqual(widths[3], widths[6])
        self.assertGreater(widths[3], 3 * widths[0])

    def test_2_sheets_of_new_puzzles(self):
        """Print New Puzzles: a count outside 1-100 is refused in a box; Cancel prints
        nothing. 7 hard puzzles, 4 to a page, with solutions: two pages of 4 and 3
        numbered grids of different puzzles, then one page of the 7 smaller solutions,
        each solving its puzzle; every footer names the level."""
        APP.menu("f", "w")
        caption = "Print New Puzzles"
        APP.wait_for(lambda: APP.visible("^%s$" % caption), "the dialog")
        time.sleep(0.5)
        for key in ("alt+a", "End", "BackSpace", "BackSpace", "BackSpace", "1", "0", "1", "Return"):
            APP.xdotool("key", key)
            time.sleep(0.2)
        APP.wait_for(lambda: len(APP.visible("^%s$" % caption)) == 2, "the box refusing 101")
        self.keys("Return")  # its OK
        self.dialog(caption, "Escape")
        self.assert_nothing_printed()

        APP.menu("f", "w")
        self.dialog(caption, "alt+h", "alt+a", "End", "BackSpace", "BackSpace", "BackSpace", "7", "alt+4", "alt+s",
                    "Return")
        self.dialog("Print", "Return")
        pages = self.printed()
        save_picture("printed-puzzles")
        self.assertEqual([4, 3, 7], [len(page.grids()) for page in pages])
        puzzles = []
        for number, page in enumerate(pages, 1):
            lines = page.lines()
            self.assertRegex(lines[-1], r"^Enneo Tessary - Hard - .*\d{4}.* - page %d of 3$" % number)
            kind = "Solution" if number == 3 else "Puzzle"
            first = 5 if number == 2 else 1
            titles = [line for line in lines if line.startswith(kind)]
            expected = ["%s %d - Hard" % (kind, n) for n in range(first, first + len(page.grids()))]
            self.assertEqual(sorted(expected), sorted(titles))
            if kind == "Puzzle":
                puzzles += [page.digits(grid)[0] for grid in page.grids()]
        self.assertEqual(7, len(set(puzzles)), "the puzzles are not all different")
        # Solution n, in reading order, solves puzzle n (the unit tests count each
        # puzzle's solutions: one).
        printed = [pages[2].digits(grid)[0] for grid in pages[2].grids()]
        for puzzle, solution in zip(puzzles, printed):
            self.assertTrue(solves(solution, puzzle), "%s does not solve %s" % (solution, puzzle))

    def test_3_the_footer_in_german(self):
        """Under a German Windows the footer names the level and the date in German (Wine's
        own print dialog is German too)."""
        APP.end()
        english = dict(APP.env)

        def back_to_english():
            APP.env.clear()
            APP.env.update(english)
        self.addCleanup(back_to_english)
        APP.env.update(LANG="de_DE.UTF-8", LC_ALL="de_DE.UTF-8")
        APP.launch()
        self.keys("ctrl+p")
        self.dialog("Drucken", "Return")
        footer = self.printed()[0].lines()[-1]
        months = "Januar|Februar|März|April|Mai|Juni|Juli|August|September|Oktober|November|Dezember"
        self.assertRegex(footer, r"^Enneo Tessary - Mittel - .*\b(%s)\b.*\d{4}$" % months)


def main():
    global OPTIONS, APP
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for name in ("--program", "--printer", "--source-prefix", "--prefix", "--loader", "--arch", "--make-prefix"):
        parser.add_argument(name, required=True)
    parser.add_argument("--shots")
    OPTIONS, rest = parser.parse_known_args()
    make_prefix()
    APP = Program(OPTIONS)
    try:
        APP.start()
        add_printer()
        result = unittest.main(argv=sys.argv[:1] + rest, verbosity=2, exit=False).result
    finally:
        APP.stop()
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
