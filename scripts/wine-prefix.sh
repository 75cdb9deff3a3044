#!/bin/bash
# Makes a Wine prefix for one build tree, once:
#   wine-prefix.sh PREFIX win32|win64 LOADER [null|display]
# null (the default, for the unit tests): headless, the null graphics driver.
# display (for running the program): the X11 driver and a 1024x768 virtual desktop, so
# that windows show at once even on a display without a window manager (Xvfb).
# Either way with Wine's own fonts where Wine looks for them and the usual Windows font
# names mapped to the Liberation fonts.
set -euo pipefail
prefix=$1 arch=$2 loader=$3 mode=${4:-null}
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
if [ "$mode" = display ]; then
    reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
    reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
else
    reg 'HKCU\Software\Wine\Drivers' /v Graphics /d null
fi
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Arial' /d 'Liberation Sans'
wineserver -w
touch "$prefix/.enneo-ready"
