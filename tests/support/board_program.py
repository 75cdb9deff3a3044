"""The board window's program as the black-box tests see it: Enneo.exe under Wine on a
private Xvfb display, driven with xdotool, and the board, its cells and the About window
read back from screenshots. Shared by the board window's tests and the high-DPI tests."""
import os
import pwd
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wine_display import Xvfb, wine_environment  # noqa: E402

SAMPLE = ".973.5.4......6.....298.......6....5.28.....364.7...8......3867.........7.5.....4"
SOLVED = "897315246351426798462987351179638425528149673643752189214593867936874512785261934"
SOLVED_FIRST_ROW = SOLVED[:9]
CAPTION = "Enneo Tessary"
CAPTION_PATTERN = "^%s( - [0-9]+:[0-5][0-9])?$" % CAPTION  # with Show Timer on, the game's time follows
SETTINGS_KEY = r"HKCU\Software\Enneo Project\Enneo Tessary"
SELECTION = (255, 222, 120)  # Mark Selection: the selected cell's background
SAME_DIGIT = (255, 243, 200)  # and that of the other cells holding its digit
MISFIT = (255, 175, 175)  # the digits a Hint or Check found not to fit, whatever Mark Selection says
HINTED = (190, 235, 180)  # the cell of Hint's next step, likewise


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


def contrast(a, b):
    """The contrast ratio of two RGB colours as WCAG 2 defines it, from 1 to 21."""
    def luminance(colour):
        linear = [c / 255 / 12.92 if c / 255 <= 0.03928 else ((c / 255 + 0.055) / 1.055) ** 2.4 for c in colour]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    la, lb = sorted((luminance(a), luminance(b)))
    return (lb + 0.05) / (la + 0.05)


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

    def corner(self, column, row):
        """The screen point at the top-left corner of a cell (column, row from 1), on its lines."""
        return self.left + (column - 1) * self.cell, self.top + (row - 1) * self.cell

    def centre(self, column, row):
        """The screen point at the centre of a cell."""
        x, y = self.corner(column, row)
        return x + self.cell // 2, y + self.cell // 2

    def inner(self, column, row):
        """A cell's area without its lines (the block lines are 5 pixels wide)."""
        x, y = self.corner(column, row)
        return x + 4, y + 4, x + self.cell - 3, y + self.cell - 3


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
    """Enneo.exe under Wine on a private Xvfb display, with its own Wine environment: start
    sets up the prefix and the display once, and each launch starts the program afresh."""

    def __init__(self, options):
        self.options = options
        self.xvfb = None
        self.process = None
        self.window = None
        self.board = None
        self.templates = {}  # digit -> ink of that digit as a cell shows it
        self.last = None
        self.env = wine_environment(options.prefix, options.arch, options.loader)

    def start(self):
        """The prefix with the X11 driver and a virtual desktop (made when not ready), a Wine
        server of the test's own (one left on the prefix is stopped) and the display."""
        subprocess.run(["bash", self.options.make_prefix, self.options.prefix, self.options.arch,
                        self.options.loader, "display"], env=self.env, check=True, timeout=300)
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL, timeout=30)
        self.xvfb = Xvfb()
        self.env["DISPLAY"] = self.xvfb.display

    def launch(self, fresh=True, resume=False, arguments=(), box=None):
        """Starts the program with the arguments and waits for its board; fresh: with Mark
        Selection and Show Timer off, the Light theme and no statistics (their registry
        values deleted first); resume: with Resume Last Game on, as it is without its
        value, else off, so that the board starts with the sample as first designed and no
        game is kept; box: the caption of a box that the start must show over the board,
        answered first."""
        values = {"ResumeGame": "-" if resume else '"0"'}
        if fresh:
            values.update(MarkSelection="-", ShowTimer="-", Theme="-")
        self.set_settings(values, removed=["Statistics"] if fresh else [])
        self.window = None
        self.process = subprocess.Popen([self.options.loader, self.options.program] + list(arguments), env=self.env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 90
        while not self.window:
            found = self.xdotool("search", "--name", CAPTION_PATTERN, check=False).split()
            self.window = found[0] if found else None
            if not self.window and (time.monotonic() > deadline or self.process.poll() is not None):
                raise RuntimeError("the window '%s' did not appear" % CAPTION)
            time.sleep(0.3)
        if box:
            self.answer(box, "the box '%s' at start" % box)
        self.board = self.wait_for(self.find_board, "the board drawn", timeout=20)

    def answer(self, caption, what):
        """Waits for the box with that caption and answers it with Return."""
        self.wait_for(lambda: self.visible("^%s$" % caption), what)
        self.xdotool("key", "Return")
        self.wait_for(lambda: not self.visible("^%s$" % caption), "the box '%s' to go" % caption)

    def learn_digits(self):
        """Waits for the sample, as a fresh start shows it at 96 DPI, and takes the shapes of
        its given digits as the templates of digit(); a 1, which no given shows, is left to
        a test that types one."""
        cells = self.wait_for_cells(lambda c: kinds(c) == SAMPLE_KINDS, "the sample")
        self.templates = {digit: cell.ink for cell, digit in zip(cells, SAMPLE) if digit != "."}
        return cells

    def restart(self):
        """File / Exit, which must end the program with 0, and a new start that keeps the
        settings."""
        self.menu("f", "x")
        code = self.process.wait(timeout=30)
        if code != 0:
            raise AssertionError("File / Exit ended the program with %d" % code)
        self.launch(fresh=False)

    def game_folder(self):
        """The folder that the game in progress is kept in (made by the program)."""
        return os.path.join(self.options.prefix, "drive_c", "users", pwd.getpwuid(os.getuid()).pw_name,
                            "AppData", "Local", "Enneo Tessary")

    def set_settings(self, values, removed=()):
        """Sets the program's registry values ('"text"', or "-" to delete one) and removes
        the sub-keys named in removed, in one import: each Wine program started costs a
        second."""
        lines = ["Windows Registry Editor Version 5.00", ""]
        lines += ["[-HKEY_CURRENT_USER\\%s\\%s]" % (SETTINGS_KEY[5:], key) for key in removed]
        lines += ["[HKEY_CURRENT_USER\\%s]" % SETTINGS_KEY[5:]]
        lines += ['"%s"=%s' % item for item in values.items()]
        path = os.path.join(self.options.prefix, "drive_c", "enneo-test-settings.reg")
        with open(path, "w") as f:
            f.write("\r\n".join(lines) + "\r\n")
        subprocess.run([self.options.loader, "reg", "import", "C:\\enneo-test-settings.reg"], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60, check=True)

    def end(self):
        """Ends the program, whatever it shows, and waits until it has ended and its board
        window is gone; the Wine server and the desktop stay for the next launch."""
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=30)
        if self.xvfb:
            self.wait_for(lambda: not self.xdotool("search", "--name", CAPTION_PATTERN, check=False).split(),
                          "the board window of the ended program to go")

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL, timeout=30)
        self.end()
        if self.xvfb:
            self.xvfb.stop()

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

    def cells(self, image=None):
        """The 81 cells in reading order, from the image or a new screenshot."""
        image = image or self.screenshot()
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

    def caption(self):
        return self.xdotool("getwindowname", self.window).strip()

    def registry(self, key, name):
        """A registry value's text, or None."""
        out = subprocess.run([self.options.loader, "reg", "query", key, "/v", name], env=self.env,
                             capture_output=True, text=True, timeout=60).stdout
        match = re.search(r"%s\s+REG_SZ\s+(.*?)\s*$" % re.escape(name), out, re.M)
        return match.group(1) if match else None

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

    def pencil_marks(self, cells, image=None):
        """For each cell (column, row), the mini-squares (0 to 8 in reading order) that
        hold blue ink, from the image or a new screenshot."""
        image = image or self.screenshot()
        third = self.board.cell // 3
        found = {}
        for column, row in cells:
            left, top = self.board.corner(column, row)
            found[(column, row)] = [k for k in range(9) if count(
                image, is_mark_blue, left + k % 3 * third + 2, top + k // 3 * third + 2,
                left + (k % 3 + 1) * third - 1, top + (k // 3 + 1) * third - 1) >= 2]
        return found


def kinds(cells):
    return "".join({"given": "G", "set": "S", "hints": "h", "empty": "."}[c.kind] for c in cells)


SAMPLE_KINDS = "".join("h" if c == "." else "G" for c in SAMPLE)


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

