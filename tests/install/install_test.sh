#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed program headless, the way
# a user starts it from the desktop: the start command makes the user's own program folder,
# the set-up writes Config.ini there, the program comes up on a demo library with the installed
# Default skin and ends cleanly. Nothing under the prefix may change, and the uninstall leaves
# no file behind.
#   install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
source=$(cd "${2:?source folder}" && pwd)

work=$(mktemp -d)
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill -9 "$program_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*" >&2
    for log in "$work"/data/zuvenmedia/debug.txt "$work"/program.err; do
        [ -f "$log" ] && { echo "--- $log" >&2; tail -n 40 "$log" >&2; }
    done
    exit 1
}

prefix=$work/prefix
# A manifest of its own, so that a run beside another build's install keeps each list apart.
cmake --install "$build" --prefix "$prefix" >/dev/null
cp "$build/install_manifest.txt" "$work/install_manifest.txt"
for file in bin/zuvenmedia lib/zuvenmedia/zuvenmedia lib/zuvenmedia/config.exe \
            lib/zuvenmedia/Diashow.exe lib/zuvenmedia/Skins/Default/Config.ini \
            lib/zuvenmedia/Skins/Default/Background.jpg share/applications/zuvenmedia.desktop \
            share/icons/hicolor/scalable/apps/zuvenmedia.svg; do
    [ -e "$prefix/$file" ] || fail "$file was not installed"
done
# What the prefix holds, to the byte and the modification time, before the program runs.
snapshot() { (cd "$prefix" && find . -printf '%p %y %s %T@ %m\n' | sort && find . -type f -exec sha256sum {} + | sort); }
snapshot > "$work/before"

ZVN_DEMO_QUICK=1 "$source/tools/make-demo-library.sh" "$work/media" >/dev/null
media=$work/media

export HOME=$work/home XDG_DATA_HOME=$work/data ZVN_LOCK_DIR=$work
# No session bus: the program must not meet a desktop's bus or a running copy's player name.
unset DBUS_SESSION_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ZVN_HEADLESS=1
mkdir -p "$HOME"
folder=$XDG_DATA_HOME/zuvenmedia
[ ! -e "$folder" ] || fail "the program folder exists before the first start"

# The set-up as a script runs it: the values given, nothing shown, the program not started.
"$prefix/bin/zuvenmedia" --setup --music "$media/Musik" --pictures "$media/Fotos" \
    --videos "$media/Videos" --links "$media/Programme" --language 0 \
    || fail "the set-up through the start command failed"
[ -d "$folder" ] || fail "the start command did not make $folder"
grep -q "^MP3Path=$media/Musik" "$folder/Config.ini" || fail "Config.ini lacks the music folder"
grep -q "^Language=0" "$folder/Config.ini" || fail "Config.ini lacks the language"
# The log shows how far the start got.
awk '{ print } /^\[Options\]/ { printf "ShowDebugWindow=1\r\n" }' "$folder/Config.ini" > "$work/Config.ini"
mv "$work/Config.ini" "$folder/Config.ini"

(cd "$work/home" && exec "$prefix/bin/zuvenmedia") 2>"$work/program.err" &
program_pid=$!
# Up means: the installed skin was read and the library scan has finished.
for _ in $(seq 600); do
    grep -q "mp3-titles" "$folder/debug.txt" 2>/dev/null && break
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended on its own"
    sleep 0.1
done
grep -q "found 13 mp3-titles" "$folder/debug.txt" || fail "the library scan did not report its 13 titles"
grep -q "Reading Skins/Default/Config.ini" "$folder/debug.txt" || fail "the skin was not read"
# (A first start has no Ratings.dat yet, which the log notes; a missing skin file is an error.)
if grep -q "Skins/.*not found\|could not be" "$folder/debug.txt"; then
    fail "the start-up reported an error"
fi

# SIGTERM, as the desktop's log-out sends it, ends the program through its own exit.
kill -TERM "$program_pid"
status=0
wait "$program_pid" || status=$?
program_pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
[ -f "$folder/Ratings.dat" ] || fail "Ratings.dat was not written into the program folder"

snapshot > "$work/after"
diff -u "$work/before" "$work/after" >&2 || fail "files under the prefix changed"

cmake -DMANIFEST="$work/install_manifest.txt" -P "$source/tools/install/uninstall.cmake" >/dev/null
left=$(find "$prefix" -type f -o -type l)
[ -z "$left" ] || fail "the uninstall left files behind: $left"
[ ! -e "$prefix/lib/zuvenmedia" ] || fail "the uninstall left the program folder"
echo "install test passed"
