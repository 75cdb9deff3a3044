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
# All settings in one import: several registry commands in a row, each starting and
# ending the Wine server, once failed here for no reason that could be seen.
settings="$prefix/drive_c/enneo-settings.reg"
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    if [ "$mode" = display ]; then
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n'
    else
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\r\n"Graphics"="null"\r\n\r\n'
    fi
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    printf '"Times New Roman"="Liberation Serif"\r\n"Courier New"="Liberation Mono"\r\n"Arial"="Liberation Sans"\r\n'
} >"$settings"
# An import that failed without a word left a prefix without the null driver, in
# which every window test failed: the import is checked, and made once more.
import_settings() {
    "$loader" reg import 'C:\enneo-settings.reg' >/dev/null 2>&1 </dev/null
    wineserver -w
    grep -qF '[Software\\Wine\\Fonts\\Replacements]' "$prefix/user.reg"
}
if ! import_settings && ! import_settings; then
    echo "wine-prefix: the settings could not be imported into $prefix" >&2
    exit 1
fi
rm "$settings"
touch "$prefix/.enneo-ready"
