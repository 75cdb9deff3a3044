#!/usr/bin/env python3
"""Tests of the re-sign command (scripts/resign-latest.py) on a release folder made here as
release.sh lays one out, with a key pair of its own: it signs the latest statement of the
release made and writes the service's reply itself, and it refuses another version, a
file statement that does not hold and a folder that others can write, follows no link
planted in the folder and never runs PHP.

usage: resign_latest_test.py
"""
import importlib.util
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import unittest.mock

SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
SCRIPTS = os.path.join(SOURCE, "scripts")


def load(name, file_name):
    spec = importlib.util.spec_from_file_location(name, os.path.join(SCRIPTS, file_name))
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


sign_update = load("sign_update", "sign-update.py")
resign_latest = load("resign_latest", "resign-latest.py")

# A win64 release: the statement names the record's architecture, not the shipped one's.
NAME, ARCH, VERSION = "Enneo", "win64", "1.0.3"
PHP = shutil.which("php")


class ResignLatestTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.keys = tempfile.TemporaryDirectory()
        cls.addClassCleanup(cls.keys.cleanup)
        subprocess.run(["bash", os.path.join(SCRIPTS, "make-update-key.sh"), cls.keys.name],
                       check=True, capture_output=True, timeout=60)
        cls.key = os.path.join(cls.keys.name, "update-private.pem")
        cls.public_key = os.path.join(cls.keys.name, "update-public.pem")

    def setUp(self):
        """A release folder as release.sh leaves it, before its latest statement, and a
        stand-in php first on PATH that leaves a mark when anything runs it."""
        scratch = tempfile.TemporaryDirectory()
        self.addCleanup(scratch.cleanup)
        self.scratch = scratch.name
        self.release = os.path.join(self.scratch, "release")
        self.versions = os.path.join(self.release, "service", "versions")
        files = os.path.join(self.release, "service", "files", VERSION)
        for folder in (self.versions, files):
            os.makedirs(folder)
        for root, folders, _ in os.walk(self.release):
            for folder in [root] + [os.path.join(root, f) for f in folders]:
                os.chmod(folder, 0o755)
        shutil.copy(os.path.join(SOURCE, "service", "versions", "index.php"), self.versions)
        release = {"version": VERSION, "downloadUrl": "http://h/files/%s/Enneo.upd" % VERSION,
                   "updaterUrl": "http://h/files/%s/updater.exe" % VERSION}
        for role, file_name, element in (("program", "Enneo.upd", "downloadSignature"),
                                         ("updater", "updater.exe", "updaterSignature")):
            path = os.path.join(files, file_name)
            with open(path, "wb") as f:
                f.write(os.urandom(300) + b"<&'\">" + role.encode())
            release[element] = sign_update.sign(sign_update.statement(path, NAME, role, ARCH, VERSION), self.key)
        self.write("service/versions/releases.json", json.dumps({NAME: release}, indent=2) + "\n")
        self.write("release.txt", "Enneo Tessary release\nname=%s\narchitecture=%s\nversion=%s\n"
                   % (NAME, ARCH, VERSION))
        fake = os.path.join(self.scratch, "bin")
        os.mkdir(fake)
        self.php_mark = os.path.join(self.scratch, "php-ran")
        with open(os.path.join(fake, "php"), "w") as f:
            f.write("#!/bin/sh\ntouch '%s'\n" % self.php_mark)
        os.chmod(os.path.join(fake, "php"), 0o755)
        self.env = dict(os.environ, PATH=fake + os.pathsep + os.environ["PATH"])

    def write(self, relative, text):
        with open(os.path.join(self.release, relative), "w") as f:
            f.write(text)

    def read(self, relative):
        with open(os.path.join(self.release, relative)) as f:
            return f.read()

    def resign(self, *arguments):
        return subprocess.run([sys.executable, os.path.join(SCRIPTS, "resign-latest.py"), self.release, self.key,
                               *arguments], env=self.env, capture_output=True, text=True, timeout=60)

    def refuses(self, reason, *arguments):
        before = self.read("service/versions/releases.json")
        result = self.resign(*arguments)
        self.assertEqual(1, result.returncode, result.stderr)
        self.assertIn("refused", result.stderr)
        self.assertIn(reason, result.stderr)
        self.assertEqual(before, self.read("service/versions/releases.json"))
        self.assertFalse(os.path.exists(os.path.join(self.versions, NAME + ".xml")))

    def test_signs_the_release_made_and_writes_the_reply_without_php(self):
        for arguments in ((), ("--version", VERSION, "--public-key", self.public_key, "--days", "3")):
            with self.subTest(arguments=arguments):
                result = self.resign(*arguments)
                self.assertEqual(0, result.returncode, result.stderr)
                release = json.loads(self.read("service/versions/releases.json"))[NAME]
                self.assertEqual(VERSION, release["latestVersion"])
                days = 3 if arguments else 14
                self.assertAlmostEqual(time.time() + days * 86400, int(release["latestExpires"]), delta=60)
                # Both forms are signed: the one naming the record's architecture, and the
                # older one without it; neither signature holds for the other statement.
                expires = release["latestExpires"]
                statements = {arch: sign_update.latest_statement(NAME, arch, VERSION, expires)
                              for arch in ("win32", "win64", None)}
                for arch, element in ((ARCH, "latestArchitectureSignature"), (None, "latestSignature")):
                    for other, statement in statements.items():
                        self.assertEqual(other == arch, sign_update.verify(statement, release[element],
                                                                           self.public_key), (element, other))
                # The reply the service would give, byte for byte, from the real PHP.
                served = subprocess.run([PHP, os.path.join(self.versions, "index.php"), NAME], check=True,
                                        capture_output=True, text=True).stdout
                self.assertEqual(served, self.read("service/versions/%s.xml" % NAME))
                self.assertFalse(os.path.exists(self.php_mark), "the command ran php")
                self.assertEqual([NAME + ".xml", "index.php", "releases.json"], sorted(os.listdir(self.versions)))

    def test_refuses_any_version_but_the_release_made(self):
        self.refuses("is not the release made", "--version", "999999999")
        self.refuses("is not the release made", "--version", "1.0.4")
        # releases.json that offers another version than the record's.
        releases = json.loads(self.read("service/versions/releases.json"))
        releases[NAME]["version"] = "999999999"
        self.write("service/versions/releases.json", json.dumps(releases))
        self.refuses("but the release made is 1.0.3")
        # A record beyond what a version resource holds.
        self.write("release.txt", self.read("release.txt").replace(VERSION, "1.0.65536"))
        self.refuses("names no release")
        os.remove(os.path.join(self.release, "release.txt"))
        self.refuses("release.txt cannot be read")

    def test_refuses_a_file_statement_that_does_not_hold(self):
        releases = json.loads(self.read("service/versions/releases.json"))
        good = releases[NAME]["downloadSignature"]
        releases[NAME]["downloadSignature"] = releases[NAME]["updaterSignature"]
        self.write("service/versions/releases.json", json.dumps(releases))
        self.refuses("downloadSignature of Enneo does not hold")
        releases[NAME]["downloadSignature"] = good
        self.write("service/versions/releases.json", json.dumps(releases))
        with open(os.path.join(self.release, "service", "files", VERSION, "updater.exe"), "ab") as f:
            f.write(b"x")
        self.refuses("updaterSignature of Enneo does not hold")
        # Another key's public key: the release's statements are not its.
        other = os.path.join(self.scratch, "other")
        subprocess.run(["bash", os.path.join(SCRIPTS, "make-update-key.sh"), other], check=True, capture_output=True)
        self.refuses("does not hold", "--public-key", os.path.join(other, "update-public.pem"))

    def test_refuses_a_folder_others_can_write(self):
        os.chmod(self.versions, 0o775)
        self.refuses("service/versions can be written by others (mode 775)")

    def test_follows_no_link_planted_in_the_folder(self):
        victim = os.path.join(self.scratch, "victim")
        with open(victim, "w") as f:
            f.write("another file\n")
        for name in (NAME + ".xml", "releases.json.new", ".releases.json.new"):
            os.symlink(victim, os.path.join(self.versions, name))
        result = self.resign()
        self.assertEqual(0, result.returncode, result.stderr)
        self.assertEqual("another file\n", open(victim).read())
        self.assertFalse(os.path.islink(os.path.join(self.versions, NAME + ".xml")))
        self.assertIn("<latestVersion>1.0.3</latestVersion>", self.read("service/versions/%s.xml" % NAME))
        # releases.json itself a link: read through it, nothing is signed.
        os.rename(os.path.join(self.versions, "releases.json"), os.path.join(self.scratch, "releases.json"))
        os.symlink(os.path.join(self.scratch, "releases.json"), os.path.join(self.versions, "releases.json"))
        os.remove(os.path.join(self.versions, NAME + ".xml"))
        result = self.resign()
        self.assertEqual(1, result.returncode)
        self.assertIn("releases.json cannot be read", result.stderr)

    def test_a_link_at_the_temporary_name_is_not_followed(self):
        victim = os.path.join(self.scratch, "victim")
        with open(victim, "w") as f:
            f.write("another file\n")
        os.symlink(victim, os.path.join(self.versions, ".Enneo.xml.planted"))
        names = iter(["planted", "fresh"])
        folder = os.open(self.versions, os.O_RDONLY | os.O_DIRECTORY)
        self.addCleanup(os.close, folder)
        with unittest.mock.patch.object(resign_latest.secrets, "token_hex", lambda _: next(names)):
            resign_latest.replace_in(folder, NAME + ".xml", "the reply\n")
        self.assertEqual("another file\n", open(victim).read())
        self.assertEqual("the reply\n", self.read("service/versions/%s.xml" % NAME))
        self.assertFalse(os.path.exists(os.path.join(self.versions, ".Enneo.xml.fresh")))


if __name__ == "__main__":
    unittest.main()
