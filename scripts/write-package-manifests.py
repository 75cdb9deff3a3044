#!/usr/bin/env python3
"""Writes the package manifests of a release, for the Windows Package Manager (winget) and
for Scoop, from the files the release publishes.

usage: write-package-manifests.py --version V --arch win32|win64 --files-url URL
                                  --installer SETUP.exe --zip ZIP --out DIR [--home-url URL]

URL is where the release's files are served (http://HOST[:PORT]/files/V); the installer
and the zip must be served there under their own names. DIR receives
    winget/EnneoProject.EnneoTessary.yaml               the version manifest
    winget/EnneoProject.EnneoTessary.installer.yaml     the installer: nullsoft, per user
    winget/EnneoProject.EnneoTessary.locale.en-US.yaml  the default locale
    scoop/enneo-tessary.json                            the portable zip for Scoop
(winget's multi-file manifest of schema 1.10.0). The hashes are the files' SHA-256; the
zip's one top-level folder, which must hold the program, is Scoop's extract_dir. Python's standard
library only: the release command runs it wherever it runs.
"""
import argparse
import hashlib
import json
import os
import re
import sys
import zipfile

IDENTIFIER = "EnneoProject.EnneoTessary"
MANIFEST_VERSION = "1.10.0"
LOCALE = "en-US"
PUBLISHER = "Enneo Project"
NAME = "Enneo Tessary"  # also the installer's uninstall key, winget's ProductCode
PROGRAM = "Enneo.exe"
LICENSE = "Proprietary"
COPYRIGHT = "Copyright (C) 2026 Enneo Project"
SHORT_DESCRIPTION = "A number-placement puzzle: type digits, see each empty cell's candidates, or let it solve the grid."
DESCRIPTION = ("Enneo Tessary shows one nine-by-nine number-placement puzzle at a time: select a cell and "
               "type a digit, let the program show each empty cell's candidates, make new puzzles of three "
               "levels, or have it solve the grid by human-style deduction.")
TAGS = ["puzzle", "number-puzzle", "logic", "game", "solver"]
SETTINGS_KEY = r"HKCU\Software\Enneo Project\Enneo Tessary"
WINGET_ARCHITECTURE = {"win32": "x86", "win64": "x64"}
SCOOP_ARCHITECTURE = {"win32": "32bit", "win64": "64bit"}


def fail(message):
    print("write-package-manifests: " + message, file=sys.stderr)
    sys.exit(1)


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def yaml(value, indent=""):
    """YAML block text for the manifests' values: mappings (in their order), lists and
    strings, each string double-quoted (a JSON string is a YAML one), so that no version
    or hash is ever read as a number."""
    lines = []
    for key, item in value.items():
        if isinstance(item, dict):
            lines.append("%s%s:" % (indent, key))
            lines += yaml(item, indent + "  ")
        elif isinstance(item, list):
            lines.append("%s%s:" % (indent, key))
            for element in item:
                if isinstance(element, dict):
                    inner = yaml(element, indent + "  ")
                    lines.append(indent + "- " + inner[0][len(indent) + 2:])
                    lines += inner[1:]
                else:
                    lines.append("%s- %s" % (indent, json.dumps(element)))
        else:
            lines.append("%s%s: %s" % (indent, key, json.dumps(item)))
    return lines


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="\n") as f:
        f.write(text)


def write_winget(out, options, installer_url):
    header = "# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.%s.schema.json\n\n"
    common = {"PackageIdentifier": IDENTIFIER, "PackageVersion": options.version}
    version = dict(common, DefaultLocale=LOCALE, ManifestType="version", ManifestVersion=MANIFEST_VERSION)
    installer = dict(common, Installers=[{
        "Architecture": WINGET_ARCHITECTURE[options.arch],
        "InstallerType": "nullsoft",
        "Scope": "user",
        "InstallerUrl": installer_url,
        "InstallerSha256": sha256(options.installer).upper(),
        "InstallModes": ["interactive", "silent", "silentWithProgress"],
        "InstallerSwitches": {"Silent": "/S", "SilentWithProgress": "/S"},
        # A newer installer replaces the program in place and keeps the user's files.
        "UpgradeBehavior": "install",
        "ProductCode": NAME,
    }], ManifestType="installer", ManifestVersion=MANIFEST_VERSION)
    locale = dict(common, PackageLocale=LOCALE, Publisher=PUBLISHER, PackageName=NAME)
    if options.home_url:
        locale["PackageUrl"] = options.home_url
    locale.update(License=LICENSE, Copyright=COPYRIGHT, ShortDescription=SHORT_DESCRIPTION,
                  Description=DESCRIPTION, Tags=TAGS, ManifestType="defaultLocale", ManifestVersion=MANIFEST_VERSION)
    folder = os.path.join(out, "winget")
    for suffix, kind, manifest in (("", "version", version), (".installer", "installer", installer),
                                   (".locale." + LOCALE, "defaultLocale", locale)):
        text = header % (kind, MANIFEST_VERSION) + "\n".join(yaml(manifest)) + "\n"
        write(os.path.join(folder, IDENTIFIER + suffix + ".yaml"), text)


def top_folder(zip_path):
    """The zip's one top-level folder, which holds the program; fails otherwise."""
    with zipfile.ZipFile(zip_path) as archive:
        names = archive.namelist()
    tops = {name.split("/", 1)[0] for name in names}
    if len(tops) != 1 or tops.pop() + "/" + PROGRAM not in names:
        fail("%s holds no %s in one top-level folder" % (zip_path, PROGRAM))
    return names[0].split("/", 1)[0]


def write_scoop(out, options, zip_url):
    manifest = {"version": options.version, "description": SHORT_DESCRIPTION}
    if options.home_url:
        manifest["homepage"] = options.home_url
    manifest.update({
        "license": LICENSE,
        "architecture": {SCOOP_ARCHITECTURE[options.arch]: {"url": zip_url, "hash": sha256(options.zip)}},
    })
    manifest.update({
        "extract_dir": top_folder(options.zip),
        "bin": PROGRAM,
        "shortcuts": [[PROGRAM, NAME]],
        # Nothing to persist between versions: the program keeps nothing in its folder.
        "notes": "%s keeps its settings in the registry under %s and nothing in its own folder; "
                 "keep the puzzles you save elsewhere, since each version Scoop installs has a folder of its own."
                 % (NAME, SETTINGS_KEY),
    })
    write(os.path.join(out, "scoop", "enneo-tessary.json"), json.dumps(manifest, indent=4) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for name in ("--version", "--arch", "--files-url", "--installer", "--zip", "--out"):
        parser.add_argument(name, required=True)
    parser.add_argument("--home-url")
    options = parser.parse_args()
    if not re.fullmatch(r"(0|[1-9][0-9]{0,4})(\.(0|[1-9][0-9]{0,4})){2}", options.version):
        fail("the version \"%s\" is not MAJOR.MINOR.PATCH" % options.version)
    if options.arch not in WINGET_ARCHITECTURE:
        fail("the architecture \"%s\" is neither win32 nor win64" % options.arch)
    if not re.fullmatch(r"https?://[^\s/]+(/[^\s]*)?", options.files_url):
        fail("the files URL \"%s\" is not http(s)://HOST/PATH" % options.files_url)
    for path in (options.installer, options.zip):
        if not os.path.isfile(path):
            fail("%s does not exist" % path)
    files_url = options.files_url.rstrip("/")
    write_winget(options.out, options, files_url + "/" + os.path.basename(options.installer))
    write_scoop(options.out, options, files_url + "/" + os.path.basename(options.zip))


if __name__ == "__main__":
    main()
