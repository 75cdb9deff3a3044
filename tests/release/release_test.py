#!/usr/bin/env python3
"""The program's whole life under Wine: two releases made by the release command, the
installer, the update from the reference service, the refusals, the uninstaller.

usage: release_test.py --source DIR --arch win32|win64 --loader WINE_LOADER
                       --answer-box ANSWER_BOX_EXE --hold-file HOLD_FILE_EXE --work DIR

With a key pair made here, releases 1.0.2 and 1.0.3 are made (scripts/release.sh), both
pointed at the reference service under PHP's built-in server on a free local port, which
also serves the setup and the zip that the package manifests name, with their hashes;
1.0.2 is also Authenticode-signed with a self-signed certificate made here. Their
folders hold what they should: the zip's one folder, checksums whose signature holds
with the release's public key, and (1.0.2 only) Authenticode signatures that
osslsigncode accepts. In a fresh Wine prefix with a virtual desktop on a private Xvfb
display, 1.0.2 is installed silently (its uninstaller signed too); then, in order: a
tampered new version on the service is refused (1.0.2 stays and runs); an expired
latest statement offers nothing, until the publisher's re-sign command extends it; the
genuine update, started from the Help menu while a game is being played, replaces the
program with 1.0.3's bytes, starts it, which goes on with that game, and shows 1.0.3 in
the uninstall entry; the next start leaves no update files; an offer of the older
release installs nothing; the older setup refuses to replace the newer program unless
told to; the updater killed in the middle of an update leaves a program that starts;
the silent uninstall leaves no folder, shortcut or uninstall key but the user's puzzle
file. Every wait is bounded; a failure says what was awaited.
"""
import argparse
import glob
import hashlib
import json
import os
import re
import shutil
import socket
import subprocess
import sys
import time
import types
import unittest
import urllib.request
import zipfile

import yaml

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from board_program import Program  # noqa: E402
from wine_display import Xvfb, wine_environment  # noqa: E402

OPTIONS = None
LIFE = None  # the releases, the service, the prefix and the display, made once
OFFER = "Enneo update"
ERROR = "Error while installing update."
BOARD = "Enneo Tessary"
OK, YES, NO = 1, 6, 7  # the buttons' identifiers
LEFTOVERS = ("updater.exe", "Enneo.upd", "Enneo.upd.sig", "Enneo.exe.old", "Enneo.update")
SIGNED_RELEASE = "1.0.2"  # made with --authenticode


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_until(probe, what, timeout):
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("%s: not within %d s" % (what, timeout))
        time.sleep(0.3)


def read(path):
    with open(path, "rb") as f:
        return f.read()


class Life:
    def __init__(self, options):
        self.options = options
        self.work = os.path.abspath(options.work)
        shutil.rmtree(self.work, ignore_errors=True)
        os.makedirs(self.work)
        self.source = os.path.abspath(options.source)
        self.port = free_port()
        self.env = wine_environment(os.path.join(self.work, "prefix"), options.arch, options.loader)
        self.php = self.xvfb = None
        self.started = []  # the programs started, until they are ended

    def make(self):
        self.keys = keys = os.path.join(self.work, "keys")
        subprocess.run(["bash", self.script("make-update-key.sh"), keys], check=True, stdout=subprocess.DEVNULL)
        # The code-signing certificate: self-signed, in a PFX whose password is in a file.
        self.certificate = os.path.join(keys, "authenticode.pem")
        pfx, password = os.path.join(keys, "authenticode.pfx"), os.path.join(keys, "authenticode-pass.txt")
        with open(password, "w") as f:
            f.write("a test password\n")
        key = os.path.join(keys, "authenticode-key.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key,
                        "-out", self.certificate, "-days", "2", "-subj", "/CN=Enneo Tessary test publisher",
                        "-addext", "extendedKeyUsage=codeSigning", "-addext", "keyUsage=digitalSignature"],
                       check=True, capture_output=True)
        subprocess.run(["openssl", "pkcs12", "-export", "-in", self.certificate, "-inkey", key, "-out", pfx,
                        "-passout", "file:" + password], check=True, capture_output=True)
        self.releases = {}
        for version in ("1.0.2", "1.0.3"):
            out = os.path.join(self.work, "release-" + version)
            print("release_test: making release %s" % version, flush=True)
            signing = ["--authenticode", pfx, "--authenticode-pass", password] if version == SIGNED_RELEASE else []
            # The test runs in working trees too; a release from a clean one is the same.
            subprocess.run(["bash", self.script("release.sh"), "--version", version,
                            "--key", os.path.join(keys, "update-private.pem"),
                            "--update-url", "http://127.0.0.1:%d/versions/index.php" % self.port,
                            "--out", out, "--arch", self.options.arch, "--allow-dirty"] + signing,
                           check=True, stdout=subprocess.DEVNULL, timeout=1200)
            self.releases[version] = out
        # The service's document root, whose release data the cases switch.
        self.docroot = os.path.join(self.work, "service")
        self.offer("1.0.3")
        self.php = subprocess.Popen(["php", "-S", "127.0.0.1:%d" % self.port, "-t", self.docroot],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: self.service_answers(), "the PHP service listening", 20)
        subprocess.run(["bash", self.script("wine-prefix.sh"), self.env["WINEPREFIX"], self.options.arch,
                        self.options.loader, "display"], env=self.env, check=True, timeout=300,
                       stdout=subprocess.DEVNULL)
        self.xvfb = Xvfb()
        self.env["DISPLAY"] = self.xvfb.display

    def stop(self):
        self.end_all()
        if self.php and self.php.poll() is None:
            self.php.terminate()
            self.php.wait(timeout=10)
        if self.xvfb:
            self.xvfb.stop()

    def script(self, name):
        return os.path.join(self.source, "scripts", name)

    def service_answers(self):
        try:
            with socket.create_connection(("127.0.0.1", self.port), timeout=1):
                return True
        except OSError:
            return False

    def offer(self, version):
        """Makes the service offer that release, as its release command wrote it."""
        shutil.rmtree(self.docroot, ignore_errors=True)
        shutil.copytree(os.path.join(self.releases[version], "service"), self.docroot)

    def release_program(self, version):
        """The program file of a release, as its service hands it out."""
        return read(os.path.join(self.releases[version], "service", "files", version, "Enneo.upd"))

    def authenticode_verifies(self, path):
        """Whether osslsigncode accepts the file's Authenticode signature, made with the
        test's certificate."""
        return subprocess.run(["osslsigncode", "verify", "-CAfile", self.certificate, "-in", path],
                              capture_output=True).returncode == 0

    def latest(self):
        """The latest statement's texts of the release the service offers."""
        with open(os.path.join(self.docroot, "versions", "releases.json")) as f:
            return json.load(f)["Enneo"]

    def latest_verifies(self, element, *form):
        """Whether the offered release's signature element holds for its latest statement
        in form (--arch A, or --old-form) with the release's public key."""
        latest = self.latest()
        return subprocess.run(
            [sys.executable, self.script("sign-update.py"), "--verify", latest[element],
             os.path.join(self.keys, "update-public.pem"), "--name", "Enneo", *form, "--version",
             latest["latestVersion"], "--expires", latest["latestExpires"]], capture_output=True).returncode == 0

    def expire_latest(self):
        """Signs the offered release's latest statement (the form naming the
        architecture) anew, expired a minute ago."""
        path = os.path.join(self.docroot, "versions", "releases.json")
        with open(path) as f:
            releases = json.load(f)
        release = releases["Enneo"]
        release["latestExpires"] = str(int(time.time()) - 60)
        release["latestArchitectureSignature"] = subprocess.run(
            [sys.executable, self.script("sign-update.py"), os.path.join(self.keys, "update-private.pem"),
             "--name", "Enneo", "--arch", self.options.arch, "--version", release["version"],
             "--expires", release["latestExpires"]],
            check=True, capture_output=True, text=True).stdout.strip()
        with open(path, "w") as f:
            json.dump(releases, f)

    def served(self, version):
        return os.path.join(self.docroot, "files", version, "Enneo.upd")

    # The prefix's folders.
    def folder(self):
        found = glob.glob(os.path.join(self.env["WINEPREFIX"], "drive_c", "users", "*", "AppData", "Local",
                                       "Programs", "Enneo Tessary"))
        return found[0] if found else None

    def shortcut(self):
        return glob.glob(os.path.join(self.env["WINEPREFIX"], "drive_c", "users", "*", "AppData", "Roaming",
                                      "Microsoft", "Windows", "Start Menu", "Programs", "*Enneo Tessary*.lnk"))

    def program(self):
        return os.path.join(self.folder(), "Enneo.exe")

    def uninstall_key(self):
        code, text = self.output("reg", "query", r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Enneo Tessary")
        return text if code == 0 else ""

    # Running things.
    def run(self, *command, timeout=120):
        subprocess.run([self.options.loader] + list(command), env=self.env, check=True, timeout=timeout,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def install(self, version, *switches):
        """Runs the release's setup silently; its exit code."""
        setup = os.path.join(self.releases[version], "Enneo-Tessary-%s-setup.exe" % version)
        return subprocess.run([self.options.loader, setup, "/S", *switches], env=self.env, timeout=120,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode

    def start_program(self):
        self.started.append(subprocess.Popen([self.options.loader, self.program()], env=self.env, cwd=self.folder(),
                                             stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                             stderr=subprocess.DEVNULL))

    def hold(self, path):
        """Keeps the file open in a Windows program of the prefix until end_all. Its
        output goes through a file, as in output()."""
        said = os.path.join(self.work, "held.txt")
        with open(said, "w") as out:
            holder = subprocess.Popen([self.options.loader, self.options.hold_file, "Z:" + path.replace("/", "\\")],
                                      env=self.env, stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL)
        self.started.append(holder)
        wait_until(lambda: holder.poll() is not None or "held" in read(said).decode(), "%s held open" % path, 60)
        if holder.poll() is not None:
            raise AssertionError("%s could not be held open" % path)

    def end_all(self):
        """Ends every Windows program of the prefix, the way a log-off would."""
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL, timeout=30)
        subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL, timeout=30)
        for process in self.started:
            process.wait(timeout=30)
        self.started = []

    def windows(self, caption):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % caption],
                                env=self.env, capture_output=True, text=True, timeout=20)
        return result.stdout.split()

    def wait_for_window(self, caption, timeout=60):
        return wait_until(lambda: self.windows(caption), "the window '%s'" % caption, timeout)[0]

    def board(self):
        """The installed program's board window, as the board window's tests read it."""
        options = types.SimpleNamespace(prefix=self.env["WINEPREFIX"], arch=self.options.arch,
                                        loader=self.options.loader, program=self.program(), shots=None)
        board = Program(options)
        board.env = self.env
        board.window = self.wait_for_window(BOARD)
        board.board = board.wait_for(board.find_board, "the board drawn", timeout=20)
        return board

    def answer(self, caption, button, timeout=60):
        """Presses a button (IDOK 1, IDYES 6) of the box with that caption once it shows;
        gives the box's text."""
        code, text = self.output(self.options.answer_box, caption, str(button), str(timeout), timeout=timeout + 30)
        if code != 0:
            why = "not within %d s" % timeout if code == 1 else "answer_box ended with %d" % code
            raise AssertionError("the box '%s': %s" % (caption, why))
        return text.strip()

    def output(self, *command, timeout=60):
        """Runs a Windows program to its end: its exit code and what it printed. The
        output goes through a file, not a pipe: Wine's services, started by whichever
        Wine process comes first, keep that process's output open."""
        path = os.path.join(self.work, "output.txt")
        with open(path, "w") as out:
            code = subprocess.run([self.options.loader] + list(command), env=self.env, stdout=out,
                                  stderr=subprocess.DEVNULL, timeout=timeout).returncode
        with open(path, errors="replace") as f:
            return code, f.read()


class ReleaseLifeTest(unittest.TestCase):
    def test_0_each_release_folder_holds_what_it_publishes(self):
        for version, out in sorted(LIFE.releases.items()):
            with self.subTest(version=version):
                with zipfile.ZipFile(os.path.join(out, "Enneo-Tessary-%s-%s.zip" % (version, OPTIONS.arch))) as z:
                    self.assertEqual(["Enneo Tessary/", "Enneo Tessary/Enneo.exe", "Enneo Tessary/README.txt"],
                                     z.namelist())
                    self.assertEqual(LIFE.release_program(version), z.read("Enneo Tessary/Enneo.exe"))
                subprocess.run(["sha256sum", "--quiet", "-c", "SHA256SUMS"], cwd=out, check=True)
                subprocess.run(["openssl", "dgst", "-sha256", "-verify", os.path.join(out, "update-public.pem"),
                                "-signature", "SHA256SUMS.sig", "SHA256SUMS"], cwd=out, check=True,
                               stdout=subprocess.DEVNULL)
                signed = [os.path.join(out, "Enneo-Tessary-%s-setup.exe" % version),
                          os.path.join(out, "service", "files", version, "Enneo.upd"),
                          os.path.join(out, "service", "files", version, "updater.exe")]
                for path in signed:
                    self.assertEqual(version == SIGNED_RELEASE, LIFE.authenticode_verifies(path), path)

    def test_0_the_package_manifests_name_the_setup_and_zip_the_service_serves(self):
        release = LIFE.releases["1.0.3"]
        with open(os.path.join(release, "winget", "EnneoProject.EnneoTessary.installer.yaml")) as f:
            installer = yaml.safe_load(f)["Installers"][0]
        with open(os.path.join(release, "scoop", "enneo-tessary.json")) as f:
            scoop = json.load(f)
        self.assertEqual("Enneo Tessary", scoop["extract_dir"])  # the zip's one folder
        portable = next(iter(scoop["architecture"].values()))
        for url, digest in ((installer["InstallerUrl"], installer["InstallerSha256"]),
                            (portable["url"], portable["hash"])):
            with urllib.request.urlopen(url, timeout=30) as response:
                self.assertEqual(digest.lower(), hashlib.sha256(response.read()).hexdigest(), url)

    def test_1_the_installer_puts_1_0_2_in_place(self):
        self.assertEqual(0, LIFE.install("1.0.2"))
        self.assertIsNotNone(LIFE.folder(), "no install folder under LOCALAPPDATA\\Programs")
        self.assertEqual(LIFE.release_program("1.0.2"), read(LIFE.program()))
        self.assertFalse(os.path.exists(os.path.join(LIFE.folder(), "updater.exe")), "the installer ships no updater")
        self.assertTrue(LIFE.shortcut(), "no Start-menu shortcut")
        self.assertTrue(LIFE.authenticode_verifies(os.path.join(LIFE.folder(), "Uninstall.exe")),
                        "the uninstaller is not signed")
        key = LIFE.uninstall_key()
        for value in ("DisplayVersion", "1.0.2", "Enneo Project", "QuietUninstallString", "NoModify"):
            self.assertIn(value, key)

    def test_2_a_tampered_new_version_is_refused_and_1_0_2_runs_on(self):
        with open(LIFE.served("1.0.3"), "r+b") as f:
            f.seek(-1, os.SEEK_END)
            last = f.read(1)
            f.seek(-1, os.SEEK_END)
            f.write(bytes([last[0] ^ 1]))
        LIFE.start_program()
        LIFE.answer(OFFER, YES)
        self.assertIn("is not signed by the publisher", LIFE.answer(ERROR, OK))
        LIFE.wait_for_window(BOARD)
        self.assertEqual(LIFE.release_program("1.0.2"), read(LIFE.program()))
        for leftover in LEFTOVERS:
            self.assertFalse(os.path.exists(os.path.join(LIFE.folder(), leftover)), leftover)
        LIFE.end_all()
        LIFE.offer("1.0.3")

    def test_3_yes_installs_1_0_3_and_starts_it_with_the_game_being_played(self):
        # The offer comes before the board, or not at all: an expired latest statement
        # offers nothing, until the publisher's re-sign command extends it.
        LIFE.expire_latest()
        LIFE.start_program()
        LIFE.wait_for_window(BOARD)
        self.assertEqual([], LIFE.windows(OFFER))
        LIFE.end_all()
        # The publisher re-signs their own copy of the release and serves it anew.
        subprocess.run([sys.executable, LIFE.script("resign-latest.py"), LIFE.releases["1.0.3"],
                        os.path.join(LIFE.keys, "update-private.pem"), "--days", "2"], check=True,
                       stdout=subprocess.DEVNULL)
        LIFE.offer("1.0.3")
        self.assertGreater(int(LIFE.latest()["latestExpires"]), time.time() + 86400)
        # Both forms signed anew: the one naming the architecture, and the older one.
        self.assertTrue(LIFE.latest_verifies("latestArchitectureSignature", "--arch", OPTIONS.arch))
        self.assertTrue(LIFE.latest_verifies("latestSignature", "--old-form"))
        new = read(LIFE.served("1.0.3"))
        LIFE.start_program()
        LIFE.answer(OFFER, NO)
        board = LIFE.board()
        board.type(1, 1, "8")
        board.menu("h", "k")  # Help / Check for Updates
        LIFE.answer(OFFER, YES)
        wait_until(lambda: os.path.exists(LIFE.program()) and read(LIFE.program()) == new,
                   "the installed program replaced by 1.0.3", 60)
        LIFE.board().wait_for_cells(lambda cells: cells[0].kind == "set", "the 8 of the game being played")
        shown = re.search(r"DisplayVersion\s+REG_SZ\s+(\S+)", LIFE.uninstall_key())
        self.assertEqual("1.0.3", shown and shown.group(1), "the uninstall entry after the update")
        LIFE.end_all()
        LIFE.start_program()
        LIFE.wait_for_window(BOARD)
        for leftover in LEFTOVERS:
            self.assertFalse(os.path.exists(os.path.join(LIFE.folder(), leftover)), leftover)
        LIFE.end_all()

    def test_4_an_older_release_is_not_offered(self):
        LIFE.offer("1.0.2")
        LIFE.start_program()
        LIFE.wait_for_window(BOARD)
        time.sleep(2)
        self.assertEqual([], LIFE.windows(OFFER))
        self.assertEqual(LIFE.release_program("1.0.3"), read(LIFE.program()))
        LIFE.end_all()
        LIFE.offer("1.0.3")

    def test_5_an_updater_killed_in_the_middle_leaves_a_program_that_starts(self):
        # The older setup does not take the updated program back, unless told to.
        self.assertNotEqual(0, LIFE.install("1.0.2"))
        self.assertEqual(LIFE.release_program("1.0.3"), read(LIFE.program()))
        self.assertEqual(0, LIFE.install("1.0.2", "/ALLOWDOWNGRADE"))
        # Held open, the program file keeps the updater waiting for it with the
        # verified update beside it, a state that lasts until the kill.
        LIFE.hold(LIFE.program())
        LIFE.start_program()
        LIFE.answer(OFFER, YES)
        wait_until(lambda: os.path.exists(os.path.join(LIFE.folder(), "Enneo.upd.sig")) and not LIFE.windows(BOARD),
                   "the verified update handed to the updater, the program ended", 60)
        LIFE.end_all()
        LIFE.start_program()
        board_or_offer = wait_until(lambda: LIFE.windows(BOARD) or LIFE.windows(OFFER),
                                    "a program that starts after the kill", 60)
        self.assertTrue(board_or_offer)
        LIFE.end_all()

    def test_6_the_silent_uninstall_leaves_only_the_users_files(self):
        folder = LIFE.folder()
        with open(os.path.join(folder, "my-puzzle.enn"), "w") as f:
            f.write("kept\n")
        # What an update left and recorded (its record's form: UpdateFiles.h; Wine gives a
        # file's inode as its index on the volume).
        record = "Enneo Tessary update record\n"
        for leftover in LEFTOVERS[:-1]:
            path = os.path.join(folder, leftover)
            with open(path, "w") as f:
                f.write("left by an update\n")
            record += "%d %d %s\n" % (os.path.getsize(path), os.stat(path).st_ino, leftover)
        with open(os.path.join(folder, LEFTOVERS[-1]), "w") as f:
            f.write(record)
        LIFE.run(os.path.join(folder, "Uninstall.exe"), "/S")
        # The uninstaller runs from a copy of itself and removes its key last.
        wait_until(lambda: LIFE.uninstall_key() == "", "the uninstall key removed", 60)
        self.assertEqual(["my-puzzle.enn"], sorted(os.listdir(folder)))
        self.assertEqual([], LIFE.shortcut())


def main():
    global OPTIONS, LIFE
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for name in ("--source", "--arch", "--loader", "--answer-box", "--hold-file", "--work"):
        parser.add_argument(name, required=True)
    OPTIONS, rest = parser.parse_known_args()
    LIFE = Life(OPTIONS)
    try:
        LIFE.make()
        result = unittest.main(module=__name__, argv=[sys.argv[0]] + rest, exit=False, failfast=True).result
    finally:
        LIFE.stop()
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
