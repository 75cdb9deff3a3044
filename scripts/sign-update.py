#!/usr/bin/env python3
"""Signs a file for the update service.

usage: sign-update.py FILE PRIVATE.pem

Prints the base64 of the 64-byte raw signature r||s (ECDSA P-256 over the SHA-256 of
the file's exact bytes), the form of the reply's "updaterSignature" and
"downloadSignature" elements. openssl makes the signature; it writes it as DER, which
is taken apart here.
"""
import base64
import subprocess
import sys


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


def sign(path, key):
    der = subprocess.run(["openssl", "dgst", "-sha256", "-sign", key, path],
                         check=True, capture_output=True).stdout
    r, s = der_integers(der)
    return base64.b64encode(r.to_bytes(32, "big") + s.to_bytes(32, "big")).decode()


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    print(sign(sys.argv[1], sys.argv[2]))
