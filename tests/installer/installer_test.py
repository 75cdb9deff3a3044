#!/usr/bin/env python3
"""The installer end to end under Wine: installer/Enneo.nsi is built with makensis around
the tree's Enneo.exe, then installed silently into a chosen folder, where its file types
open a puzzle file through ShellExecute, upgraded in place, uninstalled beside a puzzle
file, the files an update recorded, others of their names that it did not make, and
another program's claim on ".enn", and installed again
into the default folder under a German Windows, which names the file types in German,
and uninstalled, in a fresh Wine prefix of its own.

usage: installer_test.py --script ENNEO_NSI --texts INSTALLER_NSH --makensis MAKENSIS
                         --program ENNEO_EXE --version V --arch win32|win64
                         --loader WINE_LOADER --make-prefix WINE_PREFIX_SCRIPT --work FOLDER

INSTALLER_NSH is the installer's texts (languages/generated/installer.nsh of the tree).

FOLDER is made afresh (the installer, the prefix and Wine's output go there) and removed
after a pass; after a failure it stays for a look. Exits 77 (a skip) without makensis.
"""
import argparse
import os
import re
import shutil
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from wine_display import wine_environment  # noqa: E402

PRODUCT = "Enneo Tessary"
UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Enneo Tessary"
CHOSEN_FOLDER = r"C:\Puzzle Games\Enneo Tessary"  # with a blank, as most folders have
PUZZLE_FILE = "My puzzle.txt"
CLASSES = r"Software\Classes"
TYPES = {".enn": "EnneoTessary.Puzzle", ".enneo-game": "EnneoTessary.Game"}  # extension: its file type
TYPE_NAMES = {"EnneoTessary.Puzzle": "kInstallerPuzzleType", "EnneoTessary.Game": "kInstallerGameType"}
GERMAN_WINDOWS = "de_DE.UTF-8"  # the locale that gives Wine's programs German as their display language
# Not the sample the program starts with: opening it must change the board.
PUZZLE = "2..1.5..3.54...71..1.2.3.8.6.28.73.4.........1.53.98.6.2.7.1.6..81...24.7..4.2..1"
WAIT_SECONDS = 60  # for the installer and for every Wine process to end


class Failure(Exception):
    pass


def step(what):
    print("installer test: " + what, flush=True)


def check(condition, message):
    if not condition:
        raise Failure(message)


class Prefix:
    """A Wine prefix and the programs run in it. Wine's output goes to a log file, not to
    pipes: the Wine server inherits them and would keep a reader waiting."""

    def __init__(self, path, arch, loader, log):
        self.path = path
        self.log = log
        # No .desktop files for the shortcut in the real user's menu.
        self.env = wine_environment(path, arch, loader, switched_off=("winemenubuilder.exe",))
        self.loader = loader
        users = [u for u in os.listdir(os.path.join(path, "drive_c", "users")) if u != "Public"]
        check(len(users) == 1, "expected one user folder in the prefix, found %s" % users)
        profile = "C:\\users\\" + users[0]
        self.default_folder = profile + "\\AppData\\Local\\Programs\\" + PRODUCT
        self.kept_game = self.unix(profile + "\\AppData\\Local\\" + PRODUCT + "\\game.enneo-game")
        self.shortcut = self.unix(profile + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\"
                                  + PRODUCT + ".lnk")

    def unix(self, windows_path):
        check(windows_path[:3].upper() == "C:\\", "not a path on C: %s" % windows_path)
        return os.path.join(self.path, "drive_c", *windows_path[3:].split("\\"))

    def run(self, program, *arguments, locale=None):
        """Runs program (under the Unix locale given, which sets Windows' display
        language), then waits until every Wine process has ended (an uninstaller returns
        at once and goes on as a copy of itself in the temporary folder), so the registry
        is on disk afterwards."""
        env = dict(self.env, LANG=locale, LC_ALL=locale) if locale else self.env
        with open(self.log, "a") as log:
            log.write("--- %s %s\n" % (program, " ".join(arguments)))
            log.flush()
            try:
                subprocess.run([self.loader, program, *arguments], env=env, stdin=subprocess.DEVNULL,
                               stdout=log, stderr=log, timeout=WAIT_SECONDS)
                subprocess.run(["wineserver", "-w"], env=self.env, timeout=WAIT_SECONDS)
            except subprocess.TimeoutExpired:
                raise Failure("%s %s did not end within %d s" % (program, " ".join(arguments), WAIT_SECONDS))

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)

    def user_key(self, key):
        """The values of key under HKEY_CURRENT_USER as user.reg holds them (strings and
        DWORDs; backslash escapes undone, "\\xHHHH" the character HHHH, as Wine writes
        any beyond ASCII), or None when the key is missing."""
        with open(os.path.join(self.path, "user.reg"), encoding="utf-8", errors="replace") as registry:
            text = registry.read()
        header = "\n[" + key.replace("\\", "\\\\") + "]"
        start = text.find(header)
        if start < 0:
            return None
        values = {}
        for line in text[start + len(header):].split("\n")[1:]:
            if line.startswith("["):
                break
            match = re.match(r'(@|"(?:[^"\\]|\\.)*")=(.*)$', line)  # @ names the default value
            if not match:
                continue
            raw, value = match.group(1), match.group(2)
            name = "" if raw == "@" else re.sub(r"\\(.)", r"\1", raw[1:-1])
            if value.startswith('"'):
                values[name] = re.sub(r"\\(x[0-9a-fA-F]{1,4}|.)",
                                      lambda m: chr(int(m.group(1)[1:], 16)) if len(m.group(1)) > 1 else m.group(1),
                                      value[1:-1])
            elif value.startswith("dword:"):
                values[name] = int(value[6:], 16)
        return values


def shortcut_target_and_folder(path):
    """The target and the working folder of a Windows shortcut (.lnk): the local base
    path of its link information and its working-folder string."""
    data = open(path, "rb").read()
    flags = struct.unpack_from("<I", data, 0x14)[0]
    check(flags & 0x2 and flags & 0x10 and flags & 0x80,
          "shortcut %s lacks a local target or a working folder (flags %#x)" % (path, flags))
    offset = 0x4C
    if flags & 0x1:  # an item ID list before the link information
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    base_path_offset = struct.unpack_from("<I", data, offset + 16)[0]
    target = data[offset + base_path_offset:].split(b"\0", 1)[0].decode("latin-1")
    offset += struct.unpack_from("<I", data, offset)[0]
    folder = None
    for flag in (0x4, 0x8, 0x10):  # name, relative path, working folder: counted UTF-16
        if flags & flag:
            count = struct.unpack_from("<H", data, offset)[0]
            # Wine counts the terminating null too; Windows does not.
            folder = data[offset + 2:offset + 2 + 2 * count].decode("utf-16-le").rstrip("\0")
            offset += 2 + 2 * count
    return target, folder


def check_installed(prefix, folder, program, version):
    unix_folder = prefix.unix(folder)
    installed = os.path.join(unix_folder, "Enneo.exe")
    check(os.path.isfile(installed), "%s was not installed" % installed)
    check(open(installed, "rb").read() == program, "the installed Enneo.exe differs from the tree's")
    check(os.path.isfile(os.path.join(unix_folder, "Uninstall.exe")), "no Uninstall.exe in %s" % unix_folder)

    check(os.path.isfile(prefix.shortcut), "no shortcut %s" % prefix.shortcut)
    target, working_folder = shortcut_target_and_folder(prefix.shortcut)
    check(target.lower() == (folder + r"\Enneo.exe").lower(), "the shortcut starts %r" % target)
    check(working_folder.lower() == folder.lower(), "the shortcut works in %r" % working_folder)

    values = prefix.user_key(UNINSTALL_KEY)
    check(values is not None, "no uninstall key HKCU\\" + UNINSTALL_KEY)
    uninstaller = folder + r"\Uninstall.exe"
    expected = {
        "DisplayName": PRODUCT, "DisplayVersion": version, "Publisher": "Enneo Project",
        "DisplayIcon": folder + r"\Enneo.exe", "InstallLocation": folder,
        "UninstallString": '"%s"' % uninstaller, "QuietUninstallString": '"%s" /S' % uninstaller,
        "NoModify": 1, "NoRepair": 1,
    }
    for name, value in expected.items():
        check(values.get(name) == value, "uninstall value %s is %r, not %r" % (name, values.get(name), value))
    size = values.get("EstimatedSize")
    check(isinstance(size, int) and len(program) // 1024 <= size < len(program) // 1024 + 1024,
          "EstimatedSize %r KB does not fit a %d-byte program" % (size, len(program)))


def installer_texts(path, language):
    """The installer's texts in language (NSIS's name: "ENGLISH", "GERMAN", ...) as
    installer.nsh writes them, by name; a text without NSIS escapes reads as it shows."""
    texts = {}
    with open(path, encoding="utf-8") as nsh:
        for line in nsh:
            match = re.match(r'LangString (\w+) \$\{LANG_(\w+)\} "(.*)"$', line.rstrip("\n"))
            if match and match.group(2) == language:
                texts[match.group(1)] = match.group(3)
    return texts


def check_types(prefix, folder, texts):
    """The program's file types for the current user, with its icon and open command,
    named in the installer's language (texts); ".txt" is not taken over."""
    for extension, file_type in TYPES.items():
        check((prefix.user_key(CLASSES + "\\" + extension) or {}).get("") == file_type,
              "%s is not registered as %s" % (extension, file_type))
        check(file_type in (prefix.user_key(CLASSES + "\\" + extension + r"\OpenWithProgids") or {}),
              "%s does not list %s to open with" % (extension, file_type))
        command = (prefix.user_key(CLASSES + "\\" + file_type + r"\shell\open\command") or {}).get("")
        check(command == '"%s\\Enneo.exe" "%%1"' % folder, "%s opens with %r" % (file_type, command))
        icon = (prefix.user_key(CLASSES + "\\" + file_type + r"\DefaultIcon") or {}).get("")
        check(icon == folder + r"\Enneo.exe,0", "%s shows the icon %r" % (file_type, icon))
        name, expected = (prefix.user_key(CLASSES + "\\" + file_type) or {}).get(""), texts[TYPE_NAMES[file_type]]
        check(name == expected, "%s is named %r, not %r" % (file_type, name, expected))
    check(prefix.user_key(CLASSES + r"\.txt") is None, "the install registered .txt")


def open_through_the_shell(prefix, folder):
    """A puzzle file opened by ShellExecute (as a double-click does) starts the program
    with it, which keeps the opened puzzle as its game within a second. Windows shows the
    user's file types in HKEY_CLASSES_ROOT, where ShellExecute looks; Wine 8 does not, so
    the test copies them there first and removes the copies after."""
    machine_keys = [r"HKLM\%s\%s" % (CLASSES, key) for key in [*TYPES, *TYPES.values()]]
    for key in [*TYPES, *TYPES.values()]:
        prefix.run("reg", "copy", r"HKCU\%s\%s" % (CLASSES, key), r"HKLM\%s\%s" % (CLASSES, key), "/s", "/f")
    puzzle = folder + r"\Shared puzzle.enn"
    with open(prefix.unix(puzzle), "w") as f:
        f.write(PUZZLE + "\r\n")
    with open(prefix.log, "a") as log:
        subprocess.run([prefix.loader, "start", puzzle], env=prefix.env, stdin=subprocess.DEVNULL, stdout=log,
                       stderr=log, timeout=WAIT_SECONDS)
    first_row = ("row " + " ".join(PUZZLE[:9])).encode()

    def kept():
        try:
            with open(prefix.kept_game, "rb") as game:
                return game.read()
        except FileNotFoundError:  # not yet written, or moved aside by a write
            return b""
    deadline = time.monotonic() + WAIT_SECONDS
    while first_row not in kept():
        check(time.monotonic() < deadline, "the program did not open %s within %d s" % (puzzle, WAIT_SECONDS))
        time.sleep(0.5)
    prefix.stop()
    os.remove(prefix.unix(puzzle))
    for key in machine_keys:
        prefix.run("reg", "delete", key, "/f")


def check_uninstalled(prefix, folder, kept):
    """Nothing of the install is left: the folder holds exactly the files of kept
    (names to contents), or is gone when kept is empty."""
    unix_folder = prefix.unix(folder)
    if kept:
        left = sorted(os.listdir(unix_folder)) if os.path.isdir(unix_folder) else []
        check(left == sorted(kept), "after uninstalling, %s holds %s, not %s" % (folder, left, sorted(kept)))
        for name, content in kept.items():
            check(open(os.path.join(unix_folder, name), "rb").read() == content, "uninstalling changed " + name)
    else:
        check(not os.path.exists(unix_folder), "uninstalling left the folder %s" % folder)
    check(not os.path.exists(prefix.shortcut), "uninstalling left the shortcut")
    check(prefix.user_key(UNINSTALL_KEY) is None, "uninstalling left the uninstall key")
    for file_type in TYPES.values():
        check(prefix.user_key(CLASSES + "\\" + file_type) is None, "uninstalling left the file type " + file_type)
    check(prefix.user_key(CLASSES + r"\.enneo-game") is None, "uninstalling left .enneo-game")


def run(args, work):
    setup = os.path.join(work, "Enneo-Tessary-%s-setup.exe" % args.version)
    # -WX: a warning (a text missing in one of the installer's languages) fails the build.
    built = subprocess.run([args.makensis, "-V2", "-WX", "-DVERSION=" + args.version, "-DPROGRAM=" + args.program,
                            "-DOUTFILE=" + setup, "-DARCH=" + args.arch, "-DTEXTS=" + args.texts, args.script],
                           stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=120)
    check(built.returncode == 0, "makensis failed:\n" + built.stdout)

    prefix_path = os.path.join(work, "prefix")
    subprocess.run(["bash", args.make_prefix, prefix_path, args.arch, args.loader], check=True, timeout=300)
    prefix = Prefix(prefix_path, args.arch, args.loader, os.path.join(work, "wine.log"))
    program = open(args.program, "rb").read()
    english = installer_texts(args.texts, "ENGLISH")
    try:
        step("installing into " + CHOSEN_FOLDER)
        # NSIS takes /D= only unquoted, as the last argument; Wine quotes an argument that
        # holds a blank when it makes the command line, but joins separate words with one.
        prefix.run(setup, "/S", *("/D=" + CHOSEN_FOLDER).split(" "))
        check_installed(prefix, CHOSEN_FOLDER, program, args.version)
        check_types(prefix, CHOSEN_FOLDER, english)
        step("opening a puzzle file through its file type")
        open_through_the_shell(prefix, CHOSEN_FOLDER)

        step("upgrading in place")
        # An upgrade without /D goes to the same folder and overwrites the program.
        with open(os.path.join(prefix.unix(CHOSEN_FOLDER), "Enneo.exe"), "wb") as older:
            older.write(b"an older Enneo.exe")
        prefix.run(setup, "/S")
        check_installed(prefix, CHOSEN_FOLDER, program, args.version)
        check(not os.path.exists(prefix.unix(prefix.default_folder)), "the upgrade installed into the default folder")

        step("uninstalling beside a puzzle file, an update's recorded files and others of their names")
        # The update made "Enneo.upd" and its signature copy; the "updater.exe" and the
        # "Enneo.exe.old" it made have given way to another program's and the user's own,
        # one of another size, one another file of the same size.
        kept = {PUZZLE_FILE: b"4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......\r\n",
                "updater.exe": b"another program's updater", "Enneo.exe.old": b"the user's own copy"}
        recorded = {name: b"made by an update: " + name.encode() for name in ("Enneo.upd", "Enneo.upd.sig")}
        record = "Enneo Tessary update record\n"
        for name, content in [*kept.items(), *recorded.items()]:
            path = os.path.join(prefix.unix(CHOSEN_FOLDER), name)
            with open(path, "wb") as f:
                f.write(content)
            # Wine gives a file's inode as its index on the volume.
            size, index = len(content), os.stat(path).st_ino
            if name in recorded:
                record += "%d %d %s\n" % (size, index, name)
            elif name == "updater.exe":
                record += "%d %d %s\n" % (size + 1, index, name)
            elif name == "Enneo.exe.old":
                record += "%d %d %s\n" % (size, index + 1, name)
        with open(os.path.join(prefix.unix(CHOSEN_FOLDER), "Enneo.update"), "w") as f:
            f.write(record)
        # Another program has taken ".enn" over since: its claim stays.
        prefix.run("reg", "add", r"HKCU\%s\.enn" % CLASSES, "/ve", "/d", "Other.Puzzle", "/f")
        prefix.run(CHOSEN_FOLDER + r"\Uninstall.exe", "/S")
        check_uninstalled(prefix, CHOSEN_FOLDER, kept)
        check(prefix.user_key(CLASSES + r"\.enn") == {"": "Other.Puzzle"},
              "uninstalling changed another program's .enn: %s" % prefix.user_key(CLASSES + r"\.enn"))
        prefix.run("reg", "delete", r"HKCU\%s\.enn" % CLASSES, "/f")

        step("installing into the default folder under a German Windows and uninstalling")
        # With the key gone, the next install takes the default folder, and an uninstall
        # of a folder holding only what was installed removes the folder too. Both speak
        # Windows' display language: the file types get their German names.
        prefix.run(setup, "/S", locale=GERMAN_WINDOWS)
        check_installed(prefix, prefix.default_folder, program, args.version)
        check_types(prefix, prefix.default_folder, installer_texts(args.texts, "GERMAN"))
        prefix.run(prefix.default_folder + r"\Uninstall.exe", "/S", locale=GERMAN_WINDOWS)
        check_uninstalled(prefix, prefix.default_folder, {})
        check(prefix.user_key(CLASSES + r"\.enn") is None, "uninstalling left .enn")
    finally:
        prefix.stop()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    for option in ("script", "texts", "makensis", "program", "version", "loader", "make-prefix", "work"):
        parser.add_argument("--" + option, required=True)
    parser.add_argument("--arch", required=True, choices=["win32", "win64"])
    args = parser.parse_args()
    if not shutil.which(args.makensis):
        print("installer test: skipped, makensis not found (Debian's package nsis)")
        return 77

    work = os.path.abspath(args.work)
    if os.path.isdir(os.path.join(work, "prefix")):  # a server left by an interrupted run
        subprocess.run(["wineserver", "-k"], env=dict(os.environ, WINEPREFIX=os.path.join(work, "prefix")),
                       stderr=subprocess.DEVNULL)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    try:
        run(args, work)
    except (Failure, subprocess.SubprocessError) as failure:
        log = os.path.join(work, "wine.log")
        tail = open(log, errors="replace").read()[-2000:] if os.path.exists(log) else ""
        print("installer test: FAILED: %s\n(the work folder %s stays; Wine's output ends:)\n%s" % (failure, work, tail))
        return 1
    shutil.rmtree(work)
    print("installer test: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
