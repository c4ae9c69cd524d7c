#!/bin/sh
# The start command of an installed Zuvenmedia. The program works in its working folder
# (Config.ini, Ratings.dat, debug.txt, the user's own skins), so it runs in the user's own
# program folder, $XDG_DATA_HOME/zuvenmedia, created on first start; the installed programs and
# the Default skin beside them are only read.
#   zuvenmedia                  start the program (the first start runs the set-up)
#   zuvenmedia --setup [ARGS]   run the set-up again (ARGS as config.exe takes them)
set -eu
programs=$(dirname "$(readlink -f "$0")")/../lib/zuvenmedia
data=${XDG_DATA_HOME:-}
# A relative or empty XDG_DATA_HOME is to be ignored.
case "$data" in
    /*) ;;
    *) data=${HOME:?HOME is not set}/.local/share ;;
esac
folder=$data/zuvenmedia
mkdir -p "$folder"
cd "$folder"
case "${1:-}" in
    --setup)
        shift
        exec "$programs/config.exe" "$@" ;;
    --help | -h)
        echo "usage: zuvenmedia [--setup [config.exe options]]"
        echo "The program folder is $folder."
        exit 0 ;;
esac
exec "$programs/zuvenmedia" "$@"
