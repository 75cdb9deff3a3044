#!/usr/bin/env python3
"""Checks the catalogues and compiles them into the program's text tables.

compile_catalogue.py OUT_DIR ENGLISH.pot LANGUAGE.po...

The English catalogue names every text by its key ("<group>/<name>"); each language's
catalogue must translate every one of them, with the English it translates, the same
placeholders ("{1}", "{2}", ...), every plural form its language has, and in a menu or a
dialog (groups "menu..." and "dialog...") an access letter ("&") wherever the English has
one, no two texts of one group sharing a letter. Any fault fails the build, named with
its file and line. Writes OUT_DIR/TextId.h (the keys' identifiers) and
OUT_DIR/Catalogue.cpp (English, the languages and a pseudo-language of accented,
40 % longer texts that shows clipped text in any window), and OUT_DIR/installer.nsh
(the installer's texts as NSIS language strings, in each of the installer's languages,
English for one without a catalogue).
"""

import os
import re
import sys

# The plural rules the program knows, by the gettext expression that names them.
PLURAL_RULES = {
    "(n != 1)": ("kOneOther", 2),
    "(n > 1)": ("kZeroOneOther", 2),
    "(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2)": ("kEastSlavic", 3),
}

# The installer's languages (installer/Enneo.nsi loads the same), by NSIS's names.
NSIS_LANGUAGES = {"en": "ENGLISH", "de": "GERMAN", "fr": "FRENCH", "es": "SPANISH", "ru": "RUSSIAN"}

PSEUDO_CODE = "qps-ploc"
PLACEHOLDER = re.compile(r"\{[1-9]\}")
KEY = re.compile(r"^([a-z][A-Za-z0-9.]*)/(k[A-Za-z0-9]+)$")


# The attribute of Entry each keyword fills.
KEYWORD_FIELDS = {"msgctxt": "key", "msgid": "msgid", "msgid_plural": "plural"}


class CatalogueError(Exception):
    pass


class Entry:
    def __init__(self, line):
        self.line = line
        self.key = None
        self.comments = []
        self.msgid = None
        self.plural = None
        self.forms = {}

    @property
    def group(self):
        return self.key.split("/")[0]

    @property
    def name(self):
        return self.key.split("/")[1]

    def english(self):
        return [self.msgid] + ([self.plural] if self.plural is not None else [])


def unquote(text, where):
    if len(text) < 2 or text[0] != '"' or text[-1] != '"':
        raise CatalogueError(f"{where}: a quoted string was expected")
    out, i, body = [], 0, text[1:-1]
    escapes = {"n": "\n", "t": "\t", '"': '"', "\\": "\\"}
    while i < len(body):
        c = body[i]
        if c == "\\":
            if i + 1 >= len(body) or body[i + 1] not in escapes:
                raise CatalogueError(f"{where}: unknown escape in {text}")
            out.append(escapes[body[i + 1]])
            i += 2
            continue
        if c == '"':
            raise CatalogueError(f"{where}: an unescaped quote in {text}")
        out.append(c)
        i += 1
    return "".join(out)


def parse(path):
    """The catalogue's header fields and its entries, in the file's order."""
    entries, current, field = [], None, None
    with open(path, encoding="utf-8") as file:
        lines = file.read().split("\n")
    for number, raw in enumerate(lines, 1):
        where = f"{path}:{number}"
        line = raw.strip()
        if not line:
            current, field = None, None
            continue
        if current is None:
            current = Entry(number)
            entries.append(current)
        if line.startswith("#"):
            if line.startswith("#."):
                current.comments.append(line[2:].strip())
            continue
        if line.startswith('"'):
            if field is None:
                raise CatalogueError(f"{where}: a string continues nothing")
            value = unquote(line, where)
            if field == "msgctxt":
                current.key += value
            elif field == "msgid":
                current.msgid += value
            elif field == "msgid_plural":
                current.plural += value
            else:
                current.forms[field] += value
            continue
        match = re.match(r"^(msgctxt|msgid_plural|msgid|msgstr(?:\[(\d)\])?)\s+(.*)$", line)
        if not match:
            raise CatalogueError(f"{where}: not a catalogue line: {raw}")
        keyword, form, value = match.group(1), match.group(2), unquote(match.group(3), where)
        if keyword in ("msgctxt", "msgid", "msgid_plural") and getattr(current, KEYWORD_FIELDS[keyword]) is not None:
            raise CatalogueError(f"{where}: a second {keyword} in one entry (a blank line must end each entry)")
        if keyword == "msgctxt":
            current.key, field = value, "msgctxt"
        elif keyword == "msgid":
            current.msgid, field = value, "msgid"
        elif keyword == "msgid_plural":
            current.plural, field = value, "msgid_plural"
        else:
            index = int(form) if form is not None else 0
            if index in current.forms:
                raise CatalogueError(f"{where}: a second msgstr[{index}]")
            current.forms[index], field = value, index
    if not entries or entries[0].key is not None or entries[0].msgid != "":
        raise CatalogueError(f"{path}:1: the catalogue does not begin with its header")
    header = {}
    for line in entries[0].forms.get(0, "").split("\n"):
        if ":" in line:
            name, value = line.split(":", 1)
            header[name.strip()] = value.strip()
    for entry in entries[1:]:
        if entry.key is None or entry.msgid is None or not entry.forms:
            raise CatalogueError(f"{path}:{entry.line}: an entry needs msgctxt, msgid and msgstr")
        if not KEY.match(entry.key):
            raise CatalogueError(f"{path}:{entry.line}: the key \"{entry.key}\" is not <group>/k<Name>")
    return header, entries[1:]


def plural_rule(header, path):
    forms = header.get("Plural-Forms", "")
    match = re.match(r"^nplurals=(\d);\s*plural=(.*?);?$", forms)
    rule = PLURAL_RULES.get(re.sub(r"\s+", " ", match.group(2).strip())) if match else None
    if rule is None or int(match.group(1)) != rule[1]:
        raise CatalogueError(f"{path}: Plural-Forms \"{forms}\" is none of the rules the program knows")
    return rule


def plural_place(entry, path):
    """The value that decides an entry's form (1-based), 0 for a text without plural."""
    if entry.plural is None:
        return 0
    for comment in entry.comments:
        match = re.match(r"^plural by \{([1-9])\}$", comment)
        if match:
            return int(match.group(1))
    raise CatalogueError(f"{path}:{entry.line}: {entry.key} has a plural but no \"#. plural by {{N}}\"")


def access_letter(text):
    """The letter after a single '&', None without one; "&&" is a plain '&'."""
    letters = re.findall(r"(?<!&)&([^&])", text.replace("&&", ""))
    if len(letters) > 1:
        return "several"
    return letters[0].casefold() if letters else None


def check_access_letters(entries, texts_of, path):
    seen = {}
    for entry in entries:
        if not (entry.group.startswith("menu") or entry.group.startswith("dialog")):
            continue
        for text in texts_of(entry):
            letter = access_letter(text)
            english = access_letter(entry.msgid)
            if letter == "several":
                raise CatalogueError(f"{path}:{entry.line}: {entry.key} has more than one access letter")
            if (letter is None) != (english is None):
                raise CatalogueError(f"{path}:{entry.line}: {entry.key} must have an access letter where the English has one")
            if letter is None:
                continue
            other = seen.get((entry.group, letter))
            if other is not None and other != entry.key:
                raise CatalogueError(f"{path}:{entry.line}: {entry.key} and {other} share the access letter '{letter}'")
            seen[(entry.group, letter)] = entry.key


def check_english(entries, path):
    keys, names = set(), set()
    for entry in entries:
        if entry.key in keys or entry.name in names:
            raise CatalogueError(f"{path}:{entry.line}: the key {entry.key} (or its name) is there twice")
        keys.add(entry.key)
        names.add(entry.name)
        plural_place(entry, path)
        if entry.plural is not None and set(PLACEHOLDER.findall(entry.msgid)) != set(PLACEHOLDER.findall(entry.plural)):
            raise CatalogueError(f"{path}:{entry.line}: {entry.key}'s two English forms have different placeholders")
    check_access_letters(entries, lambda entry: entry.english(), path)


def check_language(english, entries, forms_count, path):
    """The language's texts by key, in the forms its rule has."""
    by_key = {}
    for entry in entries:
        if entry.key in by_key:
            raise CatalogueError(f"{path}:{entry.line}: {entry.key} is there twice")
        by_key[entry.key] = entry
    known = {entry.key for entry in english}
    for key in by_key:
        if key not in known:
            raise CatalogueError(f"{path}:{by_key[key].line}: {key} is not a text of the English catalogue")
    for source in english:
        entry = by_key.get(source.key)
        if entry is None:
            raise CatalogueError(f"{path}: the text {source.key} is missing")
        where = f"{path}:{entry.line}: {source.key}"
        if entry.msgid != source.msgid or entry.plural != source.plural:
            raise CatalogueError(f"{where} translates another English text than the English catalogue's")
        wanted = forms_count if source.plural is not None else 1
        if sorted(entry.forms) != list(range(wanted)) or any(not entry.forms[i] for i in range(wanted)):
            raise CatalogueError(f"{where} lacks a translation (it needs {wanted} form(s))")
        placeholders = set(PLACEHOLDER.findall(source.msgid))
        for text in entry.forms.values():
            if set(PLACEHOLDER.findall(text)) != placeholders:
                raise CatalogueError(f"{where} has other placeholders than the English ({sorted(placeholders)})")
    check_access_letters(english, lambda source: list(by_key[source.key].forms.values()), path)
    return {key: [entry.forms[i] for i in sorted(entry.forms)] for key, entry in by_key.items()}


PSEUDO_LETTERS = str.maketrans(
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ",
    "åƀçđéƒĝĥîĵķļɱñöþǫŕšţûṽŵẋýžÅƁÇĐÉƑĜĤÎĴĶĻṀÑÖÞǪŔŠŢÛṼŴẊÝŽ")


def pseudo(text):
    """Accented and 40 % longer, its placeholders and escapes kept."""
    parts = re.split(r"(\{[1-9]\}|\n|\t)", text)
    accented = "".join(part if PLACEHOLDER.fullmatch(part) or part in ("\n", "\t") else part.translate(PSEUDO_LETTERS)
                       for part in parts)
    if not text.strip():
        return text
    return accented + "·" * max(1, (len(text) * 2 + 4) // 5)


def c_string(text):
    out = []
    for c in text:
        if c == "\\":
            out.append("\\\\")
        elif c == '"':
            out.append('\\"')
        elif c == "\n":
            out.append("\\n")
        elif c == "\t":
            out.append("\\t")
        elif ord(c) < 0x20 or 0x7F <= ord(c) < 0xA0 or ord(c) > 0xFFFF:
            raise CatalogueError(f"the character U+{ord(c):04X} of \"{text}\" is not one the program shows")
        elif ord(c) > 0x7E:
            out.append(f"\\u{ord(c):04x}")
        else:
            out.append(c)
    return 'L"' + "".join(out) + '"'


def write_if_changed(path, text):
    if os.path.exists(path):
        with open(path, encoding="utf-8") as file:
            if file.read() == text:
                return
    with open(path, "w", encoding="utf-8") as file:
        file.write(text)


# What makensis reads in a quoted string before it sees "$$" as a plain "$": "$\" begins
# an escape ("$\n", "$\""), "${NAME}" a define and "$%NAME%" the build machine's
# environment. Such a character right after a "$" is written as the character that
# names it, "${U+XX}".
NSIS_AFTER_DOLLAR = {"\\": "${U+5C}", "{": "${U+7B}", "%": "${U+25}"}
NSIS_ESCAPES = {'"': '$\\"', "\n": "$\\n", "\t": "$\\t", "$": "$$"}


def nsis_string(text):
    """The text as a quoted NSIS string that shows it unchanged, its placeholders "{1}" to
    "{9}" the registers $1 to $9 (which the script sets before it uses the text)."""
    out = []
    for part in re.split(f"({PLACEHOLDER.pattern})", text):
        if PLACEHOLDER.fullmatch(part):
            out.append("$" + part[1])
            continue
        for i, c in enumerate(part):
            after_dollar = i > 0 and part[i - 1] == "$"
            out.append(NSIS_AFTER_DOLLAR[c] if after_dollar and c in NSIS_AFTER_DOLLAR else NSIS_ESCAPES.get(c, c))
    return '"' + "".join(out) + '"'


def main(argv):
    if len(argv) < 2:
        raise CatalogueError("usage: compile_catalogue.py OUT_DIR ENGLISH.pot LANGUAGE.po...")
    out_dir, english_path, language_paths = argv[0], argv[1], argv[2:]
    english_header, english = parse(english_path)
    check_english(english, english_path)
    languages = [("en", english_header.get("X-Language-Name", "English"), "kOneOther",
                  {entry.key: entry.english() for entry in english})]
    for path in language_paths:
        header, entries = parse(path)
        code, name = header.get("Language", ""), header.get("X-Language-Name", "")
        if not re.fullmatch(r"[a-z]{2,3}", code) or not name or code in [language[0] for language in languages]:
            raise CatalogueError(f"{path}: the header needs a new \"Language\" code and its \"X-Language-Name\"")
        rule, forms_count = plural_rule(header, path)
        languages.append((code, name, rule, check_language(english, entries, forms_count, path)))
    languages.append((PSEUDO_CODE, "Pseudo", "kOneOther",
                      {entry.key: [pseudo(text) for text in entry.english()] for entry in english}))

    ids = ",\n".join(f"    {entry.name}" for entry in english)
    messages = " ".join(f"X({entry.name})" for entry in english if entry.group == "message")
    write_if_changed(os.path.join(out_dir, "TextId.h"), f"""// Made by languages/compile_catalogue.py from the English catalogue: do not edit.
#pragma once

// Every text of the program, by the name of its key in the catalogues.
enum class TextId : unsigned short {{
{ids},
    kCount
}};

// The texts of the group "message", in the catalogue's order.
#define ENNEO_MESSAGE_TEXTS(X) {messages}
""")

    tables, rows = [], []
    for index, (code, name, rule, texts) in enumerate(languages):
        lines = []
        for entry in english:
            forms = texts[entry.key]
            lines.append("    {{{{{}}}, {}}},".format(", ".join(c_string(form) for form in forms),
                                                  plural_place(entry, english_path)))
        tables.append(f"const CatalogueText kTexts{index}[] = {{\n" + "\n".join(lines) + "\n};")
        rows.append(f'    {{"{code}", {c_string(name)}, PluralRule::{rule}, kTexts{index}}},')
    write_if_changed(os.path.join(out_dir, "Catalogue.cpp"), """// Made by languages/compile_catalogue.py from the catalogues: do not edit.
#include "languages/Catalogue.h"

namespace {

""" + "\n\n".join(tables) + """

}  // namespace

// English first, the pseudo-language last.
const CatalogueLanguage kCatalogueLanguages[] = {
""" + "\n".join(rows) + """
};

const int kCatalogueLanguageCount = sizeof(kCatalogueLanguages) / sizeof(kCatalogueLanguages[0]);
""")

    # The first line tells makensis the file's character set. Every language the installer
    # speaks gets every text (NSIS would show an empty one): English until its catalogue
    # is there.
    nsis = ["# -*- coding: utf-8 -*-", "; Made by languages/compile_catalogue.py from the catalogues: do not edit."]
    texts_of = {code: texts for code, name, rule, texts in languages}
    for code, nsis_name in NSIS_LANGUAGES.items():
        texts = texts_of.get(code, texts_of["en"])
        for entry in english:
            if entry.group == "installer":
                nsis.append(f"LangString {entry.name} ${{LANG_{nsis_name}}} {nsis_string(texts[entry.key][0])}")
    write_if_changed(os.path.join(out_dir, "installer.nsh"), "\n".join(nsis) + "\n")


if __name__ == "__main__":
    try:
        main(sys.argv[1:])
    except (CatalogueError, OSError) as error:
        print(f"compile_catalogue.py: {error}", file=sys.stderr)
        sys.exit(1)
