#!/bin/bash
# Installs what a fresh Debian 12 machine lacks to build and test the program: the
# compilers, Wine (32-bit and 64-bit, with the GnuTLS that Wine's CNG needs to verify
# update signatures), the X tools for the window tests, Ghostscript for the print test,
# the libraries, openssl for the update keys and signatures (and its library, which
# checks them in the host tree), PHP for the update service, NSIS, zip and
# osslsigncode (Authenticode signatures) for the release command, and PyYAML for the
# release and package-manifest tests. Packages already present are left alone; needs
# root or sudo.
set -euo pipefail

# dpkg -s needs the architecture of a package that is installed for both.
native=$(dpkg --print-architecture)
packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev python3
    g++-mingw-w64-i686 g++-mingw-w64-x86-64
    wine wine32:i386 wine64 fonts-wine fonts-liberation "libgnutls30:$native" libgnutls30:i386
    xvfb xdotool imagemagick ghostscript
    librapidxml-dev googletest
    qqwing openssl libssl-dev php-cli nsis zip osslsigncode python3-yaml
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
fi
# A mirror in the middle of a sync fails an index or two: one more try, then what is
# known may still do.
if ! as_root apt-get update -q; then
    echo "setup: not every package list could be updated; trying once more"
    sleep 5
    as_root apt-get update -q || echo "setup: not every package list could be updated; installing from those known"
fi
install_missing() {
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@" "${missing[@]}"
}
# With a stale index the amd64 libraries may come from the security suite while their
# i386 twins, which must be the same version, are only in the release's own suite; the
# install then fails with "held broken packages". The release's own suite as the target
# release gives both the same version.
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
if ! install_missing; then
    [ -n "$codename" ] || exit 1
    echo "setup: the install failed; installing again from the release's own suite, $codename"
    install_missing -t "$codename"
fi
