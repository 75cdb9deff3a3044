#!/bin/bash
# Makes a Wine prefix for the tests of one build tree, once:
#   wine-prefix.sh PREFIX win32|win64 LOADER
# Headless (the null graphics driver), with Wine's own fonts where Wine looks for them
# and the usual Windows font names mapped to the Liberation fonts.
set -euo pipefail
prefix=$1 arch=$2 loader=$3
[ -f "$prefix/.enneo-ready" ] && exit 0

rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX=$prefix WINEARCH=$arch WINELOADER=$loader WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
echo "wine-prefix: making $prefix"
"$loader" wineboot -i >/dev/null 2>&1 </dev/null
wineserver -w
mkdir -p "$prefix/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"
reg() { "$loader" reg add "$@" /f >/dev/null 2>&1 </dev/null; }
reg 'HKCU\Software\Wine\Drivers' /v Graphics /d null
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Arial' /d 'Liberation Sans'
wineserver -w
touch "$prefix/.enneo-ready"
