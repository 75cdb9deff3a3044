#!/bin/bash
# Makes or removes the folder of the file-fault tests that takes no new file:
#   read_only_folder.sh make|remove FOLDER
# "make" puts kept.enn (a saved puzzle, which stays writable) into it and then takes away
# the right to add files: the immutable attribute for root (whom permissions do not
# stop), the write permission for anyone else. The tests find out themselves whether
# that worked.
set -uo pipefail
action=$1 folder=$2

release() {
    [ -d "$folder" ] || return 0
    chattr -i "$folder" 2>/dev/null
    chmod u+w "$folder"
}

case $action in
make)
    release
    rm -rf "$folder"
    mkdir -p "$folder"
    printf ' 1 . . | . . . | . . .\r\n' >"$folder/kept.enn"
    if [ "$(id -u)" = 0 ]; then
        chattr +i "$folder" || echo "read_only_folder: chattr failed; the folder stays writable"
    else
        chmod a-w "$folder"
    fi
    ;;
remove)
    release
    rm -rf "$folder"
    ;;
*)
    echo "usage: read_only_folder.sh make|remove FOLDER" >&2
    exit 2
    ;;
esac
