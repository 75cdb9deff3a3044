#!/usr/bin/env python3
"""Tests of the release command's refusals (scripts/release.sh): each bad command line,
and a working tree with changes, ends at once, non-zero, says why and leaves the output
folder alone. A full release is a build of minutes; tests/release makes two.

usage: release_refusal_test.py
"""
import os
import shutil
import subprocess
import tempfile
import unittest

SCRIPTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts")
URL = "http://updates.example:8080/versions/index.php"


class ReleaseRefusalTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.addClassCleanup(cls.folder.cleanup)
        keys = os.path.join(cls.folder.name, "keys")
        subprocess.run(["bash", os.path.join(SCRIPTS, "make-update-key.sh"), keys],
                       check=True, capture_output=True, timeout=60)
        cls.key = os.path.join(keys, "update-private.pem")
        cls.public_key = os.path.join(keys, "update-public.pem")
        cls.p384_key = os.path.join(cls.folder.name, "p384.pem")
        subprocess.run(["openssl", "genpkey", "-algorithm", "EC", "-pkeyopt", "ec_paramgen_curve:P-384",
                        "-out", cls.p384_key], check=True, capture_output=True, timeout=60)
        cls.out = os.path.join(cls.folder.name, "out")
        cls.pfx = os.path.join(cls.folder.name, "code.pfx")
        cls.password = os.path.join(cls.folder.name, "pass.txt")
        with open(cls.password, "w") as f:
            f.write("right\n")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", cls.pfx + ".key",
                        "-out", cls.pfx + ".pem", "-days", "2", "-subj", "/CN=test"], check=True, capture_output=True)
        subprocess.run(["openssl", "pkcs12", "-export", "-in", cls.pfx + ".pem", "-inkey", cls.pfx + ".key",
                        "-out", cls.pfx, "-passout", "file:" + cls.password], check=True, capture_output=True)

    def listing(self):
        return sorted(os.listdir(self.out)) if os.path.exists(self.out) else None

    def refuses(self, arguments, reason, scripts=SCRIPTS):
        before = self.listing()
        result = subprocess.run(["bash", os.path.join(scripts, "release.sh")] + arguments,
                                capture_output=True, text=True, timeout=60)
        self.assertNotEqual(0, result.returncode)
        self.assertIn(reason, result.stderr)
        self.assertNotIn("building", result.stdout)
        self.assertEqual(before, self.listing())

    def arguments(self, **changes):
        options = {"--version": "1.2.3", "--key": self.key, "--update-url": URL, "--out": self.out}
        options.update(changes)
        return [word for option, value in options.items() if value is not None for word in (option, value)]

    def test_refuses_without_a_usable_key(self):
        self.refuses(self.arguments(**{"--key": None}), "no --key")
        self.refuses(self.arguments(**{"--key": self.key + ".missing"}), "does not exist")
        self.refuses(self.arguments(**{"--key": self.public_key}), "not an EC P-256 private key")
        self.refuses(self.arguments(**{"--key": self.p384_key}), "not an EC P-256 private key")

    def test_refuses_a_bad_version(self):
        for version in ["1.2", "1.2.3.4", "01.2.3", "1.2.65536", "1.2.3-rc1", "v1.2.3", "1.2.3\n"]:
            with self.subTest(version=version):
                self.refuses(self.arguments(**{"--version": version}), "is not MAJOR.MINOR.PATCH")
        self.refuses(self.arguments(**{"--version": None}), "no --version")

    def test_refuses_other_missing_or_bad_arguments(self):
        self.refuses(self.arguments(**{"--update-url": None}), "no --update-url")
        self.refuses(self.arguments(**{"--out": None}), "no --out")
        for url in ["ftp://updates.example/versions/index.php", "https://updates.example/a b", URL + "?x=\""]:
            with self.subTest(url=url):
                self.refuses(self.arguments(**{"--update-url": url}), "is not http(s)://HOST[:PORT]/PATH")
        # An https URL passes: the next check, of the key, refuses instead.
        self.refuses(self.arguments(**{"--update-url": "https://updates.example:8443/versions/index.php",
                                       "--key": self.key + ".missing"}), "does not exist")
        self.refuses(self.arguments(**{"--arch": "arm64"}), "neither win32 nor win64")
        self.refuses(self.arguments() + ["--sign"], "unknown argument")

    def test_refuses_authenticode_signing_it_cannot_do(self):
        wrong = os.path.join(self.folder.name, "wrong.txt")
        with open(wrong, "w") as f:
            f.write("wrong\n")
        self.refuses(self.arguments(**{"--authenticode": self.pfx}), "needs --authenticode-pass FILE")
        self.refuses(self.arguments(**{"--authenticode-pass": self.password}), "without --authenticode PFX")
        self.refuses(self.arguments(**{"--authenticode": self.pfx + ".missing", "--authenticode-pass": self.password}),
                     "does not exist")
        self.refuses(self.arguments(**{"--authenticode": self.pfx, "--authenticode-pass": wrong}),
                     "cannot be opened with the password")

    # A release must be made again from its commit alone: a copy of the scripts in a
    # repository of its own, with a file that is not committed.
    def test_refuses_a_working_tree_with_changes(self):
        source = os.path.join(self.folder.name, "source")
        shutil.copytree(SCRIPTS, os.path.join(source, "scripts"))
        git = ["git", "-C", source, "-c", "user.name=test", "-c", "user.email=test@example.org"]
        subprocess.run(git + ["init", "-q"], check=True)
        subprocess.run(git + ["add", "scripts"], check=True)
        subprocess.run(git + ["commit", "-q", "-m", "scripts"], check=True)
        open(os.path.join(source, "notes.txt"), "w").close()
        self.refuses(self.arguments(), "uncommitted changes", os.path.join(source, "scripts"))

    # The output folder receives the release only when nobody else could have planted or
    # could swap a file in it: the caller's own, writable by nobody else, and empty.
    def test_refuses_a_folder_others_have_or_can_write(self):
        os.makedirs(self.out)
        self.addCleanup(shutil.rmtree, self.out)
        os.chmod(self.out, 0o775)
        self.refuses(self.arguments(), "can be written by others")
        os.chmod(self.out, 0o755)
        open(os.path.join(self.out, "old"), "w").close()
        self.refuses(self.arguments(), "is not empty")
        if os.geteuid() == 0:
            os.chown(self.out, 65534, 65534)
            self.refuses(self.arguments(), "belongs to another user")


if __name__ == "__main__":
    unittest.main()
