#!/bin/bash
# Signs a Windows program file in place with Authenticode (SHA-256) and verifies the
# signature it made, for release.sh and the installer it builds (installer/Enneo.nsi
# signs its uninstaller and itself this way):
#   authenticode-sign.sh PFX PASSWORD_FILE FILE
# PFX holds the code-signing certificate and its key; PASSWORD_FILE the PFX's password,
# which never appears on a command line. The signature names the program and carries no
# time stamp (that would need a time-stamping service on the network). It must verify
# (osslsigncode verify) against the certificates in the PFX and the system's trusted
# ones, or the command fails.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: authenticode-sign.sh PFX PASSWORD_FILE FILE" >&2; exit 2; }
pfx=$1 password=$2 file=$3
osslsigncode sign -pkcs12 "$pfx" -readpass "$password" -h sha256 -n "Enneo Tessary" \
    -in "$file" -out "$file.signed" >/dev/null
mv -f -- "$file.signed" "$file"

trusted=$(mktemp)
trap 'rm -f "$trusted"' EXIT
{
    openssl pkcs12 -in "$pfx" -passin "file:$password" -nokeys 2>/dev/null ||
        openssl pkcs12 -legacy -in "$pfx" -passin "file:$password" -nokeys 2>/dev/null
    cat /etc/ssl/certs/ca-certificates.crt 2>/dev/null || true
} >"$trusted"
osslsigncode verify -CAfile "$trusted" -in "$file" >/dev/null 2>&1 || {
    echo "authenticode-sign: the signature of $file does not verify (osslsigncode verify)" >&2
    exit 1
}
