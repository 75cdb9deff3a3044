#!/bin/bash
# Makes the publisher's key pair for signed updates:
#   make-update-key.sh DIR
# writes DIR/update-private.pem (ECDSA P-256, PKCS#8, readable by its owner only) and
# DIR/update-public.pem (the "PUBLIC KEY" that a build embeds with
# -DENNEO_UPDATE_PUBLIC_KEY=DIR/update-public.pem). An existing private key is never
# overwritten. Keep the private key out of every repository.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: make-update-key.sh DIR" >&2; exit 2; }
dir=$1
private=$dir/update-private.pem public=$dir/update-public.pem
if [ -e "$private" ]; then
    echo "make-update-key: $private exists; it is kept" >&2
    exit 1
fi
mkdir -p "$dir"
(
    umask 077
    openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256 -out "$private"
)
openssl pkey -in "$private" -pubout -out "$public"
echo "make-update-key: wrote $private and $public"
