#!/bin/bash
# Makes the publisher's key pair for signed updates:
#   make-update-key.sh DIR
# writes DIR/update-private.pem (ECDSA P-256, PKCS#8, readable by its owner only) and
# DIR/update-public.pem (the "PUBLIC KEY" that a build embeds with
# -DENNEO_UPDATE_PUBLIC_KEY=DIR/update-public.pem). Neither an existing key file nor a
# symbolic link is ever written through: DIR and both files must not be links, the
# files must not exist, and each is created only if it still does not (no-clobber), so
# the private key cannot land anywhere but in a new file of DIR. Keep the private key
# out of every repository.
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: make-update-key.sh DIR" >&2; exit 2; }
dir=$1
private=$dir/update-private.pem public=$dir/update-public.pem
fail() {
    echo "make-update-key: $*" >&2
    exit 1
}
for target in "$dir" "$private" "$public"; do
    [ ! -L "$target" ] || fail "$target is a symbolic link; give a folder of real files"
done
for target in "$private" "$public"; do
    [ ! -e "$target" ] || fail "$target exists; it is kept"
done
mkdir -p "$dir"
set -o noclobber  # ">" fails on a file that appeared since, and never follows a new link
(
    umask 077
    key=$(openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:P-256)
    printf '%s\n' "$key" >"$private"
)
openssl pkey -in "$private" -pubout >"$public"
echo "make-update-key: wrote $private and $public"
