#!/usr/bin/env python3
"""Tests of the publisher's key: scripts/make-update-key.sh writes a new pair and nothing
else, never through a symbolic link; a build takes a P-256 public key only, above all
no private key (cmake/UpdatePublicKey.cmake, read as a configuration reads it).

usage: update_key_test.py
"""
import os
import stat
import subprocess
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
MAKE_KEY = os.path.join(HERE, "..", "..", "scripts", "make-update-key.sh")


def make_key(folder):
    return subprocess.run(["bash", MAKE_KEY, folder], capture_output=True, text=True, timeout=60)


def openssl(*arguments):
    return subprocess.run(["openssl", *arguments], check=True, capture_output=True).stdout


class UpdateKeyTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)

    def path(self, *names):
        return os.path.join(self.folder.name, *names)

    def test_a_new_pair_is_written_and_never_over_a_key_or_through_a_link(self):
        self.assertEqual(0, make_key(self.path("keys")).returncode)
        private = self.path("keys", "update-private.pem")
        self.assertEqual(0o600, stat.S_IMODE(os.stat(private).st_mode))
        before = open(private).read()
        again = make_key(self.path("keys"))
        self.assertNotEqual(0, again.returncode)
        self.assertIn("exists", again.stderr)
        self.assertEqual(before, open(private).read())

        os.symlink(self.path("elsewhere"), self.path("linked"))
        self.assertIn("symbolic link", make_key(self.path("linked")).stderr)
        os.mkdir(self.path("planted"))
        os.symlink(self.path("leaked.pem"), self.path("planted", "update-private.pem"))
        refused = make_key(self.path("planted"))
        self.assertNotEqual(0, refused.returncode)
        self.assertIn("symbolic link", refused.stderr)
        self.assertFalse(os.path.exists(self.path("leaked.pem")))
        self.assertFalse(os.path.exists(self.path("elsewhere")))

    def read(self, key):
        return subprocess.run(["cmake", "-DKEY=" + key, "-P", os.path.join(HERE, "read_update_key.cmake")],
                              capture_output=True, text=True, timeout=60)

    def test_a_build_takes_a_p256_public_key_and_nothing_else(self):
        make_key(self.path("keys"))
        public, private = self.path("keys", "update-public.pem"), self.path("keys", "update-private.pem")
        result = self.read(public)
        self.assertEqual(0, result.returncode, result.stderr)
        body = "".join(line for line in open(public).read().splitlines() if not line.startswith("-----"))
        self.assertEqual(body, result.stderr.strip())  # message() writes to stderr

        with open(self.path("sec1.pem"), "wb") as f:
            f.write(openssl("ec", "-in", private))
        openssl("genpkey", "-algorithm", "EC", "-pkeyopt", "ec_paramgen_curve:P-384", "-out", self.path("p384.key"))
        with open(self.path("p384.pem"), "wb") as f:
            f.write(openssl("pkey", "-pubout", "-in", self.path("p384.key")))
        with open(self.path("two.pem"), "w") as f:
            f.write(open(public).read() * 2)
        for key, reason in [(private, "PRIVATE key"), (self.path("sec1.pem"), "PRIVATE key"),
                            (self.path("p384.pem"), "is not an ECDSA P-256 public key"),
                            (self.path("two.pem"), "is not an ECDSA P-256 public key"),
                            (self.path("missing.pem"), "does not exist")]:
            with self.subTest(key=os.path.basename(key)):
                result = self.read(key)
                self.assertNotEqual(0, result.returncode)
                self.assertIn(reason, " ".join(result.stderr.split()))


if __name__ == "__main__":
    unittest.main()
