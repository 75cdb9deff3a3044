#!/bin/bash
# Signs a Windows program file in place with Authenticode (SHA-256), for release.sh and
# the installer it builds (installer/Enneo.nsi signs its uninstaller and itself this way):
#   authenticode-sign.sh PFX PASSWORD_FILE FILE
# PFX holds the code-signing certificate and its key; PASSWORD_FILE the PFX's password,
# which never appears on a command line. The signature names the program and carries no
# time stamp (that would need a time-stamping service on the network).
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: authenticode-sign.sh PFX PASSWORD_FILE FILE" >&2; exit 2; }
pfx=$1 password=$2 file=$3
osslsigncode sign -pkcs12 "$pfx" -readpass "$password" -h sha256 -n "Enneo Tessary" \
    -in "$file" -out "$file.signed" >/dev/null
mv -f -- "$file.signed" "$file"
