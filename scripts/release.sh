#!/bin/bash
# The release command: builds the program from a clean build folder and writes what a
# release publishes.
#   release.sh --version V --key PRIVATE.pem --update-url URL --out DIR [--arch win32|win64]
#              [--authenticode PFX --authenticode-pass FILE] [--allow-dirty]
# V is MAJOR.MINOR.PATCH; PRIVATE.pem the publisher's key (scripts/make-update-key.sh);
# URL the update service the program asks, http(s)://HOST[:PORT]/versions/index.php (the
# files it offers are served from the same origin, https for an https URL); DIR a
# new folder, or an empty one of the caller's that nobody else can write, which receives
#   Enneo-Tessary-V-setup.exe   the installer (installer/Enneo.nsi, NSIS)
#   Enneo-Tessary-V-ARCH.zip    the folder "Enneo Tessary" (zip_folder below) with
#                               Enneo.exe and README.txt, to run from any writable folder
#   service/                    the update service's document root, offering V:
#                               versions/index.php, its data versions/releases.json
#                               (with the latest statement, scripts/resign-latest.py),
#                               versions/Enneo.xml (the same reply, for servers without
#                               PHP), files/V/updater.exe and files/V/Enneo.upd, and
#                               the setup and the zip again under files/V/
#   release.txt                 the record of the release made (name, architecture,
#                               V), from which the publisher's copy of this folder
#                               has its latest statement signed anew (resign-latest.py)
#   winget/, scoop/             the package manifests (scripts/write-package-manifests.py)
#                               pointing at the setup and the zip under files/V/
#   SHA256SUMS, SHA256SUMS.sig  the checksums of the setup, the zip and the served files,
#                               and their signature with the publisher's key (DER ECDSA)
#   update-public.pem           the public key that the programs embed and that checks
#                               every signature above
# win32 (i686) is the shipped build; win64 (x86_64) serves machines that cannot run
# 32-bit programs. The build embeds the public key derived from PRIVATE.pem, so a
# release never carries a key that does not match its signatures; each file the service
# hands out is signed as a statement of its role, the build's architecture and V (see
# scripts/sign-update.py), and every signature is checked with the embedded key before
# the command ends. With --authenticode, Enneo.exe, updater.exe, the installer and its
# uninstaller are signed with the code-signing certificate in PFX (osslsigncode,
# SHA-256), whose password is read from FILE, before the update signatures are made.
# A working tree with changes is refused unless --allow-dirty. Everything is built,
# signed, run and hashed in a private folder of the command's own (mode 0700); DIR
# receives the finished set last, and only when it is still the caller's and writable
# by nobody else.
# Reproducible: the same commit gives the same Enneo.exe, updater.exe, zip and installer,
# byte for byte, unless --authenticode adds its signatures (SOURCE_DATE_EPOCH is the
# commit's time; see ENNEO_REPRODUCIBLE in CMakeLists.txt).
set -euo pipefail
umask 022
export LC_ALL=C TZ=UTC

# The one folder the zip holds, so that unpacking it anywhere puts nothing beside
# unrelated files; the folder the installer creates has the same name.
zip_folder="Enneo Tessary"

usage="usage: release.sh --version V --key PRIVATE.pem --update-url URL --out DIR [--arch win32|win64]"
usage+=" [--authenticode PFX --authenticode-pass FILE] [--allow-dirty]"
fail() {
    echo "release: $*" >&2
    exit 1
}

version= key= url= out= arch=win32 pfx= pfx_password= allow_dirty=
while [ $# -gt 0 ]; do
    case $1 in
        --version | --key | --update-url | --out | --arch | --authenticode | --authenticode-pass)
            [ $# -ge 2 ] || fail "$1 needs a value; $usage"
            case $1 in
                --version) version=$2 ;;
                --key) key=$2 ;;
                --update-url) url=$2 ;;
                --out) out=$2 ;;
                --arch) arch=$2 ;;
                --authenticode) pfx=$2 ;;
                --authenticode-pass) pfx_password=$2 ;;
            esac
            shift 2
            ;;
        --allow-dirty)
            allow_dirty=1
            shift
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
# The program speaks HTTP and HTTPS and appends its own query; the URL also becomes a C
# string.
[[ $url =~ ^(https?://[A-Za-z0-9.-]+(:[0-9]{1,5})?)/[A-Za-z0-9._~/%-]*$ ]] ||
    fail "the update URL \"$url\" is not http(s)://HOST[:PORT]/PATH (no query)"
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
if [ -n "$pfx" ] || [ -n "$pfx_password" ]; then
    [ -n "$pfx" ] || fail "--authenticode-pass without --authenticode PFX"
    [ -n "$pfx_password" ] ||
        fail "--authenticode needs --authenticode-pass FILE, a file that holds the PFX's password"
    [ -f "$pfx" ] || fail "the certificate $pfx does not exist"
    [ -f "$pfx_password" ] || fail "the password file $pfx_password does not exist"
    command -v osslsigncode >/dev/null || fail "osslsigncode is missing (scripts/setup.sh installs it)"
    # Older PFX files need OpenSSL's legacy algorithms; osslsigncode reads both.
    openssl pkcs12 -in "$pfx" -passin "file:$pfx_password" -noout 2>/dev/null ||
        openssl pkcs12 -legacy -in "$pfx" -passin "file:$pfx_password" -noout 2>/dev/null ||
        fail "$pfx cannot be opened with the password in $pfx_password"
    pfx=$(realpath -- "$pfx")
    pfx_password=$(realpath -- "$pfx_password")
fi
# Why the folder may not receive the release; nothing when it may. It must be the
# caller's own, writable by nobody else (who could swap or plant files in it), and empty.
out_refusal() {
    local mode
    if [ -L "$1" ] || ! [ -d "$1" ]; then
        echo "is not a folder"
    elif [ "$(stat -c %u -- "$1")" != "$(id -u)" ]; then
        echo "belongs to another user; give a folder of your own"
    elif mode=$(stat -c %a -- "$1") && ((8#$mode & 8#022)); then
        echo "can be written by others (mode $mode); give a folder that only you can write"
    elif [ -n "$(ls -A -- "$1")" ]; then
        echo "is not empty; give a new folder"
    fi
}
if [ -e "$out" ] || [ -L "$out" ]; then
    refusal=$(out_refusal "$out")
    [ -z "$refusal" ] || fail "$out $refusal"
fi
for tool in cmake ninja git python3 zip sha256sum; do
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
    [ -n "$allow_dirty" ] ||
        fail "the working tree has uncommitted changes, so the release could not be made again from commit" \
            "$(git rev-parse --short HEAD); commit them, or give --allow-dirty:"$'\n'"$changes"
    echo "release: warning: the working tree differs from commit $(git rev-parse --short HEAD);" \
        "this release is built from the working tree, not from the commit alone:" >&2
    echo "$changes" >&2
fi

# The private folder (mktemp makes it 0700): the build, the signing, PHP and the
# checksums see only files in it. makensis's temporary files go there too.
work=$(mktemp -d "${TMPDIR:-/tmp}/enneo-release.XXXXXX")
trap 'rm -rf "$work"' EXIT
result=$work/release
mkdir "$result" "$work/tmp"
export TMPDIR=$work/tmp
build=$work/build
public_key=$work/update-public.pem

openssl pkey -in "$key" -passin pass: -pubout -out "$public_key"
echo "release: building Enneo $version ($arch) in $build"
ENNEO_BUILD_TARGET="Enneo updater" enneo_build "$build" --toolchain "cmake/$toolchain" -DENNEO_REPRODUCIBLE=ON \
    -DENNEO_VERSION="$version" -DENNEO_UPDATE_URL="$url" -DENNEO_UPDATE_PUBLIC_KEY="$public_key" ||
    fail "the build failed"
for program in app/Enneo.exe updater/updater.exe; do
    [ -f "$build/$program" ] || fail "the build made no $program"
done
# The statements name the program and the architecture as the build knows them.
cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
name=$(cached ENNEO_PROGRAM_NAME)
[ "$(cached ENNEO_ARCH)" = "$arch" ] || fail "the build is for \"$(cached ENNEO_ARCH)\", not $arch"
[ -n "$name" ] || fail "the build names no program (ENNEO_PROGRAM_NAME)"

# The files as published: fixed times and permissions, so that their copies in the zip
# and the installer are the same bytes on every run.
stage=$work/stage
mkdir -p "$stage/$zip_folder"
program=$stage/$zip_folder/Enneo.exe
updater=$stage/updater.exe
cp "$build/app/Enneo.exe" "$program"
cp "$build/updater/updater.exe" "$updater"
if [ -n "$pfx" ]; then
    echo "release: signing Enneo.exe and updater.exe with $pfx"
    for file in "$program" "$updater"; do
        bash scripts/authenticode-sign.sh "$pfx" "$pfx_password" "$file" || fail "osslsigncode could not sign $file"
    done
fi
sed 's/$/\r/' >"$stage/$zip_folder/README.txt" <<EOF
Enneo Tessary $version

A number-placement puzzle for Windows: select a cell and type a digit, let the
program show each empty cell's candidates, or have it solve the grid.

Starting it: unpack this archive where you can write (in your Documents, on a
USB stick); it makes the folder "$zip_folder". Start Enneo.exe in that
folder; nothing is installed. Keep the folder writable: an update that you
accept (Help / Check for Updates, or the check at start) is downloaded into it
and replaces the program there.

Settings live in the registry under
    HKCU\\Software\\Enneo Project\\Enneo Tessary
(the value "CheckForUpdates" = "0" turns the check at start off). Delete that
key and this folder to remove every trace of the program.
EOF
chmod 644 "$stage/$zip_folder"/* "$updater"
touch -d "@$SOURCE_DATE_EPOCH" "$stage/$zip_folder"/* "$stage/$zip_folder" "$updater"

# The zip: the folder, then its entries, in a fixed order and without extra fields
# (owners, times beyond the DOS time, which TZ=UTC fixes).
zip_name=Enneo-Tessary-$version-$arch.zip
(cd "$stage" && zip -X -q "$result/$zip_name" "$zip_folder/" "$zip_folder/Enneo.exe" "$zip_folder/README.txt")
published=("$zip_name")

setup_name=Enneo-Tessary-$version-setup.exe
command -v makensis >/dev/null || fail "makensis is missing (scripts/setup.sh installs nsis)"
signing=()
if [ -n "$pfx" ]; then
    signing=(-DSIGN_COMMAND="bash \"$source_dir/scripts/authenticode-sign.sh\" \"$pfx\" \"$pfx_password\"")
fi
# The installer's texts in its languages, which the build wrote from the catalogues. -WX:
# a warning (a text missing in one of its languages, which it would show empty) fails.
texts=$(cached ENNEO_INSTALLER_TEXTS)
[ -f "$texts" ] || fail "the build wrote no installer texts (ENNEO_INSTALLER_TEXTS)"
makensis -V2 -WX -DVERSION="$version" -DPROGRAM="$program" -DOUTFILE="$result/$setup_name" -DARCH="$arch" \
    -DTEXTS="$texts" "${signing[@]}" installer/Enneo.nsi || fail "makensis failed"
published+=("$setup_name")

# The update service: the program sends its "OriginalFilename" (ENNEO_PROGRAM_NAME) as
# the name it asks for.
files=service/files/$version
mkdir -p "$result/service/versions" "$result/$files"
cp service/versions/index.php "$result/service/versions/index.php"
cp "$program" "$result/$files/Enneo.upd"
cp "$updater" "$result/$files/updater.exe"
published+=("$files/Enneo.upd" "$files/updater.exe")
statement=(--name "$name" --arch "$arch" --version "$version")
download_signature=$(python3 scripts/sign-update.py "$result/$files/Enneo.upd" "$key" --role program "${statement[@]}")
updater_signature=$(python3 scripts/sign-update.py "$result/$files/updater.exe" "$key" --role updater "${statement[@]}")
python3 - "$result/service/versions/releases.json" "$name" "$version" "$origin/files/$version" \
    "$updater_signature" "$download_signature" <<'EOF'
import json, sys
path, name, version, files, updater_signature, download_signature = sys.argv[1:]
release = {"version": version, "downloadUrl": files + "/Enneo.upd", "updaterUrl": files + "/updater.exe",
           "updaterSignature": updater_signature, "downloadSignature": download_signature}
with open(path, "w") as data:
    json.dump({name: release}, data, indent=2)
    data.write("\n")
EOF
# The record of the release made, which the re-sign command signs the latest statement
# for, and the latest statement: this release is the newest, for the next days.
printf 'Enneo Tessary release\nname=%s\narchitecture=%s\nversion=%s\n' "$name" "$arch" "$version" >"$result/release.txt"
python3 scripts/resign-latest.py "$result" "$key" --public-key "$public_key" --version "$version" >/dev/null ||
    fail "the latest statement could not be signed"

# winget and Scoop fetch the setup and the zip from beside the update files.
cp "$result/$setup_name" "$result/$zip_name" "$result/$files/"
published+=("$files/$setup_name" "$files/$zip_name")
python3 scripts/write-package-manifests.py --version "$version" --arch "$arch" --files-url "$origin/files/$version" \
    --installer "$result/$setup_name" --zip "$result/$zip_name" --out "$result" \
    --home-url "$(cached ENNEO_HOME_URL)" || fail "the package manifests failed"

mapfile -t published < <(printf '%s\n' "${published[@]}" | sort)
(cd "$result" && sha256sum -- "${published[@]}") >"$result/SHA256SUMS"
openssl dgst -sha256 -sign "$key" -out "$result/SHA256SUMS.sig" "$result/SHA256SUMS"
cp "$public_key" "$result/update-public.pem"

# Every signature made above, checked with the key the programs embed: both served
# programs carry it, each statement holds for its file, and so does the checksums'.
python3 - "$public_key" "$result/$files/Enneo.upd" "$result/$files/updater.exe" <<'EOF' ||
import sys
key = "".join(line for line in open(sys.argv[1]).read().splitlines() if not line.startswith("-----"))
for program in sys.argv[2:]:
    if key.encode("utf-16-le") not in open(program, "rb").read():
        sys.exit("release: %s does not embed the key %s" % (program, sys.argv[1]))
EOF
    fail "a program does not embed the release's public key"
python3 scripts/sign-update.py --verify "$download_signature" "$result/$files/Enneo.upd" "$public_key" \
    --role program "${statement[@]}" || fail "the signature of Enneo.upd does not hold"
python3 scripts/sign-update.py --verify "$updater_signature" "$result/$files/updater.exe" "$public_key" \
    --role updater "${statement[@]}" || fail "the signature of updater.exe does not hold"
openssl dgst -sha256 -verify "$public_key" -signature "$result/SHA256SUMS.sig" "$result/SHA256SUMS" >/dev/null ||
    fail "the signature of SHA256SUMS does not hold"
# verify_latest ELEMENT FORM...: the latest statement's signature ELEMENT holds for the
# statement in FORM, "--arch A" (what programs since verify, the architecture named) or
# "--old-form" (what programs installed before verify).
verify_latest() {
    local element=$1 latest
    shift
    latest=$(python3 -c 'import json, sys; r = json.load(open(sys.argv[1]))[sys.argv[2]]
print(r[sys.argv[3]] if r["latestVersion"] == r["version"] else "", r["latestExpires"])' \
        "$result/service/versions/releases.json" "$name" "$element")
    python3 scripts/sign-update.py --verify ${latest% *} "$public_key" --name "$name" "$@" --version "$version" \
        --expires "${latest#* }" || fail "the $element of the latest statement does not hold"
}
verify_latest latestArchitectureSignature --arch "$arch"
verify_latest latestSignature --old-form

# The finished set into DIR, made now if it is new, from inside it: whatever happens to
# its path meanwhile, the files land in the folder checked here.
mkdir -p -- "$out" || fail "$out cannot be made"
cd -P -- "$out" || fail "$out cannot be entered"
refusal=$(out_refusal .)
[ -z "$refusal" ] || fail "$out $refusal"
[ -d "$result" ] || fail "no release was made"
cp -R -P --preserve=mode,timestamps -- "$result/." .
cd "$source_dir"

echo "release: wrote Enneo $version ($arch) into $out; every signature checked:"
(cd "$result" && find . -type f | sort | sed 's|^\./|    |')
echo "release: serve $out/service from a web server (see \"Hosting the service\" in docs/releasing.md)"
