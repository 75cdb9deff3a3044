#!/usr/bin/env python3
"""Tests of the installer's texts as languages/compile_catalogue.py writes them for NSIS
(installer.nsh): built into an installer by makensis, each shows exactly the
catalogue's text, whatever NSIS would otherwise read in it ("$", "${NAME}", "$%NAME%",
"$\\n", quotes, tabs, line ends, letters beyond ASCII); with placeholders, and in a
language without a catalogue yet, they build without a warning.

usage: installer_texts_test.py
Exits 77 (a skip) without makensis (Debian's package nsis).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
COMPILE = os.path.join(HERE, "..", "..", "languages", "compile_catalogue.py")

HEADER = 'msgid ""\nmsgstr ""\n"Content-Type: text/plain; charset=UTF-8\\n"\n'
# Entry name: (English, German).
TEXTS = {
    "kSigns": ('costs 5 $ (${VERSION}, $%HOME%, $(kOther), $0, $\\n, $\\"); C:\\Temp\\',
               'kostet 5 $ (${VERSION}, $%HOME%, $(kOther), $0, $\\n, $\\"); C:\\Temp\\'),
    "kLayout": ('say "so"\tthen\nnext line', 'sag "so"\tdann\nnächste Zeile'),
    "kLetters": ("plain", "Grüße — „Rätsel“ · Головоломка"),
    "kPlaceholders": ("{1} is in {2}, ${1}{2}0", "In {2} ist {1}, ${1}{2}0"),
}
SCRIPT = """Unicode true
OutFile "{out}"
SetCompress off
RequestExecutionLevel user
!define VERSION 9.9.9
!include MUI2.nsh
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Russian"
!include "{texts}"
Section
{uses}
SectionEnd
"""


def quoted(text):
    """The text as a catalogue's quoted string."""
    return '"%s"' % text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n").replace("\t", "\\t")


class InstallerTextsTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.folder)

    def catalogue(self, name, header, index):
        path = os.path.join(self.folder, name)
        with open(path, "w", encoding="utf-8") as catalogue:
            catalogue.write(header)
            for key, texts in TEXTS.items():
                catalogue.write('\nmsgctxt "installer/%s"\nmsgid %s\nmsgstr %s\n'
                                % (key, quoted(texts[0]), quoted(texts[index] if index else "")))
        return path

    def test_the_installer_shows_each_text_as_the_catalogue_gives_it(self):
        english = self.catalogue("enneo.pot", HEADER + '"Plural-Forms: nplurals=2; plural=(n != 1);\\n"\n', 0)
        german = self.catalogue("de.po", HEADER + '"Language: de\\n"\n"X-Language-Name: Deutsch\\n"\n'
                                '"Plural-Forms: nplurals=2; plural=(n != 1);\\n"\n', 1)
        out = os.path.join(self.folder, "out")
        os.mkdir(out)
        subprocess.run([sys.executable, COMPILE, out, english, german], check=True, timeout=60)
        script = os.path.join(self.folder, "texts.nsi")
        setup = os.path.join(self.folder, "texts-test.exe")
        with open(script, "w", encoding="utf-8") as nsi:
            nsi.write(SCRIPT.format(out=setup, texts=os.path.join(out, "installer.nsh"),
                                    uses="\n".join('    DetailPrint "$(%s)"' % key for key in TEXTS)))
        # -WX: an unknown variable, a define or a text missing in a language fails.
        built = subprocess.run(["makensis", "-V2", "-WX", script], capture_output=True, text=True, timeout=120,
                               env=dict(os.environ, HOME="/the/build/machine"))
        self.assertEqual(0, built.returncode, built.stdout + built.stderr)
        # Uncompressed, the installer holds its strings as UTF-16; a placeholder is a register.
        with open(setup, "rb") as installer:
            data = installer.read()
        for key in ("kSigns", "kLayout", "kLetters"):
            for text in TEXTS[key]:
                self.assertIn(text.encode("utf-16-le"), data, "%s: %r" % (key, text))
        self.assertNotIn("/the/build/machine".encode("utf-16-le"), data)


if __name__ == "__main__":
    if not shutil.which("makensis"):
        print("installer texts test: skipped, makensis not found (Debian's package nsis)")
        sys.exit(77)
    unittest.main()
