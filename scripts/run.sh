#!/bin/bash
# The run command: sets up what is missing, builds the Windows program and starts it
# under Wine, in a display prefix of its own inside the build folder.
#   With DISPLAY set, the program runs until it is closed.
#   Without one, it runs on a private Xvfb display until its board window is up; a
#   screenshot of the window is saved in the build folder, then the program and the
#   display are stopped. Exits non-zero when the window never appears.
# The program is built from build/windows (32-bit, the shipped build); on a machine that
# cannot run 32-bit programs it runs from build/windows64 (x86_64) under 64-bit Wine.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/build-common.sh

fail() {
    echo "run: $*" >&2
    exit 1
}

bash scripts/setup.sh || fail "setup failed"

export ENNEO_BUILD_TARGET=Enneo
enneo_build build/windows --toolchain cmake/mingw-w64-i686.cmake || fail "build failed (build/windows)"
enneo_choose_wine_tree
if [ "$wine_tree" != build/windows ]; then
    echo "run: running the x86_64 build from $wine_tree under 64-bit Wine"
    enneo_build "$wine_tree" --toolchain "$wine_toolchain" || fail "build failed ($wine_tree)"
fi
program=$PWD/$wine_tree/app/Enneo.exe
prefix=$PWD/$wine_tree/wineprefix-display
bash scripts/wine-prefix.sh "$prefix" "$arch" "$loader" display || fail "could not make the Wine prefix $prefix"

export WINEPREFIX=$prefix WINEARCH=$arch WINELOADER=$loader WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ -n "${DISPLAY:-}" ]; then
    "$loader" "$program"
    status=$?
    wineserver -k 2>/dev/null
    exit $status
fi

# No display: a private Xvfb (it picks a free display number and reports it).
work=$(mktemp -d)
xvfb_pid= program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do
    [ -s "$work/display" ] && break
    sleep 0.2
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n 1 "$work/display")

"$loader" "$program" >"$work/program.log" 2>&1 &
program_pid=$!
window=
for _ in $(seq 120); do  # a fresh prefix can take a while to start its services
    window=$(xdotool search --name '^Enneo Tessary$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.5
done
[ -n "$window" ] || fail "the board window did not appear (the program ended, or 60 s passed); $(tail -n 5 "$work/program.log")"

# The board is painted once the given digits show in red.
screenshot=$PWD/$wine_tree/Enneo-screenshot.png
painted=
for _ in $(seq 20); do
    sleep 0.5
    import -window "$window" "$screenshot" || fail "could not take the screenshot"
    convert "$screenshot" -format %c histogram:info:- | grep -q "#FF0000" && painted=yes && break
done
[ -n "$painted" ] || fail "the window appeared but showed no board within 10 s; screenshot saved to $screenshot"
echo "run: the board window is up; screenshot saved to $screenshot"
