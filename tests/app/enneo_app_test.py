#!/usr/bin/env python3
"""Black-box tests of the board window, its About window and its log window: the real
Enneo.exe under Wine on a private Xvfb display, driven with xdotool and checked on screenshots.
The program starts with Mark Selection off (its registry value is deleted first).

usage: enneo_app_test.py --program ENNEO_EXE --prefix WINEPREFIX --loader WINE_LOADER
                         --arch win32|win64 --make-prefix WINE_PREFIX_SCRIPT
                         [--shots FOLDER]

The prefix is made with the X11 driver and a virtual desktop (WINE_PREFIX_SCRIPT ...
display) when it is not ready. The test owns it while it runs: a Wine server left on it
is stopped first. Screenshots of failures are saved in FOLDER.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

SAMPLE = ".973.5.4......6.....298.......6....5.28.....364.7...8......3867.........7.5.....4"
SOLVED_FIRST_ROW = "897315246"
CAPTION = "Enneo Tessary"
SETTINGS_KEY = r"HKCU\Software\Enneo Project\Enneo Tessary"
SELECTION = (255, 222, 120)  # Mark Selection: the selected cell's background
SAME_DIGIT = (255, 243, 200)  # and that of the other cells holding its digit
MISFIT = (255, 175, 175)  # and that of the digits a Check found not to fit

APP = None  # the running program, started once for all cases


class Image:
    """A screenshot: width, height and the RGB bytes of a binary PPM."""

    def __init__(self, ppm):
        match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        if not match:
            raise ValueError("not a binary PPM of 8-bit samples")
        self.width, self.height = int(match.group(1)), int(match.group(2))
        self.data = ppm[match.end():]
        self.ppm = ppm

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return self.data[i], self.data[i + 1], self.data[i + 2]

    def row(self, y, x0, x1):
        """The RGB bytes of pixels x0..x1-1 of row y."""
        start = 3 * (y * self.width)
        return self.data[start + 3 * x0:start + 3 * x1]


def is_dark(r, g, b):
    return max(r, g, b) < 80


def is_red(r, g, b):
    return r > 180 and g < 120 and b < 120


def is_candidate_grey(r, g, b):
    return 85 <= g <= 115 and abs(r - g) < 8 and abs(b - g) < 8


def is_mark_blue(r, g, b):
    return b > 150 and r < 110 and b - g > 60


def count(image, test, x0, y0, x1, y1):
    return sum(test(*image.pixel(x, y)) for y in range(y0, y1) for x in range(x0, x1))


class Board:
    """Where the board lies on the screen, found from its black lines: ten horizontal
    and ten vertical lines, equally spaced (the block lines are thicker)."""

    MIN_LINE = 150  # pixels; nothing but board lines is this long and black

    def __init__(self, image, window):
        wx, wy, ww, wh = window
        rows = []
        for y in range(wy, min(wy + wh, image.height)):
            for match in re.finditer(rb"[\x00-\x4f]{%d,}" % (3 * self.MIN_LINE), image.row(y, wx, wx + ww)):
                rows.append((y, wx + (match.start() + 2) // 3, wx + match.end() // 3))
        horizontal = self._group([y for y, _, _ in rows])
        if len(horizontal) != 10:
            raise AssertionError("expected 10 horizontal board lines, found %d at %s" % (len(horizontal), horizontal))
        self.top = horizontal[0]
        self.side = horizontal[-1] - self.top
        self.cell = self.side // 9
        first = [r for r in rows if r[0] == self.top][0]
        self.left = first[1]
        columns = [x for x in range(first[1], first[2])
                   if all(is_dark(*image.pixel(x, y)) for y in range(self.top, self.top + self.side, 3))]
        vertical = self._group(columns)
        for name, lines in (("horizontal", horizontal), ("vertical", vertical)):
            spacing = [b - a for a, b in zip(lines, lines[1:])]
            if len(lines) != 10 or any(abs(s - self.cell) > 1 for s in spacing):
                raise AssertionError("%s board lines not equally spaced: %s" % (name, lines))
        if abs(vertical[0] - self.left) > 1 or abs(vertical[-1] - vertical[0] - self.side) > 1:
            raise AssertionError("the board is not square: columns %s, rows %s" % (vertical, horizontal))

    @staticmethod
    def _group(positions):
        """The centres of runs of adjacent positions (a thick line is one line)."""
        groups = []
        for p in sorted(set(positions)):
            if groups and p == groups[-1][-1] + 1:
                groups[-1].append(p)
            else:
                groups.append([p])
        return [(g[0] + g[-1]) // 2 for g in groups]

    def centre(self, column, row):
        """The screen point at the centre of a cell (column, row from 1)."""
        return (self.left + (column - 1) * self.cell + self.cell // 2,
                self.top + (row - 1) * self.cell + self.cell // 2)

    def inner(self, column, row):
        """A cell's area without its lines (the block lines are 5 pixels wide)."""
        x0 = self.left + (column - 1) * self.cell + 4
        y0 = self.top + (row - 1) * self.cell + 4
        return x0, y0, x0 + self.cell - 7, y0 + self.cell - 7


class Cell:
    """What a cell shows: 'given' (a red digit), 'set' (a black digit), 'hints' (grey
    candidates) or 'empty'; with its ink (255 minus green, for red and black alike)."""

    def __init__(self, image, area):
        x0, y0, x1, y1 = area
        red = dark = grey = 0
        ink = []
        for y in range(y0, y1):
            row = image.row(y, x0, x1)
            for i in range(0, len(row), 3):
                r, g, b = row[i], row[i + 1], row[i + 2]
                red += is_red(r, g, b)
                dark += is_dark(r, g, b)
                grey += is_candidate_grey(r, g, b)
                ink.append(255 - g)
        self.ink = ink
        if red >= 15:
            self.kind = "given"
        elif dark >= 15:
            self.kind = "set"
        elif grey >= 3:
            self.kind = "hints"
        else:
            self.kind = "empty"


class Program:
    """Enneo.exe under Wine on a private Xvfb display, with its own Wine environment."""

    def __init__(self, options):
        self.options = options
        self.xvfb = None
        self.process = None
        self.window = None
        self.board = None
        self.templates = {}  # digit -> ink of that digit as a cell shows it
        self.last = None
        self.env = dict(os.environ, WINEPREFIX=options.prefix, WINEARCH=options.arch,
                        WINELOADER=options.loader, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=;winebrowser.exe=d")

    def start(self):
        subprocess.run(["bash", self.options.make_prefix, self.options.prefix, self.options.arch,
                        self.options.loader, "display"], env=self.env, check=True, timeout=300)
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL, timeout=30)
        # Without a display: the registry tool must not start the prefix's desktop.
        subprocess.run([self.options.loader, "reg", "delete", SETTINGS_KEY, "/v", "MarkSelection", "/f"],
                       env={k: v for k, v in self.env.items() if k != "DISPLAY"}, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL, timeout=30)
        # Xvfb picks a free display number itself and writes it once it accepts clients.
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                                      "-nolisten", "tcp"], pass_fds=[write_end],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        self.launch()

    def launch(self):
        """Starts the program and waits for its board."""
        self.window = None
        self.process = subprocess.Popen([self.options.loader, self.options.program], env=self.env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 90
        while not self.window:
            found = self.xdotool("search", "--name", "^%s$" % CAPTION, check=False).split()
            self.window = found[0] if found else None
            if not self.window and (time.monotonic() > deadline or self.process.poll() is not None):
                raise RuntimeError("the window '%s' did not appear" % CAPTION)
            time.sleep(0.3)
        self.board = self.wait_for(self.find_board, "the board drawn", timeout=20)

    def restart(self):
        """File / Exit, which must end the program with 0, and a new start."""
        self.menu("f", "x")
        code = self.process.wait(timeout=30)
        if code != 0:
            raise AssertionError("File / Exit ended the program with %d" % code)
        self.launch()

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL, timeout=30)
        for process in (self.process, self.xvfb):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool"] + list(args), env=self.env, capture_output=True, text=True, timeout=20)
        if check and result.returncode != 0:
            raise RuntimeError("xdotool %s: %s" % (" ".join(args), result.stderr.strip()))
        return result.stdout

    def visible(self, name):
        """The visible windows whose caption matches the pattern."""
        return self.xdotool("search", "--onlyvisible", "--name", name, check=False).split()

    def window_area(self, window=None):
        """A window's outer rectangle on the screen (the board's by default): x, y, width, height."""
        out = self.xdotool("getwindowgeometry", "--shell", window or self.window)
        values = dict(line.split("=", 1) for line in out.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def screenshot(self):
        ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env, capture_output=True,
                             check=True, timeout=30).stdout
        self.last = Image(ppm)
        return self.last

    def find_board(self):
        try:
            return Board(self.screenshot(), self.window_area())
        except AssertionError:
            return None

    def cells(self):
        """The 81 cells in reading order, from a new screenshot."""
        image = self.screenshot()
        return [Cell(image, self.board.inner(c, r)) for r in range(1, 10) for c in range(1, 10)]

    def wait_for(self, probe, what, timeout=10):
        """Polls probe() until it returns something true; fails after timeout seconds."""
        deadline = time.monotonic() + timeout
        while True:
            result = probe()
            if result:
                return result
            if time.monotonic() > deadline:
                name = "timeout-" + re.sub(r"\W+", "-", what).strip("-")
                raise AssertionError("timed out waiting for %s; screen saved to %s" % (what, self.save(name)))
            time.sleep(0.2)

    def wait_for_cells(self, condition, what, timeout=10):
        def probe():
            cells = self.cells()
            return cells if condition(cells) else None
        return self.wait_for(probe, what, timeout)

    def save(self, name, area=None):
        """Saves the last screenshot, or the area (x, y, width, height) of it."""
        if not self.last or not self.options.shots:
            return "(nowhere)"
        os.makedirs(self.options.shots, exist_ok=True)
        path = os.path.join(self.options.shots, name + ".png")
        crop = ["-crop", "%dx%d+%d+%d" % (area[2], area[3], area[0], area[1]), "+repage"] if area else []
        subprocess.run(["convert", "ppm:-"] + crop + [path], input=self.last.ppm, timeout=30)
        return path

    # Input: the pointer stays over the board, so the keys go to the program's window.
    def click(self, column, row):
        x, y = self.board.centre(column, row)
        self.xdotool("mousemove", str(x), str(y), "click", "1")

    def type(self, column, row, key):
        self.click(column, row)
        self.xdotool("key", key)

    def menu(self, menu_key, item_key):
        x, y = self.board.centre(5, 5)
        self.xdotool("mousemove", str(x), str(y))
        self.xdotool("key", "alt+" + menu_key)
        time.sleep(0.3)
        self.xdotool("key", item_key)

    def open_about(self, pixels=lambda size: size):
        """Help / About: the About window once it has its size and is drawn. pixels: a size
        at 96 DPI in pixels at the screen's DPI."""
        self.menu("h", "a")
        found = self.wait_for(lambda: self.visible("^About Enneo$"), "the About window")
        # Under 280 x 220: the client area of a window of that size. Just after it appears
        # it may still read as the whole 280 x 220 on a busy machine.
        _, _, _, height = self.wait_for(
            lambda: (lambda area: area if pixels(200) < area[2] < pixels(280) and pixels(150) < area[3] < pixels(220)
                     else None)(self.window_area(found[0])), "the About window at its size")
        return self.wait_for(lambda: AboutWindow.find(self.screenshot(), height, pixels), "the About window drawn")

    def close_about(self, about, pixels=lambda size: size):
        """Presses the About window's OK button and waits for the window to hide."""
        self.xdotool("mousemove", str((about.left + about.right) // 2), str(about.bottom - pixels(22)), "click", "1")
        self.wait_for(lambda: not self.visible("^About Enneo$"), "the About window to hide")

    def digit(self, cell):
        """The digit a cell shows: the closest of the known digits' shapes."""
        def distance(ink):
            return sum(abs(a - b) for a, b in zip(cell.ink, ink))
        return min(self.templates, key=lambda d: distance(self.templates[d]))

    def board_text(self, cells):
        """kinds(), with the digit of each given and set cell: what the board shows."""
        return "".join(kinds([c]) + (self.digit(c) if c.kind in ("given", "set") else "") for c in cells)

    def wait_for_board(self, expected, what, timeout=10):
        def probe():
            return self.board_text(self.cells()) == expected
        self.wait_for(probe, what, timeout)

    def file_dialog(self, item_key, caption, path):
        """A file command of the File menu, answered with a path (a Unix path, given to
        the dialog on Wine's drive Z:)."""
        self.menu("f", item_key)
        self.wait_for(lambda: self.visible("^%s$" % caption), "the %s dialog" % caption)
        self.xdotool("type", "--delay", "20", "Z:" + path.replace("/", "\\"))
        self.xdotool("key", "Return")
        self.wait_for(lambda: not self.visible("^%s$" % caption), "the %s dialog to close" % caption)

    def marks(self, colours=(SELECTION, SAME_DIGIT)):
        """For each colour, the cells (column, row) filled with it, from a new screenshot:
        by default the selection's and the same digit's."""
        image = self.screenshot()
        found = {colour: [] for colour in colours}
        for row in range(1, 10):
            for column in range(1, 10):
                x0, y0, x1, y1 = self.board.inner(column, row)
                for colour in found:
                    if count(image, lambda *p: p == colour, x0, y0, x1, y0 + 3) > (x1 - x0):
                        found[colour].append((column, row))
        return tuple(found[colour] for colour in colours)

    def pencil_marks(self, cells):
        """For each cell (column, row), the mini-squares (0 to 8 in reading order) that
        hold blue ink, from a new screenshot."""
        image = self.screenshot()
        third = self.board.cell // 3
        found = {}
        for column, row in cells:
            left = self.board.left + (column - 1) * self.board.cell
            top = self.board.top + (row - 1) * self.board.cell
            found[(column, row)] = [k for k in range(9) if count(
                image, is_mark_blue, left + k % 3 * third + 2, top + k // 3 * third + 2,
                left + (k % 3 + 1) * third - 1, top + (k // 3 + 1) * third - 1) >= 2]
        return found


def kinds(cells):
    return "".join({"given": "G", "set": "S", "hints": "h", "empty": "."}[c.kind] for c in cells)


SAMPLE_KINDS = "".join("h" if c == "." else "G" for c in SAMPLE)


class BoardWindowTest(unittest.TestCase):
    """Runs in order on one program instance; each board case after the first starts from
    the sample (Options / Reset), File / New comes after them, then the About and log
    windows, undo and redo, and Mark Selection, which starts the program again."""

    def reset(self):
        """Options / Reset, and Show Hints back on if an earlier failure left it off."""
        APP.menu("o", "r")
        no_hints = SAMPLE_KINDS.replace("h", ".")
        cells = APP.wait_for_cells(lambda c: kinds(c) in (SAMPLE_KINDS, no_hints), "the sample after Options / Reset")
        if kinds(cells) == no_hints:
            APP.menu("o", "h")
            cells = APP.wait_for_cells(lambda c: kinds(c) == SAMPLE_KINDS, "the sample with its candidates")
        return cells

    def assert_cells(self, expected, cells, message):
        if kinds(cells) != expected:
            self.fail("%s\nexpected %s\nshown    %s\nscreen saved to %s"
                      % (message, expected, kinds(cells), APP.save(self.id().split(".")[-1])))

    def test_1_caption_and_sample(self):
        self.assertEqual(CAPTION, APP.xdotool("getwindowname", APP.window).strip())
        # Centred left to right (the window's side frames are alike), up to the few
        # pixels that the whole-pixel cell size leaves over.
        x, _, width, _ = APP.window_area()
        board = APP.board
        self.assertLessEqual(abs((x + width - board.left - board.side) - (board.left - x)), 10)
        cells = APP.wait_for_cells(lambda c: kinds(c) == SAMPLE_KINDS, "the sample", timeout=10)
        self.assertEqual(25, sum(c.kind == "given" for c in cells))
        self.assert_cells(SAMPLE_KINDS, cells, "the sample's givens in red, candidates elsewhere")
        APP.save("sample")
        for cell, digit in zip(cells, SAMPLE):
            if digit != "." and digit not in APP.templates:
                APP.templates[digit] = cell.ink

    def test_2_typed_digits_are_black(self):
        APP.type(1, 1, "8")
        APP.type(5, 1, "1")
        expected = "SGGGSG" + SAMPLE_KINDS[6:]
        cells = APP.wait_for_cells(lambda c: kinds(c) == expected, "black digits in the first row's cells 1 and 5")
        self.assertEqual("8", APP.digit(cells[0]))  # the same shape as the red 8s
        APP.templates["1"] = cells[4].ink  # no given shows a 1

    def test_3_refused_digits_change_nothing(self):
        self.reset()
        APP.type(7, 1, "9")  # 9 is in the first row already
        APP.type(1, 1, "6")  # 6 is in the first column (only)
        APP.type(5, 2, "3")  # 3 is in the top middle block (only)
        APP.type(2, 1, "1")  # a given cell
        APP.type(9, 1, "6")  # allowed: shows the earlier keys were handled
        expected = SAMPLE_KINDS[:8] + "S" + SAMPLE_KINDS[9:]
        cells = APP.wait_for_cells(lambda c: kinds(c) == expected or c[8].kind == "set", "a black 6 at row 1, column 9")
        self.assert_cells(expected, cells, "only the allowed digit is entered")
        self.assertEqual("9", APP.digit(cells[1]))
        self.assertEqual("6", APP.digit(cells[8]))
        APP.type(9, 1, "0")
        APP.wait_for_cells(lambda c: kinds(c) == SAMPLE_KINDS, "'0' emptying the cell again")

    def test_4_reset_keeps_only_the_givens(self):
        APP.type(1, 1, "8")
        APP.wait_for_cells(lambda c: c[0].kind == "set", "a black 8")
        cells = self.reset()
        self.assertEqual(25, sum(c.kind == "given" for c in cells))
        self.assertEqual([d for d in SAMPLE if d != "."], [APP.digit(c) for c in cells if c.kind == "given"])

    def test_5_hints_off_and_on(self):
        self.reset()
        no_hints = SAMPLE_KINDS.replace("h", ".")
        APP.menu("o", "h")
        cells = APP.wait_for_cells(lambda c: "h" not in kinds(c), "the candidates to go")
        self.assert_cells(no_hints, cells, "Show Hints off: the givens and nothing else")
        APP.menu("o", "h")
        APP.wait_for_cells(lambda c: kinds(c) == SAMPLE_KINDS, "the candidates to come back")

    def test_6_solve_fills_the_board(self):
        self.reset()
        APP.menu("o", "s")
        cells = APP.wait_for_cells(lambda c: not any(k in kinds(c) for k in "h."), "a full board", timeout=60)
        self.assert_cells(SAMPLE_KINDS.replace("h", "S"), cells, "the givens stay red, the solution is black")
        grid = "".join(APP.digit(c) for c in cells)
        self.assertEqual(SOLVED_FIRST_ROW, grid[:9])
        units = [[9 * r + c for c in range(9)] for r in range(9)]
        units += [[9 * r + c for r in range(9)] for c in range(9)]
        units += [[9 * (3 * (b // 3) + i // 3) + 3 * (b % 3) + i % 3 for i in range(9)] for b in range(9)]
        for unit in units:
            self.assertEqual("123456789", "".join(sorted(grid[i] for i in unit)), "a unit of %s" % grid)
        for shown, given in zip(grid, SAMPLE):
            self.assertIn(given, (".", shown))

    def test_7_new_empties_the_board(self):
        APP.menu("f", "n")
        cells = APP.wait_for_cells(lambda c: "G" not in kinds(c) and "S" not in kinds(c), "an empty board")
        self.assert_cells("h" * 81, cells, "an empty board shows every cell's candidates")

    def test_8_about_window_over_the_board(self):
        # The home page that About opens goes nowhere: winebrowser is switched off.
        about = APP.open_about()
        APP.save("about")
        bx, by, bwidth, bheight = APP.window_area()
        self.assertTrue(bx <= about.left and about.right <= bx + bwidth and by <= about.top
                        and about.bottom <= by + bheight, "the About window lies over the board")

        # OK hides it; the board stays.
        APP.close_about(about)
        self.assertTrue(APP.wait_for(APP.find_board, "the board after OK"))

    def test_9_show_log_opens_the_log_window(self):
        APP.menu("o", "w")
        APP.wait_for(lambda: APP.visible("^Enneo's log$"), "the log window")

    def test_9a_side_windows_close_and_the_game_goes_on(self):
        """Alt+F4 hides the log window (shown and active since the case before) and the
        About window, as Escape does; minimizing and restoring keep the board. Through
        all of it the program runs and the board stays as it was."""
        APP.wait_for(lambda: APP.visible("^Enneo's log$"), "the log window")
        APP.xdotool("key", "alt+F4")
        APP.wait_for(lambda: not APP.visible("^Enneo's log$"), "the log window to hide")
        board = APP.board_text(APP.cells())

        def still_running(what):
            self.assertIsNone(APP.process.poll(), "the program ended after %s" % what)
            APP.wait_for_board(board, "the board as it was after %s" % what)
        still_running("closing the log window")
        APP.menu("o", "w")
        APP.wait_for(lambda: APP.visible("^Enneo's log$"), "the log window again")
        APP.xdotool("key", "alt+F4")
        APP.wait_for(lambda: not APP.visible("^Enneo's log$"), "the log window to hide again")

        for key in ("alt+F4", "Escape"):
            APP.menu("h", "a")
            APP.wait_for(lambda: APP.visible("^About Enneo$"), "the About window")
            APP.xdotool("key", key)
            APP.wait_for(lambda: not APP.visible("^About Enneo$"), "the About window to hide after " + key)
            still_running(key + " on the About window")

        APP.xdotool("key", "alt+space")
        time.sleep(0.3)
        APP.xdotool("key", "n")  # Minimize
        APP.wait_for(lambda: APP.find_board() is None, "the board to go")
        APP.xdotool("key", "alt+space")
        time.sleep(0.3)
        APP.xdotool("key", "r")  # Restore
        still_running("minimizing and restoring")

    def test_9b_undo_and_redo_every_kind_of_step(self):
        """Open, typed digits, Reset, Solve, New, New Puzzle and Open again, each undone
        with Ctrl+Z (or Edit / Undo) and redone with Ctrl+Y, Ctrl+Shift+Z or Edit / Redo,
        the board read back after each; a refused digit and Save are no steps."""
        folder = tempfile.mkdtemp(prefix="enneo-undo-")
        self.addCleanup(shutil.rmtree, folder, True)
        sample = os.path.join(folder, "sample.enn")
        with open(sample, "wb") as f:
            f.write("\r\n".join(SAMPLE[9 * r:9 * r + 9] for r in range(9)).encode("ascii"))
        sample_board = "".join("h" if c == "." else "G" + c for c in SAMPLE)

        boards = [APP.board_text(APP.cells())]
        self.assertNotEqual(sample_board, boards[0], "the board before the first step")

        def step(action, condition, what, timeout=10):
            action()
            cells = APP.wait_for_cells(lambda c: APP.board_text(c) != boards[-1] and condition(c), what, timeout)
            boards.append(APP.board_text(cells))
        step(lambda: APP.file_dialog("o", "Open", sample), lambda c: APP.board_text(c) == sample_board, "the sample")
        step(lambda: APP.type(1, 1, "8"), lambda c: c[0].kind == "set", "a black 8")
        APP.type(7, 1, "9")  # refused: no step
        step(lambda: APP.type(5, 1, "1"), lambda c: c[4].kind == "set", "a black 1")
        APP.file_dialog("s", "Save As", os.path.join(folder, "saved.enn"))  # no step
        step(lambda: APP.menu("o", "r"), lambda c: APP.board_text(c) == sample_board, "Reset")
        step(lambda: APP.menu("o", "s"), lambda c: "h" not in kinds(c), "Solve", timeout=60)
        step(lambda: APP.menu("f", "n"), lambda c: kinds(c) == "h" * 81, "New")
        step(lambda: (APP.menu("f", "p"), APP.xdotool("key", "e")), lambda c: "G" in kinds(c), "New Puzzle / Easy")
        step(lambda: APP.file_dialog("o", "Open", os.path.join(folder, "saved.enn")),
             lambda c: kinds(c).count("G") == 27, "the saved board, all given")

        for i in range(len(boards) - 2, -1, -1):
            if i == 4:
                APP.menu("e", "u")
            else:
                APP.xdotool("key", "ctrl+z")
            APP.wait_for_board(boards[i], "undo back to board %d" % i)
        redo_keys = ["ctrl+y", "ctrl+shift+z", None]
        for i in range(1, len(boards)):
            key = redo_keys[i % 3]
            if key:
                APP.xdotool("key", key)
            else:
                APP.menu("e", "r")
            APP.wait_for_board(boards[i], "redo to board %d" % i)

    def test_9c_mark_selection(self):
        """The selected cell and the cells holding its digit are tinted while Mark
        Selection is on; the arrows stop at the edges; the choice outlives a restart."""
        self.assertEqual(([], []), APP.marks(), "no marks while Mark Selection is off")
        APP.menu("f", "n")
        APP.wait_for_cells(lambda c: kinds(c) == "h" * 81, "an empty board")
        APP.type(1, 1, "5")
        APP.type(9, 9, "5")
        APP.type(4, 2, "5")
        APP.click(9, 8)
        APP.menu("o", "m")
        APP.wait_for(lambda: APP.marks() == ([(9, 8)], []), "the selected empty cell marked alone")
        APP.xdotool("key", "Down")
        APP.wait_for(lambda: APP.marks() == ([(9, 9)], [(1, 1), (4, 2)]), "the 5 selected, the other 5s tinted")
        APP.save("mark-selection")
        APP.xdotool("key", "Down", "Right")  # the corner: nothing moves
        APP.click(1, 2)
        APP.xdotool("key", "Left", "Up", "Up")
        APP.wait_for(lambda: APP.marks() == ([(1, 1)], [(4, 2), (9, 9)]), "the selection at the top-left corner")
        APP.xdotool("key", "Delete")
        APP.wait_for(lambda: APP.marks() == ([(1, 1)], []), "Delete emptying the selected cell")

        APP.restart()
        APP.xdotool("key", "Right")  # no cell selected yet: the top-left one
        APP.wait_for(lambda: APP.marks()[0] == [(1, 1)], "the marks after a restart")
        APP.menu("o", "m")
        APP.wait_for(lambda: APP.marks() == ([], []), "no marks once Mark Selection is off")

    def test_9d_pencil_marks_hint_and_check(self):
        """Pencil marks (Ctrl and a digit) are blue, each digit in its own mini-square,
        in place of the candidates; a placement takes its cell's marks and its digit
        from the marks of its row, column and block, in one step that Undo and Redo take
        back and do again. Hint selects the first mistake; Check tints the player's
        digits that do not fit red until the next change."""
        self.reset()
        APP.click(1, 1)
        APP.xdotool("key", "ctrl+1", "ctrl+KP_5", "ctrl+8", "ctrl+9", "ctrl+9", "ctrl+9")
        for column, row in ((7, 1), (1, 8), (3, 2), (5, 5)):
            APP.click(column, row)
            APP.xdotool("key", "ctrl+8")
        APP.click(9, 8)
        APP.xdotool("key", "ctrl+2", "ctrl+0")
        marked = {(1, 1): [0, 4, 7, 8], (7, 1): [7], (1, 8): [7], (3, 2): [7], (5, 5): [7], (9, 8): []}
        APP.wait_for(lambda: APP.pencil_marks(marked) == marked, "the pencil marks in their places")
        cells = APP.cells()
        self.assertEqual(".h", kinds([cells[0], cells[9 * 7 + 8]]), "marks instead of candidates, and back")
        APP.save("pencil-marks", APP.window_area())
        APP.menu("o", "h")  # Show Hints off: the marks stay
        APP.wait_for(lambda: "h" not in kinds(APP.cells()) and APP.pencil_marks(marked) == marked,
                     "the marks without the candidates")
        APP.menu("o", "h")

        APP.type(1, 1, "8")
        placed = {**marked, (1, 1): [], (7, 1): [], (1, 8): [], (3, 2): []}
        APP.wait_for(lambda: APP.cells()[0].kind == "set" and APP.pencil_marks(placed) == placed,
                     "the 8 placed and its 8s gone from row 1, column 1 and block 1 only")
        APP.xdotool("key", "ctrl+z")
        APP.wait_for(lambda: APP.pencil_marks(marked) == marked, "the placement and its marks undone")
        self.assertEqual(".", kinds(APP.cells()[:1]), "no digit, no candidates")
        APP.xdotool("key", "ctrl+y")
        APP.wait_for(lambda: APP.pencil_marks(placed) == placed, "the placement redone")

        APP.menu("o", "m")
        APP.type(1, 3, "1")  # 4 in the solution
        APP.type(9, 2, "9")  # 8 in the solution
        APP.click(5, 5)
        APP.xdotool("key", "question")
        APP.wait_for(lambda: APP.visible("^Hint$"), "the Hint box")
        APP.xdotool("key", "Return")
        APP.wait_for(lambda: not APP.visible("^Hint$") and APP.marks()[0] == [(9, 2)],
                     "the first mistake selected")
        APP.menu("o", "c")
        APP.wait_for(lambda: APP.visible("^Check$"), "the Check box")
        APP.xdotool("key", "Return")
        APP.wait_for(lambda: not APP.visible("^Check$") and APP.marks((SELECTION, MISFIT)) == ([(9, 2)], [(1, 3)]),
                     "the other mistake tinted red")
        APP.click(1, 3)
        APP.wait_for(lambda: APP.marks((SELECTION, MISFIT)) == ([(1, 3)], [(9, 2)]), "the tint after a click")
        APP.xdotool("key", "ctrl+z")
        APP.wait_for(lambda: APP.marks((MISFIT,)) == ([],), "no tint after a change")
        APP.menu("o", "m")


class AboutWindow:
    """Where the About window lies on a screenshot, found from its active caption bar,
    and whether its content is drawn: the bold name below the caption, the program icon
    (red pixels) at the top right, the OK button's label at the bottom centre."""

    @staticmethod
    def find(image, height, pixels=lambda size: size):
        """pixels: a size at 96 DPI in pixels at the screen's DPI."""
        caption = [(x, y) for y in range(0, image.height, 2) for x in range(0, image.width, 2)
                   if AboutWindow.is_caption(*image.pixel(x, y))]
        if not caption:
            return None
        about = AboutWindow()
        about.left = min(x for x, _ in caption)
        about.right = max(x for x, _ in caption)
        about.top = min(y for _, y in caption)
        about.bottom = about.top + height
        below = max(y for _, y in caption) + 2
        centre = (about.left + about.right) // 2
        p = pixels
        drawn = (count(image, is_dark, about.left + p(5), below + p(8), about.left + p(120), below + p(30)) > 20
                 and count(image, is_red, about.right - p(60), below, about.right, below + p(70)) > 3
                 and count(image, is_dark, centre - p(20), about.bottom - p(40), centre + p(20), about.bottom - p(10)) > 5)
        return about if drawn else None

    @staticmethod
    def is_caption(r, g, b):
        return b > 220 and r < 120 and 100 < g < 200

def main():
    global APP
    parser = argparse.ArgumentParser()
    for name in ("--program", "--prefix", "--loader", "--arch", "--make-prefix"):
        parser.add_argument(name, required=True)
    parser.add_argument("--shots")
    APP = Program(parser.parse_args())
    try:
        APP.start()
        result = unittest.main(argv=sys.argv[:1], verbosity=2, exit=False).result
    finally:
        APP.stop()
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
