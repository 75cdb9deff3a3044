#!/usr/bin/env python3
"""Tests of the catalogue compiler (languages/compile_catalogue.py) on small catalogues
made here: a whole one compiles into its identifiers and tables, and each kind of broken
translation fails the build with the file, the key and the fault named.

usage: compile_catalogue_test.py
"""
import os
import subprocess
import sys
import tempfile
import unittest

COMPILER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "languages", "compile_catalogue.py")

HEADER = '''msgid ""
msgstr ""
"Language: {code}\\n"
"X-Language-Name: {name}\\n"
"Plural-Forms: {plural}\\n"
'''
GERMAN_PLURAL = "nplurals=2; plural=(n != 1);"

ENGLISH = HEADER.format(code="", name="English", plural=GERMAN_PLURAL) + '''
msgctxt "menu.edit/kUndo"
msgid "&Undo"
msgstr ""

msgctxt "menu.edit/kRedo"
msgid "&Redo"
msgstr ""

#. plural by {2}
msgctxt "message/kLeft"
msgid "Row {1}: {2} cell is left."
msgid_plural "Row {1}: {2} cells are left."
msgstr[0] ""
msgstr[1] ""
'''

GERMAN = {
    "kUndo": 'msgctxt "menu.edit/kUndo"\nmsgid "&Undo"\nmsgstr "&Rückgängig"',
    "kRedo": 'msgctxt "menu.edit/kRedo"\nmsgid "&Redo"\nmsgstr "&Wiederholen"',
    "kLeft": ('#. plural by {2}\nmsgctxt "message/kLeft"\nmsgid "Row {1}: {2} cell is left."\n'
              'msgid_plural "Row {1}: {2} cells are left."\nmsgstr[0] "{2} Zelle in Zeile {1} bleibt."\n'
              'msgstr[1] "{2} Zellen in Zeile {1} bleiben."'),
}


def german(plural=GERMAN_PLURAL, **replaced):
    entries = dict(GERMAN, **replaced)
    return HEADER.format(code="de", name="Deutsch", plural=plural) + "\n" + "\n\n".join(
        entry for entry in entries.values() if entry is not None) + "\n"


class CompileCatalogueTest(unittest.TestCase):
    def compile(self, translation):
        folder = tempfile.mkdtemp()
        paths = []
        for name, text in (("enneo.pot", ENGLISH), ("de.po", translation)):
            paths.append(os.path.join(folder, name))
            with open(paths[-1], "w", encoding="utf-8") as file:
                file.write(text)
        result = subprocess.run([sys.executable, COMPILER, folder] + paths, capture_output=True, text=True)
        return result, folder

    def test_a_whole_catalogue_compiles(self):
        result, folder = self.compile(german())
        self.assertEqual(0, result.returncode, result.stderr)
        with open(os.path.join(folder, "TextId.h"), encoding="utf-8") as file:
            ids = file.read()
        self.assertIn("kUndo,\n    kRedo,\n    kLeft,\n    kCount", ids)
        self.assertIn("#define ENNEO_MESSAGE_TEXTS(X) X(kLeft)", ids)
        with open(os.path.join(folder, "Catalogue.cpp"), encoding="utf-8") as file:
            tables = file.read()
        self.assertIn('{{L"{2} Zelle in Zeile {1} bleibt.", L"{2} Zellen in Zeile {1} bleiben."}, 2}', tables)
        self.assertIn('{"de", L"Deutsch", PluralRule::kOneOther', tables)
        self.assertIn('{"qps-ploc", L"Pseudo"', tables)
        self.assertIn("\\u0154\\u00e9\\u0111\\u00f6", tables)  # the pseudo "&Redo": "&Ŕéđö..."

    def test_each_broken_translation_fails_the_build(self):
        cases = {
            "the text menu.edit/kRedo is missing": german(kRedo=None),
            "lacks a translation": german(kUndo='msgctxt "menu.edit/kUndo"\nmsgid "&Undo"\nmsgstr ""'),
            "translates another English text": german(kUndo='msgctxt "menu.edit/kUndo"\nmsgid "Undo"\nmsgstr "&Rück"'),
            "other placeholders than the English": german(kLeft=GERMAN["kLeft"].replace("bleibt.", "bleibt {3}.")),
            "it needs 2 form(s)": german(kLeft=GERMAN["kLeft"].rsplit("\n", 1)[0]),
            "share the access letter 'w'": german(kUndo='msgctxt "menu.edit/kUndo"\nmsgid "&Undo"\nmsgstr "&Widerrufen"'),
            "must have an access letter": german(kRedo='msgctxt "menu.edit/kRedo"\nmsgid "&Redo"\nmsgstr "Wiederholen"'),
            "none of the rules the program knows": german(plural="nplurals=2; plural=(n == 0);"),
            "not a text of the English catalogue": german(kExtra='msgctxt "menu.edit/kExtra"\nmsgid "x"\nmsgstr "y"'),
            "a second msgctxt in one entry": german(kRedo=GERMAN["kRedo"].replace('msgstr "&Wiederholen"', GERMAN["kUndo"])),
            "unknown escape": german(kUndo='msgctxt "menu.edit/kUndo"\nmsgid "&Undo"\nmsgstr "&R\\q"'),
        }
        for fault, translation in cases.items():
            with self.subTest(fault=fault):
                result, _ = self.compile(translation)
                self.assertEqual(1, result.returncode)
                self.assertIn(fault, result.stderr)
                self.assertIn("de.po", result.stderr)


if __name__ == "__main__":
    unittest.main()
