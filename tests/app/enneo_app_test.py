#!/usr/bin/env python3
"""Black-box tests of the board window, its About window and its log window: the real
Enneo.exe under Wine on a private Xvfb display, driven with xdotool and checked on screenshots.
Each scenario starts the program afresh, with the sample on the board, Mark Selection off
(its registry value is deleted first) and Resume Last Game off, and ends it, so that a
failure stays in its scenario; the scenarios of the kept game start it again with the
option on.

usage: enneo_app_test.py --program ENNEO_EXE --prefix WINEPREFIX --loader WINE_LOADER
                         --arch win32|win64 --make-prefix WINE_PREFIX_SCRIPT
                         [--shots FOLDER] [unittest arguments, e.g. BoardWindowTest.test_undo_and_redo]

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

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from board_program import (CAPTION, HINTED, MISFIT, SAMPLE, SAMPLE_KINDS, SELECTION, SETTINGS_KEY,  # noqa: E402
                           SOLVED, SOLVED_FIRST_ROW, Program, contrast, count, is_dark, is_red, kinds)

APP = None  # the program, set up once; each scenario launches it


def read(path):
    """The file's bytes; none while a write has moved it to the backup's place."""
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return b""


class BoardWindowTest(unittest.TestCase):
    def setUp(self):
        self.addCleanup(APP.end)
        APP.launch()
        APP.learn_digits()

    def assert_cells(self, expected, cells, message):
        if kinds(cells) != expected:
            self.fail("%s\nexpected %s\nshown    %s\nscreen saved to %s"
                      % (message, expected, kinds(cells), APP.save(self.id().split(".")[-1])))

    def reset(self):
        """Options / Reset, back to the sample."""
        APP.menu("o", "r")
        return APP.wait_for_cells(lambda c: kinds(c) == SAMPLE_KINDS, "the sample after Options / Reset")

    def test_sample_and_digit_entry(self):
        """The sample's givens red with candidates elsewhere; typed digits black; digits that
        repeat one in their row, column or block, and keys on givens, refused; '0' empties;
        Reset keeps only the givens."""
        self.assertEqual(CAPTION, APP.xdotool("getwindowname", APP.window).strip())
        # Centred left to right (the window's side frames are alike), up to the few
        # pixels that the whole-pixel cell size leaves over.
        x, _, width, _ = APP.window_area()
        board = APP.board
        self.assertLessEqual(abs((x + width - board.left - board.side) - (board.left - x)), 10)
        cells = APP.learn_digits()
        self.assertEqual(25, sum(c.kind == "given" for c in cells))
        self.assert_cells(SAMPLE_KINDS, cells, "the sample's givens in red, candidates elsewhere")
        APP.save("sample")
        APP.type(1, 1, "8")
        APP.type(5, 1, "1")
        expected = "SGGGSG" + SAMPLE_KINDS[6:]
        cells = APP.wait_for_cells(lambda c: kinds(c) == expected, "black digits in the first row's cells 1 and 5")
        self.assertEqual("8", APP.digit(cells[0]))  # the same shape as the red 8s
        APP.templates["1"] = cells[4].ink  # no given shows a 1
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
        APP.type(1, 1, "8")
        APP.wait_for_cells(lambda c: c[0].kind == "set", "a black 8")
        cells = self.reset()
        self.assertEqual(25, sum(c.kind == "given" for c in cells))
        self.assertEqual([d for d in SAMPLE if d != "."], [APP.digit(c) for c in cells if c.kind == "given"])

    def test_show_hints_solve_and_new(self):
        """Show Hints off and on again; Solve fills the board with every digit once in each
        unit, the givens staying red; New empties it."""
        no_hints = SAMPLE_KINDS.replace("h", ".")
        APP.menu("o", "h")
        cells = APP.wait_for_cells(lambda c: "h" not in kinds(c), "the candidates to go")
        self.assert_cells(no_hints, cells, "Show Hints off: the givens and nothing else")
        APP.menu("o", "h")
        APP.wait_for_cells(lambda c: kinds(c) == SAMPLE_KINDS, "the candidates to come back")
        APP.type(5, 1, "1")  # no given shows a 1: its shape is learned from a typed one
        cells = APP.wait_for_cells(lambda c: c[4].kind == "set", "a black 1")
        APP.templates["1"] = cells[4].ink
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
        APP.menu("f", "n")
        cells = APP.wait_for_cells(lambda c: "G" not in kinds(c) and "S" not in kinds(c), "an empty board")
        self.assert_cells("h" * 81, cells, "an empty board shows every cell's candidates")

    def test_about_log_and_side_windows(self):
        """About shows its window over the board and OK hides it; Show Log shows the log
        window. Alt+F4 hides the log window and the About window, as Escape does;
        minimizing and restoring keep the board. Through all of it the program runs and
        the board stays as it was."""
        # The home page that About opens goes nowhere: winebrowser is switched off.
        about = APP.open_about()
        APP.save("about")
        bx, by, bwidth, bheight = APP.window_area()
        self.assertTrue(bx <= about.left and about.right <= bx + bwidth and by <= about.top
                        and about.bottom <= by + bheight, "the About window lies over the board")

        # OK hides it; the board stays.
        APP.close_about(about)
        self.assertTrue(APP.wait_for(APP.find_board, "the board after OK"))
        APP.menu("o", "w")
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

    def test_undo_and_redo_every_kind_of_step(self):
        """New, Open, typed digits, Reset, Solve, New, New Puzzle and Open again, each undone
        with Ctrl+Z (or Edit / Undo) and redone with Ctrl+Y, Ctrl+Shift+Z or Edit / Redo,
        the board read back after each; a refused digit and Save are no steps."""
        folder = tempfile.mkdtemp(prefix="enneo-undo-")
        self.addCleanup(shutil.rmtree, folder, True)
        sample = os.path.join(folder, "sample.enn")
        with open(sample, "wb") as f:
            f.write("\r\n".join(SAMPLE[9 * r:9 * r + 9] for r in range(9)).encode("ascii"))
        sample_board = "".join("h" if c == "." else "G" + c for c in SAMPLE)

        boards = [APP.board_text(APP.cells())]

        def step(action, condition, what, timeout=10):
            action()
            cells = APP.wait_for_cells(lambda c: APP.board_text(c) != boards[-1] and condition(c), what, timeout)
            boards.append(APP.board_text(cells))
        step(lambda: APP.menu("f", "n"), lambda c: kinds(c) == "h" * 81, "New")
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
            if i == 5:
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

    def test_dark_theme(self):
        """Options / Theme / Dark (Ctrl+Shift+D) draws the board dark at once: light lines,
        light red givens, light digits, grey candidates, blue marks, and the tints of Mark
        Selection and Check in bright frames, each far apart from the background (the
        contrast ratios of the colours on the screen are printed); Light (Ctrl+Shift+L)
        brings the described board back."""
        background = (32, 32, 32)
        APP.xdotool("key", "ctrl+shift+d")
        APP.wait_for(lambda: APP.screenshot().pixel(*APP.board.inner(3, 1)[:2]) == background, "the dark board")
        APP.menu("o", "m")  # Mark Selection, for the tints
        APP.type(1, 3, "1")  # the solution has 4 there
        APP.click(1, 2)
        APP.xdotool("key", "ctrl+5")
        APP.menu("o", "c")
        APP.wait_for(lambda: APP.visible("^Check$"), "the Check box")
        APP.xdotool("key", "Return")
        APP.wait_for(lambda: not APP.visible("^Check$"), "the Check box to close")
        APP.click(2, 1)  # the given 9: the other 9s are tinted
        parts = (("lines", (200, 200, 200), None, 1), ("given", (255, 125, 125), (3, 1), 15),
                 ("digit", (235, 235, 235), (1, 3), 10), ("candidate", (160, 160, 160), (1, 1), 3),
                 ("mark", (120, 175, 255), (1, 2), 3), ("selection", (235, 190, 70), (2, 1), 60),
                 ("same digit", (150, 125, 60), (4, 3), 40), ("misfit", (230, 90, 90), (1, 3), 40))

        def shown(image):
            found = {}
            for name, colour, cell, least in parts:
                if cell is None:  # down the middle of the first block line
                    x = APP.board.left + 3 * APP.board.cell
                    area = (x, APP.board.top, x + 1, APP.board.top + APP.board.side)
                else:
                    area = APP.board.inner(*cell)
                found[name] = count(image, lambda *p: p == colour, *area) >= least
            return found
        found = APP.wait_for(lambda: (lambda f: f if all(f.values()) else None)(shown(APP.screenshot())),
                             "every part of the dark board in its colour")
        APP.save("dark-theme", APP.window_area())
        self.assertTrue(all(found.values()))
        print("contrast ratios on the screen, dark: " + ", ".join(
            "%s %.1f" % (name, contrast(colour, background)) for name, colour, _, _ in parts), file=sys.stderr)

        APP.xdotool("key", "ctrl+shift+l")
        light = APP.wait_for(lambda: (lambda i: i if i.pixel(*APP.board.inner(3, 1)[:2]) == (255, 255, 255) else None)(
            APP.screenshot()), "the light board again")
        self.assertGreater(count(light, is_red, *APP.board.inner(3, 1)), 15, "a red given")

    def test_mark_selection(self):
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

    def test_pencil_marks_hint_and_check(self):
        """Pencil marks (Ctrl and a digit) are blue, each digit in its own mini-square,
        in place of the candidates; a placement takes its cell's marks and its digit
        from the marks of its row, column and block, in one step that Undo and Redo take
        back and do again. Hint selects the first mistake; Check tints the player's
        digits that do not fit red until the next change."""
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

    def test_hint_and_check_tints_and_pause(self):
        """With Mark Selection off, Check ('!') tints the digit that does not fit, each
        until the next change; Hint ('?') goes in stages on the sample's first step, a
        single 6 in row 3, column 2: its pattern tinted, then the cell it changes, then
        the 6 placed, which Undo takes back. Escape hides the board behind a plain
        "Paused" picture, and again brings it back."""
        APP.type(1, 3, "1")  # 4 in the solution
        APP.xdotool("key", "exclam")
        APP.wait_for(lambda: APP.visible("^Check$"), "the Check box")
        APP.xdotool("key", "Return")
        APP.wait_for(lambda: not APP.visible("^Check$") and APP.marks((MISFIT, SELECTION)) == ([(1, 3)], []),
                     "the wrong digit tinted")
        APP.save("check-tint", APP.window_area())
        APP.xdotool("key", "ctrl+z")
        APP.wait_for(lambda: APP.marks((MISFIT,)) == ([],), "no tint once the board changed")
        for stage in ("the pattern", "the cell it changes"):
            APP.xdotool("key", "question")
            APP.wait_for(lambda: APP.visible("^Hint$"), "the Hint box")
            APP.xdotool("key", "Return")
            APP.wait_for(lambda: not APP.visible("^Hint$") and APP.marks((HINTED, SELECTION)) == ([(2, 3)], []),
                         "the hint's tint on " + stage)
        APP.save("hint-tint", APP.window_area())
        APP.xdotool("key", "question")
        APP.wait_for_cells(lambda c: c[2 * 9 + 1].kind == "set" and not APP.marks((HINTED,))[0], "the step made")
        APP.xdotool("key", "ctrl+z")
        APP.wait_for_cells(lambda c: kinds(c) == SAMPLE_KINDS, "the step undone")

        board = APP.board
        area = (board.left, board.top, board.left + board.side + 1, board.top + board.side + 1)

        def paused():
            image = APP.screenshot()
            word = count(image, lambda r, g, b: max(r, g, b) < 160 and abs(r - b) < 10, *area)
            return count(image, is_red, *area) == 0 and count(image, is_dark, *area) == 0 and word > 50
        APP.xdotool("key", "Escape")
        APP.wait_for(paused, "the board hidden behind the pause")
        APP.save("paused", APP.window_area())
        APP.xdotool("key", "Escape")
        APP.wait_for_cells(lambda c: kinds(c) == SAMPLE_KINDS, "the board back after the pause")

    def test_marks_in_bulk_pencil_mode_and_undo_to_correct(self):
        """Edit / Fill In Candidates marks every empty cell, and Clear All Marks takes every
        mark, each undone in one step; Delete takes the marks of an empty cell; in pencil
        mode (P) the digits mark; Undo to Last Correct goes back before a mistake, and Redo
        forward again step by step."""
        every = {(9, 2): [0, 1, 7, 8], (5, 1): [0, 1]}  # the candidates 1, 2, 8, 9 and 1, 2
        none = {cell: [] for cell in every}
        APP.menu("e", "f")  # Fill In Candidates
        APP.wait_for(lambda: "h" not in kinds(APP.cells()) and APP.pencil_marks(every) == every,
                     "every empty cell marked")
        APP.xdotool("key", "ctrl+z")
        APP.wait_for(lambda: kinds(APP.cells()) == SAMPLE_KINDS and APP.pencil_marks(every) == none,
                     "the marks undone in one step")
        APP.xdotool("key", "ctrl+y")
        APP.wait_for(lambda: APP.pencil_marks(every) == every, "the marks again")
        APP.menu("e", "m")  # Clear All Marks
        APP.wait_for(lambda: kinds(APP.cells()) == SAMPLE_KINDS and APP.pencil_marks(every) == none, "no mark left")
        APP.xdotool("key", "ctrl+z")
        APP.wait_for(lambda: APP.pencil_marks(every) == every, "every mark back in one step")
        APP.click(5, 1)
        APP.xdotool("key", "Delete")
        APP.wait_for(lambda: APP.pencil_marks(every) == {**every, (5, 1): []} and APP.cells()[4].kind == "hints",
                     "Delete taking the marks of one cell")
        APP.xdotool("key", "p", "2", "p")
        APP.wait_for(lambda: APP.pencil_marks([(5, 1)]) == {(5, 1): [1]} and APP.cells()[4].kind == "empty",
                     "a 2 marked in pencil mode")

        APP.type(1, 3, "1")  # 4 in the solution
        APP.type(1, 1, "8")
        APP.wait_for_cells(lambda c: c[18].kind == "set" and c[0].kind == "set", "a wrong 1 and a right 8")
        APP.menu("e", "l")  # Undo to Last Correct
        APP.wait_for_cells(lambda c: c[18].kind != "set" and c[0].kind != "set", "the board before the mistake")
        APP.xdotool("key", "ctrl+y")
        APP.wait_for_cells(lambda c: c[18].kind == "set" and c[0].kind != "set", "the mistake redone alone")
        APP.xdotool("key", "ctrl+y")
        APP.wait_for_cells(lambda c: c[0].kind == "set", "then the 8")

    def test_timer_and_best_times(self):
        """Options / Show Timer puts the game's time into the caption, which goes on every
        second; a puzzle the player finishes without help counts its time, a new best told
        in a box and kept in the registry; one that Solve finishes does not count."""
        APP.menu("o", "i")  # Show Timer
        first = APP.wait_for(lambda: re.match(r"^Enneo Tessary - 0:0\d$", APP.caption()) and APP.caption(),
                             "the time in the caption")
        APP.wait_for(lambda: APP.caption() != first, "the time in the caption to go on", timeout=5)

        folder = tempfile.mkdtemp(prefix="enneo-best-")
        self.addCleanup(shutil.rmtree, folder, True)

        def open_nearly_solved(cell):
            """The solution with one cell left empty, opened as a puzzle file."""
            line = SOLVED[:cell] + "." + SOLVED[cell + 1:]
            path = os.path.join(folder, "left-%d.enn" % cell)
            with open(path, "wb") as f:
                f.write("\r\n".join(line[9 * r:9 * r + 9] for r in range(9)).encode("ascii"))
            APP.file_dialog("o", "Open", path)
            APP.wait_for_cells(lambda c: kinds(c).count("G") == 80 and c[cell].kind == "hints", "one cell left")
        statistics = SETTINGS_KEY + r"\Statistics"
        open_nearly_solved(0)
        APP.type(1, 1, "8")
        APP.wait_for(lambda: APP.visible("^Puzzle Solved$"), "the box of the solve and its new best time")
        APP.xdotool("key", "Return")
        kept = APP.registry(statistics, "Easy")
        self.assertRegex(kept or "", r"^1 (\d+) \1$", "one Easy game and its time")
        open_nearly_solved(1)
        APP.menu("o", "s")
        APP.wait_for_cells(lambda c: "h" not in kinds(c), "the puzzle solved")
        self.assertFalse(APP.visible("^Puzzle Solved$"), "a box after Solve")
        self.assertEqual(kept, APP.registry(statistics, "Easy"))
    def write_puzzle(self, folder, name, text):
        """A puzzle file, and its path as a Windows program is given it (on drive Z:)."""
        path = os.path.join(folder, name)
        with open(path, "w", newline="") as f:
            f.write(text)
        return "Z:" + path.replace("/", "\\")

    def test_the_game_comes_back_after_every_ending(self):
        """With Resume Last Game on, the game in progress comes back at the next start with
        its digits, their kinds, its marks and its selection, however the program ended:
        File / Exit, closing the window, the end of the session (WM_QUERYENDSESSION and
        WM_ENDSESSION), or a kill once a second has passed since the last change. A file
        named on the command line opens on top of it, and so does one that a second start
        hands over before it ends; Undo walks back through both and the whole history."""
        APP.end()
        shutil.rmtree(APP.game_folder(), ignore_errors=True)
        self.addCleanup(shutil.rmtree, APP.game_folder(), True)
        self.addCleanup(APP.end)  # before the removal, so that the program writes no more
        folder = tempfile.mkdtemp(prefix="enneo-kept-")
        self.addCleanup(shutil.rmtree, folder, True)
        marked = [(5, 1), (8, 9), (3, 2)]
        states = []

        def shown():  # from one screenshot, so that a change between two cannot mix them
            image = APP.screenshot()
            return APP.board_text(APP.cells(image)), APP.pencil_marks(marked, image)

        def play(action, what):
            action()
            states.append(APP.wait_for(lambda: (lambda now: now if now != states[-1] else None)(shown()), what))

        def start_again(how):
            APP.launch(fresh=False, resume=True)
            APP.wait_for(lambda: shown() == states[-1], "the game as it was left before " + how)

        def exited(how):
            self.assertEqual(0, APP.process.wait(timeout=30), how)

        APP.launch(fresh=False, resume=True)
        states.append(shown())
        self.assertEqual(SAMPLE_KINDS, kinds(APP.cells()), "no game kept yet: the sample")
        play(lambda: APP.type(1, 1, "8"), "an 8")
        play(lambda: (APP.click(5, 1), APP.xdotool("key", "ctrl+3")), "a mark")
        APP.menu("f", "x")
        exited("File / Exit")

        start_again("File / Exit")
        play(lambda: APP.xdotool("key", "2"), "a 2 in the cell still selected")
        play(lambda: (APP.click(8, 9), APP.xdotool("key", "ctrl+6")), "another mark")
        APP.xdotool("key", "alt+F4")
        exited("closing the window")

        start_again("closing the window")
        play(lambda: APP.type(2, 2, "3"), "a 3")
        subprocess.run([APP.options.loader, "wineboot", "--end-session"], env=APP.env, timeout=60, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        APP.process.wait(timeout=30)

        start_again("the end of the session")
        play(lambda: (APP.click(3, 2), APP.xdotool("key", "ctrl+5")), "a third mark")
        kept = os.path.join(APP.game_folder(), "game.enneo-game")
        APP.wait_for(lambda: b"row . +3 .5 " in read(kept), "the mark kept within a second")
        APP.end()

        # A line of 81 cells, as puzzle sites give them, and a file in the program's own form.
        line = "2..9.5..3.54...79..9.2.3.8.6.28.73.4.........9.53.18.6.2.7.9.6..89...24.7..4.2..9"
        APP.launch(fresh=False, resume=True, arguments=[self.write_puzzle(folder, "command-line.txt", line)])
        states.append(APP.wait_for(lambda: (lambda now: now if now[0].startswith("G2hhG9hG5hhG3") else None)(shown()),
                                   "the command line's puzzle on top of the game left before a kill"))
        second = subprocess.Popen([APP.options.loader, APP.options.program,
                                   self.write_puzzle(folder, "handed-over.enn", "7 8 9\r\n-------+-------+------\r\n")],
                                  env=APP.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.assertEqual(0, second.wait(timeout=60), "the second start ends")
        APP.wait_for(lambda: "G7G8G9" in shown()[0], "the puzzle handed over to the first window")
        for i in range(len(states) - 1, -1, -1):
            APP.xdotool("key", "ctrl+z")
            APP.wait_for(lambda: shown() == states[i], "undo back to state %d" % i)

    def test_a_damaged_game_file_and_a_read_only_folder_are_told_once(self):
        """A damaged game file gives the sample and a box that says so, and is set aside; a folder that
        takes no new file gives one box when the game is next kept, and none after it.
        Play goes on throughout."""
        APP.end()
        folder = APP.game_folder()
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        self.addCleanup(shutil.rmtree, folder, True)
        self.addCleanup(APP.end)
        kept = os.path.join(folder, "game.enneo-game")
        with open(kept, "wb") as f:
            f.write(b"Enneo Tessary game 1.0\r\nrow 1 2 3\r\n")
        APP.launch(fresh=False, resume=True, box="Last Game")
        APP.wait_for_cells(lambda c: kinds(c) == SAMPLE_KINDS, "the sample")
        APP.type(1, 1, "8")
        APP.wait_for(lambda: b"row +8 " in read(kept), "the game written in the damaged file's place")
        self.assertEqual(b"Enneo Tessary game 1.0\r\nrow 1 2 3\r\n", read(kept + ".refused-1"), "the damaged file set aside")

        self.addCleanup(os.chmod, folder, 0o755)
        self.addCleanup(subprocess.run, ["chattr", "-i", folder], stderr=subprocess.DEVNULL)
        if subprocess.run(["chattr", "+i", folder], stderr=subprocess.DEVNULL).returncode != 0:
            os.chmod(folder, 0o555)
        try:
            open(os.path.join(folder, "probe"), "x").close()
            os.remove(os.path.join(folder, "probe"))
            self.skipTest("this machine cannot take the right to write from the folder")
        except OSError:
            pass
        APP.type(5, 1, "2")
        APP.answer("Game Not Kept", "the box about the folder")
        APP.type(7, 1, "6")
        time.sleep(2.5)  # past the next write, which fails without a word
        self.assertEqual([], APP.visible("^Game Not Kept$"), "the failure told a second time")
        APP.wait_for_cells(lambda c: kinds(c)[:9] == "SGGGSGSGh", "the digits typed after the failures")


def main():
    global APP
    parser = argparse.ArgumentParser()
    for name in ("--program", "--prefix", "--loader", "--arch", "--make-prefix"):
        parser.add_argument(name, required=True)
    parser.add_argument("--shots")
    options, rest = parser.parse_known_args()
    APP = Program(options)
    try:
        APP.start()
        result = unittest.main(argv=sys.argv[:1] + rest, verbosity=2, exit=False).result
        APP.set_settings({"ResumeGame": "-"})  # the prefix, which scripts/run.sh shares, as a user has it
    finally:
        APP.stop()
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
