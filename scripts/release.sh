#!/bin/bash
# The release command: builds the program from a clean build folder and writes what a
# release publishes.
#   release.sh --version V --key PRIVATE.pem --update-url URL --out DIR [--arch win32|win64]
# V is MAJOR.MINOR.PATCH; PRIVATE.pem the publisher's key (scripts/make-update-key.sh);
# URL the update service the program asks, http://HOST[:PORT]/versions/index.php; DIR a
# new or empty folder, which receives
#   Enneo-Tessary-V-setup.exe   the installer (installer/Enneo.nsi, NSIS)
#   Enneo-Tessary-V-ARCH.zip    Enneo.exe and README.txt, to run from any writable folder
#   service/                    the update service's document root, offering V:
#                               versions/index.php, its data versions/releases.json,
#                               versions/Enneo.xml (the same reply, for servers without
#                               PHP), files/V/updater.exe and files/V/Enneo.upd, and
#                               the setup and the zip again under files/V/
#   winget/, scoop/             the package manifests (scripts/write-package-manifests.py)
#                               pointing at the setup and the zip under files/V/
#   SHA256SUMS                  the checksums of the setup, the zip and the served files
# win32 (i686) is the shipped build; win64 (x86_64) serves machines that cannot run
# 32-bit programs. The build embeds the public key derived from PRIVATE.pem, so a
# release never carries a key that does not match its signatures.
# Reproducible: the same commit gives the same Enneo.exe, updater.exe and zip, byte for
# byte (SOURCE_DATE_EPOCH is the commit's time; see ENNEO_REPRODUCIBLE in CMakeLists.txt).
set -euo pipefail
umask 022
export LC_ALL=C TZ=UTC

usage="usage: release.sh --version V --key PRIVATE.pem --update-url URL --out DIR [--arch win32|win64]"
fail() {
    echo "release: $*" >&2
    exit 1
}

version= key= url= out= arch=win32
while [ $# -gt 0 ]; do
    case $1 in
        --version | --key | --update-url | --out | --arch)
            [ $# -ge 2 ] || fail "$1 needs a value; $usage"
            case $1 in
                --version) version=$2 ;;
                --key) key=$2 ;;
                --update-url) url=$2 ;;
                --out) out=$2 ;;
                --arch) arch=$2 ;;
            esac
            shift 2
            ;;
        *) fail "unknown argument \"$1\"; $usage" ;;
    esac
done

# Everything is checked before anything is built.
[ -n "$key" ] || fail "no --key: a release is signed with the publisher's private key (scripts/make-update-key.sh)"
[ -n "$version" ] || fail "no --version; $usage"
[ -n "$url" ] || fail "no --update-url; $usage"
[ -n "$out" ] || fail "no --out; $usage"
# Each number is a 16-bit word of the version resource.
number='(0|[1-9][0-9]{0,4})'
if ! [[ $version =~ ^$number\.$number\.$number$ ]] ||
    ((BASH_REMATCH[1] > 65535 || BASH_REMATCH[2] > 65535 || BASH_REMATCH[3] > 65535)); then
    fail "the version \"$version\" is not MAJOR.MINOR.PATCH (numbers 0 to 65535, no leading zeros)"
fi
# The program speaks plain HTTP and appends its own query; the URL also becomes a C string.
[[ $url =~ ^(http://[A-Za-z0-9.-]+(:[0-9]{1,5})?)/[A-Za-z0-9._~/%-]*$ ]] ||
    fail "the update URL \"$url\" is not http://HOST[:PORT]/PATH (no https: the program has no TLS; no query)"
origin=${BASH_REMATCH[1]}
case $arch in
    win32) toolchain=mingw-w64-i686.cmake ;;
    win64) toolchain=mingw-w64-x86_64.cmake ;;
    *) fail "the architecture \"$arch\" is neither win32 nor win64" ;;
esac
[ -f "$key" ] || fail "the key $key does not exist"
# -passin pass: makes a key with a passphrase fail here instead of asking for it.
public_text=$(openssl pkey -in "$key" -passin pass: -noout -text_pub 2>/dev/null) &&
    grep -qx 'NIST CURVE: P-256' <<<"$public_text" ||
    fail "$key is not an EC P-256 private key without a passphrase (scripts/make-update-key.sh makes one)"
if [ -e "$out" ] && [ -n "$(ls -A "$out")" ]; then
    fail "$out is not empty; give a new folder"
fi
for tool in cmake ninja git python3 php zip sha256sum; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

key=$(realpath -- "$key")
out=$(realpath -m -- "$out")
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cd "$source_dir"
source scripts/build-common.sh
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) || fail "$source_dir is not a git checkout"
export SOURCE_DATE_EPOCH
changes=$(git status --porcelain)
if [ -n "$changes" ]; then
    echo "release: warning: the working tree differs from commit $(git rev-parse --short HEAD);" \
        "this release is built from the working tree, not from the commit alone:" >&2
    echo "$changes" >&2
fi

mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/enneo-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
build=$work/build

openssl pkey -in "$key" -passin pass: -pubout -out "$work/update-public.pem"
echo "release: building Enneo $version ($arch) in $build"
ENNEO_BUILD_TARGET="Enneo updater" enneo_build "$build" --toolchain "cmake/$toolchain" -DENNEO_REPRODUCIBLE=ON \
    -DENNEO_VERSION="$version" -DENNEO_UPDATE_URL="$url" -DENNEO_UPDATE_PUBLIC_KEY="$work/update-public.pem" ||
    fail "the build failed"
for program in app/Enneo.exe updater/updater.exe; do
    [ -f "$build/$program" ] || fail "the build made no $program"
done

# The files as published: fixed times and permissions, so that their copies in the zip
# and the installer are the same bytes on every run.
stage=$work/stage
mkdir "$stage"
cp "$build/app/Enneo.exe" "$build/updater/updater.exe" "$stage/"
sed 's/$/\r/' >"$stage/README.txt" <<EOF
Enneo Tessary $version

A number-placement puzzle for Windows: select a cell and type a digit, let the
program show each empty cell's candidates, or have it solve the grid.

Starting it: unpack this archive into a folder you can write to (in your
Documents, on a USB stick) and start Enneo.exe; nothing is installed. Keep the
folder writable: an update that you accept (Help / Check for Updates, or the
check at start) is downloaded into it and replaces the program there.

Settings live in the registry under
    HKCU\\Software\\Enneo Project\\Enneo Tessary
(the value "CheckForUpdates" = "0" turns the check at start off). Delete that
key and this folder to remove every trace of the program.
EOF
chmod 644 "$stage"/*
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*

# The zip: entries in a fixed order, without extra fields (owners, times beyond the
# DOS time, which TZ=UTC fixes).
zip_name=Enneo-Tessary-$version-$arch.zip
(cd "$stage" && zip -X -q "$out/$zip_name" Enneo.exe README.txt)
published=("$zip_name")

setup_name=Enneo-Tessary-$version-setup.exe
if [ -f installer/Enneo.nsi ]; then
    command -v makensis >/dev/null || fail "makensis is missing (scripts/setup.sh installs nsis)"
    makensis -V2 -DVERSION="$version" -DPROGRAM="$stage/Enneo.exe" -DOUTFILE="$out/$setup_name" -DARCH="$arch" \
        installer/Enneo.nsi || fail "makensis failed"
    published+=("$setup_name")
else
    echo "release: warning: installer/Enneo.nsi does not exist; no $setup_name" >&2
fi

# The update service: the program sends its "OriginalFilename" (resources/Enneo.rc.in)
# as the name it asks for.
name=Enneo
files=service/files/$version
mkdir -p "$out/service/versions" "$out/$files"
cp service/versions/index.php "$out/service/versions/index.php"
cp "$stage/Enneo.exe" "$out/$files/Enneo.upd"
cp "$stage/updater.exe" "$out/$files/updater.exe"
published+=("$files/Enneo.upd" "$files/updater.exe")
download_signature=$(python3 scripts/sign-update.py "$out/$files/Enneo.upd" "$key")
updater_signature=$(python3 scripts/sign-update.py "$out/$files/updater.exe" "$key")
python3 - "$out/service/versions/releases.json" "$name" "$version" "$origin/files/$version" \
    "$updater_signature" "$download_signature" <<'EOF'
import json, sys
path, name, version, files, updater_signature, download_signature = sys.argv[1:]
release = {"version": version, "downloadUrl": files + "/Enneo.upd", "updaterUrl": files + "/updater.exe",
           "updaterSignature": updater_signature, "downloadSignature": download_signature}
with open(path, "w") as data:
    json.dump({name: release}, data, indent=2)
    data.write("\n")
EOF
php "$out/service/versions/index.php" "$name" >"$out/service/versions/$name.xml"

# winget and Scoop fetch the setup and the zip from beside the update files.
cp "$out/$setup_name" "$out/$zip_name" "$out/$files/"
published+=("$files/$setup_name" "$files/$zip_name")
python3 scripts/write-package-manifests.py --version "$version" --arch "$arch" --files-url "$origin/files/$version" \
    --installer "$out/$setup_name" --zip "$out/$zip_name" --out "$out" \
    --home-url "$(sed -n 's/^ENNEO_HOME_URL:STRING=//p' "$build/CMakeCache.txt")" || fail "the package manifests failed"

mapfile -t published < <(printf '%s\n' "${published[@]}" | sort)
(cd "$out" && sha256sum -- "${published[@]}") >"$out/SHA256SUMS"

echo "release: wrote Enneo $version ($arch) into $out:"
(cd "$out" && find . -type f | sort | sed 's|^\./|    |')
echo "release: serve it with: php -S HOST:PORT -t $out/service"
