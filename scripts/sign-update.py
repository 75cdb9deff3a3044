#!/usr/bin/env python3
"""Signs, or checks, a file of a release, or the release's latest statement, for the
update service.

usage: sign-update.py FILE PRIVATE.pem --name NAME --role program|updater
                      --arch win32|win64 --version V
       sign-update.py PRIVATE.pem --name NAME --arch win32|win64 --version V --expires T
       sign-update.py PRIVATE.pem --name NAME --old-form --version V --expires T
       sign-update.py --verify SIGNATURE [FILE] PUBLIC.pem --name NAME ...

What is signed is a statement (see docs/updates.md and
common/util/version/UpdateStatement.h, LatestStatement.h), not a file alone. A file's
statement is six lines, each ending in LF,

    Enneo Tessary update statement
    name=NAME
    role=program|updater
    architecture=win32|win64
    version=V
    sha256=<the SHA-256 of FILE's bytes, lower-case hex>

and the latest statement, which names the newest release V of an architecture until
the time T (seconds since 1970 UTC), five:

    Enneo Tessary latest statement
    name=NAME
    architecture=win32|win64
    version=V
    expires=T

With --old-form instead of --arch it is the older form of four lines without the
"architecture" line, which programs installed before the architecture was named verify
(the reply's "latestSignature"); programs since verify the five lines only (the reply's
"latestArchitectureSignature").

Signing prints the base64 of the 64-byte raw signature r||s (ECDSA P-256 over the
SHA-256 of the statement), the form of the reply's "updaterSignature",
"downloadSignature", "latestArchitectureSignature" and "latestSignature" elements. With --verify it checks such a
signature with the public key instead and exits 0 when it holds, 1 when not. openssl
makes and checks the signatures in DER, which is converted here.
"""
import argparse
import base64
import hashlib
import re
import subprocess
import sys
import tempfile

VALUE = re.compile(r"[A-Za-z0-9._-]{1,64}")
VERSION = re.compile(r"[0-9]{1,9}(\.[0-9]{1,9}){0,9}")
EXPIRY = re.compile(r"[0-9]{1,18}")


def check_values(*values):
    for value in values:
        if not VALUE.fullmatch(value):
            raise ValueError("%r is not 1 to 64 of A-Z a-z 0-9 . _ -" % value)


def latest_statement(name, arch, version, expires):
    """The latest statement's exact bytes: naming arch, or without it (the older form)
    when arch is None."""
    check_values(name, version, *([arch] if arch is not None else []))
    if not VERSION.fullmatch(version) or not EXPIRY.fullmatch(str(expires)):
        raise ValueError("%r is not a dotted version, or %r not a time in seconds" % (version, expires))
    architecture = "" if arch is None else "architecture=%s\n" % arch
    return ("Enneo Tessary latest statement\nname=%s\n%sversion=%s\nexpires=%s\n"
            % (name, architecture, version, expires)).encode()


def statement(path, name, role, arch, version):
    """The statement's exact bytes for the file at path."""
    check_values(name, arch, version)
    with open(path, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    return ("Enneo Tessary update statement\nname=%s\nrole=%s\narchitecture=%s\nversion=%s\nsha256=%s\n"
            % (name, role, arch, version, digest)).encode("ascii")


def der_integers(der):
    """The two INTEGERs of a DER SEQUENCE { r, s } (short or long length forms)."""
    def length_at(i):
        first = der[i]
        if first < 0x80:
            return first, i + 1
        count = first & 0x7F
        return int.from_bytes(der[i + 1:i + 1 + count], "big"), i + 1 + count

    if der[0] != 0x30:
        raise ValueError("not a DER sequence")
    _, i = length_at(1)
    values = []
    for _ in range(2):
        if der[i] != 0x02:
            raise ValueError("not a DER integer")
        length, i = length_at(i + 1)
        values.append(int.from_bytes(der[i:i + length], "big"))
        i += length
    return values


def der_of(r, s):
    """DER SEQUENCE { r, s } of two 256-bit integers (always short lengths)."""
    def integer(value):
        body = value.to_bytes(33, "big").lstrip(b"\0") or b"\0"
        if body[0] & 0x80:
            body = b"\0" + body
        return b"\x02" + bytes([len(body)]) + body

    content = integer(r) + integer(s)
    return b"\x30" + bytes([len(content)]) + content


def sign(text, key):
    der = subprocess.run(["openssl", "dgst", "-sha256", "-sign", key], input=text,
                         check=True, capture_output=True).stdout
    r, s = der_integers(der)
    return base64.b64encode(r.to_bytes(32, "big") + s.to_bytes(32, "big")).decode()


def verify(text, signature, public_key):
    raw = base64.b64decode(signature, validate=True)
    if len(raw) != 64:
        return False
    with tempfile.NamedTemporaryFile(suffix=".der") as der:
        der.write(der_of(int.from_bytes(raw[:32], "big"), int.from_bytes(raw[32:], "big")))
        der.flush()
        result = subprocess.run(["openssl", "dgst", "-sha256", "-verify", public_key, "-signature", der.name],
                                input=text, capture_output=True)
    return result.returncode == 0


def main():
    parser = argparse.ArgumentParser(usage=__doc__.split("\n\n")[1])
    parser.add_argument("--verify", metavar="SIGNATURE")
    parser.add_argument("paths", nargs="+", metavar="[FILE] KEY")
    parser.add_argument("--name", required=True)
    parser.add_argument("--role", choices=["program", "updater"])
    parser.add_argument("--arch", choices=["win32", "win64"])
    parser.add_argument("--version", required=True)
    parser.add_argument("--expires")
    parser.add_argument("--old-form", action="store_true")
    options = parser.parse_args()
    latest = options.expires is not None
    if len(options.paths) != (1 if latest else 2) or (not latest and not (options.role and options.arch)) or \
            (latest and (options.arch is None) == (not options.old_form)) or (options.old_form and not latest):
        parser.error("a file's statement needs FILE KEY --role --arch; the latest statement KEY --expires "
                     "and either --arch or --old-form")
    options.key = options.paths[-1]
    if latest:
        text = latest_statement(options.name, options.arch, options.version, options.expires)
    else:
        text = statement(options.paths[0], options.name, options.role, options.arch, options.version)
    if options.verify is None:
        print(sign(text, options.key))
        return 0
    return 0 if verify(text, options.verify, options.key) else 1


if __name__ == "__main__":
    sys.exit(main())
