#!/usr/bin/env python3
"""Tests of the package manifests a release writes (scripts/write-package-manifests.py),
on files made here: winget's three YAML files parse and hold every field that schema 1.10.0
requires, with its type and pattern; the Scoop manifest is JSON with only Scoop's fields;
the hashes, URLs and version are those of the files.

usage: package_manifests_test.py
"""
import hashlib
import json
import os
import re
import subprocess
import sys
import tempfile
import unittest
import zipfile

import yaml

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                      "write-package-manifests.py")
FILES_URL = "http://updates.example:8080/files/1.2.3"
IDENTIFIER = "EnneoProject.EnneoTessary"

# winget schema 1.10.0: the patterns of the fields written.
IDENTIFIER_PATTERN = r'[^\.\s\\/:\*\?"<>\|\x01-\x1f]{1,32}(\.[^\.\s\\/:\*\?"<>\|\x01-\x1f]{1,32}){1,7}'
VERSION_PATTERN = r'[^\\/:\*\?"<>\|\x01-\x1f]+'
LOCALE_PATTERN = r"([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*"
URL_PATTERN = r"([Hh][Tt][Tt][Pp][Ss]?)://.+"
SHA256_PATTERN = r"[A-Fa-f0-9]{64}"
# The fields each file requires, and for each field written: a pattern, a set of values
# or a (shortest, longest) length.
REQUIRED = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName", "License",
                      "ShortDescription", "ManifestType", "ManifestVersion"],
}
FIELDS = {
    "PackageIdentifier": IDENTIFIER_PATTERN, "PackageVersion": VERSION_PATTERN, "DefaultLocale": LOCALE_PATTERN,
    "PackageLocale": LOCALE_PATTERN, "ManifestVersion": r"\d+\.\d+\.\d+", "Publisher": (2, 256),
    "PackageName": (2, 256), "License": (3, 512), "Copyright": (3, 512), "ShortDescription": (3, 256),
    "Description": (3, 10000), "PackageUrl": URL_PATTERN, "Architecture": {"x86", "x64", "arm", "arm64", "neutral"},
    "InstallerType": {"nullsoft"}, "Scope": {"user", "machine"}, "InstallerUrl": URL_PATTERN,
    "InstallerSha256": SHA256_PATTERN, "UpgradeBehavior": {"install", "uninstallPrevious", "deny"},
    "ProductCode": (1, 255), "Silent": (1, 512), "SilentWithProgress": (1, 512),
}
SCOOP_FIELDS = {"version", "description", "homepage", "license", "architecture", "extract_dir", "bin", "shortcuts",
                "notes"}


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


class PackageManifestsTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.setup = self.path("Enneo-Tessary-1.2.3-setup.exe")
        with open(self.setup, "wb") as f:
            f.write(os.urandom(4096))

    def path(self, name):
        return os.path.join(self.folder.name, name)

    def make_zip(self, names):
        path = self.path("Enneo-Tessary-1.2.3-win32.zip")
        with zipfile.ZipFile(path, "w") as archive:
            for name in names:
                archive.writestr(name, os.urandom(100))
        return path

    def run_script(self, zip_path, arch="win32", version="1.2.3"):
        return subprocess.run([sys.executable, SCRIPT, "--version", version, "--arch", arch, "--files-url", FILES_URL,
                               "--installer", self.setup, "--zip", zip_path, "--out", self.path("out"),
                               "--home-url", "http://www.example.org/enneo/"],
                              capture_output=True, text=True, timeout=60)

    def winget(self, suffix):
        with open(self.path("out/winget/%s%s.yaml" % (IDENTIFIER, suffix))) as f:
            return yaml.safe_load(f)

    def scoop(self):
        with open(self.path("out/scoop/enneo-tessary.json")) as f:
            return json.load(f)

    def check_fields(self, mapping, where):
        for name, value in mapping.items():
            rule = FIELDS.get(name)
            if isinstance(rule, str):
                self.assertIsInstance(value, str, "%s %s" % (where, name))
                self.assertRegex(value, "^(?:%s)$" % rule, "%s %s" % (where, name))
            elif isinstance(rule, set):
                self.assertIn(value, rule, "%s %s" % (where, name))
            elif isinstance(rule, tuple):
                self.assertIsInstance(value, str, "%s %s" % (where, name))
                self.assertTrue(rule[0] <= len(value) <= rule[1], "%s %s: %d characters" % (where, name, len(value)))
            elif isinstance(value, dict):
                self.check_fields(value, where + " " + name)

    def check_manifest(self, manifest, kind):
        for name in REQUIRED[kind]:
            self.assertIn(name, manifest, "%s manifest" % kind)
        self.assertEqual(kind, manifest["ManifestType"])
        self.assertEqual("1.10.0", manifest["ManifestVersion"])
        self.assertEqual(IDENTIFIER, manifest["PackageIdentifier"])
        self.assertEqual("1.2.3", manifest["PackageVersion"])
        self.check_fields(manifest, kind)

    def test_winget_manifests_hold_every_required_field_and_the_installers_hash(self):
        result = self.run_script(self.make_zip(["Enneo Tessary/Enneo.exe", "Enneo Tessary/README.txt"]))
        self.assertEqual(0, result.returncode, result.stderr)
        version, installer, locale = self.winget(""), self.winget(".installer"), self.winget(".locale.en-US")
        self.check_manifest(version, "version")
        self.check_manifest(installer, "installer")
        self.check_manifest(locale, "defaultLocale")
        self.assertEqual("en-US", version["DefaultLocale"])
        self.assertEqual("en-US", locale["PackageLocale"])
        self.assertEqual(("Enneo Project", "Enneo Tessary"), (locale["Publisher"], locale["PackageName"]))
        tags = locale["Tags"]
        self.assertTrue(isinstance(tags, list) and 0 < len(tags) <= 16 and len(set(tags)) == len(tags))
        for tag in tags:
            self.assertTrue(isinstance(tag, str) and 1 <= len(tag) <= 40 and not re.search(r"\s", tag), tag)

        self.assertEqual(1, len(installer["Installers"]))
        entry = installer["Installers"][0]
        for name in ("Architecture", "InstallerUrl", "InstallerSha256"):
            self.assertIn(name, entry)
        self.check_fields(entry, "installer entry")
        self.assertEqual("x86", entry["Architecture"])
        self.assertEqual(FILES_URL + "/Enneo-Tessary-1.2.3-setup.exe", entry["InstallerUrl"])
        self.assertEqual(sha256(self.setup), entry["InstallerSha256"].lower())
        self.assertEqual(("nullsoft", "user", "Enneo Tessary"), (entry["InstallerType"], entry["Scope"],
                                                                 entry["ProductCode"]))
        self.assertEqual({"Silent": "/S", "SilentWithProgress": "/S"}, entry["InstallerSwitches"])
        self.assertLessEqual(set(entry["InstallModes"]), {"interactive", "silent", "silentWithProgress"})

    def test_scoop_manifest_names_the_zip_its_folder_and_the_program(self):
        zip_path = self.make_zip(["Enneo Tessary/Enneo.exe", "Enneo Tessary/README.txt"])
        self.assertEqual(0, self.run_script(zip_path).returncode)
        manifest = self.scoop()
        self.assertLessEqual(set(manifest), SCOOP_FIELDS)
        self.assertEqual("1.2.3", manifest["version"])
        self.assertEqual({"32bit": {"url": FILES_URL + "/Enneo-Tessary-1.2.3-win32.zip", "hash": sha256(zip_path)}},
                         manifest["architecture"])
        self.assertEqual("Enneo Tessary", manifest["extract_dir"])
        self.assertEqual("Enneo.exe", manifest["bin"])
        self.assertEqual([["Enneo.exe", "Enneo Tessary"]], manifest["shortcuts"])
        for name in ("description", "homepage", "license", "notes"):
            self.assertIsInstance(manifest[name], str)

    def test_win64_has_its_own_architecture(self):
        self.assertEqual(0, self.run_script(self.make_zip(["Enneo Tessary/Enneo.exe"]), arch="win64").returncode)
        self.assertEqual(["64bit"], list(self.scoop()["architecture"]))
        self.assertEqual("x64", self.winget(".installer")["Installers"][0]["Architecture"])

    def test_refuses_a_zip_without_the_program_in_one_folder_and_a_bad_version(self):
        for names in (["Enneo Tessary/README.txt"], ["Enneo.exe", "README.txt"]):
            result = self.run_script(self.make_zip(names))
            self.assertNotEqual(0, result.returncode)
            self.assertIn("holds no Enneo.exe", result.stderr)
        result = self.run_script(self.make_zip(["Enneo Tessary/Enneo.exe"]), version="1.2")
        self.assertNotEqual(0, result.returncode)
        self.assertIn("is not MAJOR.MINOR.PATCH", result.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
