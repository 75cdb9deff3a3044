#!/usr/bin/env python3
"""Signs the latest statement of a release anew, so that it expires later: the publisher
runs it on their own copy of the release before the statement expires (every week, say),
then copies the two files it rewrites to the web server.

usage: resign-latest.py RELEASE_DIR PRIVATE.pem [--version V] [--public-key PUBLIC.pem]
                        [--days N]

RELEASE_DIR is the folder scripts/release.sh wrote, kept where the publisher alone can
write (never the folder a web server serves, which whoever can write the web root could
change). Its record release.txt, which the release command writes,

    Enneo Tessary release
    name=NAME
    architecture=win32|win64
    version=V

names the release it holds; --version V, when given, must be that V. Before anything is
signed, the release's own statements (service/versions/releases.json's
"updaterSignature" and "downloadSignature", for service/files/V/updater.exe and
Enneo.upd) must hold with the public key (PUBLIC.pem, or the one of PRIVATE.pem), and
releases.json must offer V for NAME and nothing else. Then the latest statement (NAME,
the record's architecture, V and an expiry N days from now, 14 unless given, 1 to 365;
see scripts/sign-update.py) is signed into "latestVersion", "latestExpires" and
"latestArchitectureSignature" of releases.json, and the same statement in the older form
without the architecture into "latestSignature", which programs installed before the
statement named it still verify; versions/NAME.xml, the reply the service gives for
NAME (the same bytes as versions/index.php's), is written from it here, without PHP. Each file is made under a
new name in its folder (never through a link planted there) and then replaces the old
one in one step. Prints the new expiry; a refusal says why and exits 1.
"""
import argparse
import importlib.util
import json
import os
import re
import secrets
import stat
import subprocess
import sys
import tempfile
import time
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
spec = importlib.util.spec_from_file_location("sign_update", os.path.join(HERE, "sign-update.py"))
sign_update = importlib.util.module_from_spec(spec)
spec.loader.exec_module(sign_update)

RECORD = "release.txt"
RECORD_HEADER = "Enneo Tessary release"
RECORD_FIELDS = ("name", "architecture", "version")
# A version resource's word each, as release.sh allows them.
VERSION = re.compile(r"(0|[1-9][0-9]{0,4})\.(0|[1-9][0-9]{0,4})\.(0|[1-9][0-9]{0,4})")
# The reply's elements after the empty "message", in service/versions/index.php's order.
ELEMENTS = ("version", "downloadUrl", "updaterUrl", "updaterSignature", "downloadSignature",
            "latestVersion", "latestExpires", "latestSignature", "latestArchitectureSignature")
LARGEST_DATA = 1 << 20  # releases.json and the record are a few hundred bytes


class Refusal(Exception):
    pass


def record_text(name, arch, version):
    """The record's exact text, as release.sh writes it."""
    return "%s\nname=%s\narchitecture=%s\nversion=%s\n" % (RECORD_HEADER, name, arch, version)


def is_release_version(version):
    match = VERSION.fullmatch(version)
    return bool(match) and all(int(number) <= 65535 for number in match.groups())


def own_folder(path, parent=None, shown=None):
    """An open descriptor of the folder at path, which must be a folder of the caller's
    that nobody else can write. Given the open folder parent, path is the name of one in
    it, never reached through a link, and shown the path a refusal names; without, it is
    the folder the caller names."""
    shown = shown or path
    try:
        flags = os.O_RDONLY | os.O_DIRECTORY | (os.O_NOFOLLOW if parent is not None else 0)
        fd = os.open(path, flags, dir_fd=parent)
    except OSError as error:
        raise Refusal("%s is not a folder (%s)" % (shown, error.strerror))
    info = os.fstat(fd)
    why = None
    if info.st_uid != os.getuid():
        why = "belongs to another user"
    elif info.st_mode & 0o022:
        why = "can be written by others (mode %o)" % stat.S_IMODE(info.st_mode)
    if why:
        os.close(fd)
        raise Refusal("%s %s: re-sign your own copy of the release, not one that others can change" % (shown, why))
    return fd


def read_in(folder, name):
    """The text of the regular file name in the open folder, never through a link."""
    try:
        fd = os.open(name, os.O_RDONLY | os.O_NOFOLLOW, dir_fd=folder)
    except OSError as error:
        raise Refusal("%s cannot be read (%s)" % (name, error.strerror))
    with os.fdopen(fd, "rb") as f:
        if not stat.S_ISREG(os.fstat(fd).st_mode):
            raise Refusal("%s is not a file" % name)
        data = f.read(LARGEST_DATA + 1)
    if len(data) > LARGEST_DATA:
        raise Refusal("%s is larger than a release's" % name)
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        raise Refusal("%s is not UTF-8 text" % name)


def replace_in(folder, name, text):
    """Makes name in the open folder hold text, in one step: a new file of a fresh name,
    created exclusively and never through a link, then renamed over name (which replaces
    a link there rather than following it)."""
    while True:
        temporary = ".%s.%s" % (name, secrets.token_hex(8))
        try:
            fd = os.open(temporary, os.O_WRONLY | os.O_CREAT | os.O_EXCL | os.O_NOFOLLOW, 0o644, dir_fd=folder)
            break
        except FileExistsError:
            continue
    try:
        with os.fdopen(fd, "w", encoding="utf-8") as f:
            f.write(text)
            f.flush()
            os.fsync(f.fileno())
        os.replace(temporary, name, src_dir_fd=folder, dst_dir_fd=folder)
    except BaseException:
        os.unlink(temporary, dir_fd=folder)
        raise


def read_record(folder):
    """The record's name, architecture and version; refuses a record that is not one."""
    lines = read_in(folder, RECORD).split("\n")
    fields = dict(line.split("=", 1) for line in lines[1:-1] if "=" in line)
    values = tuple(fields.get(field, "") for field in RECORD_FIELDS)
    if lines[0] != RECORD_HEADER or record_text(*values) != "\n".join(lines):
        raise Refusal("%s is not a release record (release.sh writes one)" % RECORD)
    name, arch, version = values
    if not sign_update.VALUE.fullmatch(name) or arch not in ("win32", "win64") or not is_release_version(version):
        raise Refusal("%s names no release of this program: %s %s %s" % (RECORD, name, arch, version))
    return values


def reply(release):
    """The service's reply for the release, byte for byte as versions/index.php answers
    it (its htmlspecialchars with ENT_XML1 | ENT_QUOTES)."""
    body = "<message/>"
    for element in ELEMENTS:
        value = escape(release[element], {'"': "&quot;", "'": "&apos;"})
        body += "<%s>%s</%s>" % (element, value, element)
    return "<?xml version='1.0' encoding='UTF-8'?>\n<update>%s</update>\n" % body


def public_key_of(key, folder):
    """A file under folder holding the public key of the private key."""
    path = os.path.join(folder, "public.pem")
    made = subprocess.run(["openssl", "pkey", "-in", key, "-passin", "pass:", "-pubout", "-out", path],
                          capture_output=True, text=True)
    if made.returncode != 0:
        raise Refusal("%s is not a private key without a passphrase: %s" % (key, made.stderr.strip()))
    return path


def verifies(text, signature, public_key):
    try:
        return sign_update.verify(text, signature, public_key)
    except ValueError:  # not base64
        return False


def check_release(root, release, name, arch, version, public_key):
    """Refuses unless the release offers version and its files' statements hold."""
    if release.get("version") != version:
        raise Refusal("releases.json offers %s %r, but the release made is %s"
                      % (name, release.get("version"), version))
    files = os.path.join(root, "service", "files", version)
    for role, file_name, element in (("updater", "updater.exe", "updaterSignature"),
                                     ("program", "Enneo.upd", "downloadSignature")):
        path = os.path.join(files, file_name)
        signature = release.get(element)
        if not os.path.isfile(path) or os.path.islink(path):
            raise Refusal("%s is missing" % path)
        if not isinstance(signature, str) or not verifies(
                sign_update.statement(path, name, role, arch, version), signature, public_key):
            raise Refusal("the %s of %s does not hold for %s with the public key" % (element, name, path))
    for element in ELEMENTS[:5]:
        if not isinstance(release.get(element), str):
            raise Refusal("releases.json gives %s no text \"%s\"" % (name, element))


def resign(options):
    root = options.release
    folders = [own_folder(root)]
    try:
        name, arch, version = read_record(folders[0])
        if options.version is not None and options.version != version:
            raise Refusal("--version %s is not the release made, %s (%s)"
                          % (options.version, version, os.path.join(root, RECORD)))
        # Every folder the signing reads from or writes to, each opened in the one before.
        for parent, relative in ((0, "service"), (1, "service/versions"), (1, "service/files"),
                                 (3, "service/files/" + version)):
            folders.append(own_folder(os.path.basename(relative), folders[parent], os.path.join(root, relative)))
        versions = folders[2]
        try:
            releases = json.loads(read_in(versions, "releases.json"))
        except ValueError as error:
            raise Refusal("releases.json is not JSON: %s" % error)
        if not isinstance(releases, dict) or list(releases) != [name] or not isinstance(releases[name], dict):
            raise Refusal("releases.json must offer %s alone" % name)
        release = releases[name]
        with tempfile.TemporaryDirectory() as scratch:
            public_key = options.public_key or public_key_of(options.key, scratch)
            check_release(root, release, name, arch, version, public_key)
            expires = int(time.time()) + options.days * 86400
            # The statement naming the architecture, and the older form without it.
            signatures = {}
            for element, statement_arch in (("latestArchitectureSignature", arch), ("latestSignature", None)):
                text = sign_update.latest_statement(name, statement_arch, version, expires)
                try:
                    signatures[element] = sign_update.sign(text, options.key)
                except subprocess.CalledProcessError as error:
                    raise Refusal("openssl cannot sign with %s: %s"
                                  % (options.key, error.stderr.decode(errors="replace")))
                # The new statement must hold before it is served.
                if not verifies(text, signatures[element], public_key):
                    raise Refusal("the public key does not belong to %s" % options.key)
        release.update(latestVersion=version, latestExpires=str(expires), **signatures)
        replace_in(versions, "releases.json", json.dumps(releases, indent=2) + "\n")
        replace_in(versions, name + ".xml", reply(release))
    finally:
        for fd in folders:
            os.close(fd)
    print("resign-latest: %s %s until %s" % (name, version, time.strftime("%Y-%m-%d %H:%M UTC", time.gmtime(expires))))


def main():
    parser = argparse.ArgumentParser(usage=__doc__.split("\n\n")[1])
    parser.add_argument("release")
    parser.add_argument("key")
    parser.add_argument("--version")
    parser.add_argument("--public-key")
    parser.add_argument("--days", type=int, default=14)
    options = parser.parse_args()
    if not 1 <= options.days <= 365:
        parser.error("--days is 1 to 365")
    try:
        resign(options)
    except Refusal as refusal:
        print("resign-latest: refused: %s" % refusal, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
