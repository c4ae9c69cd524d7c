#!/usr/bin/env bash
# Drives the running program through its media-player interface on a private session bus:
#   dbus-run-session -- bash tests/playback/mpris_test.sh PROGRAM SOURCE_DIR
# The waits below poll for what the other process does, each with a bound; none waits for
# time to pass.
set -u

program=$1
source_dir=$2
bus_name=org.mpris.MediaPlayer2.zuvenmedia
object=/org/mpris/MediaPlayer2
player=org.mpris.MediaPlayer2.Player

work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -f "$work/program/debug.txt" ]; then
        echo "--- debug.txt (end)" >&2
        tail -n 80 "$work/program/debug.txt" >&2
    fi
    [ -f "$work/stderr.txt" ] && { echo "--- stderr" >&2; tail -n 40 "$work/stderr.txt" >&2; }
    exit 1
}

# A 60-second title with an ID3v1.1 tag, long enough never to end during the test. Without an
# ID3v2 tag ffmpeg fills the ID3v1 fields from the ID3v2 frame names.
make_title() {
    ffmpeg -loglevel error -f lavfi -i "sine=frequency=$1:duration=60" -ac 1 -ar 22050 \
        -c:a libmp3lame -b:a 32k -id3v2_version 0 -metadata TPE1="$2" -metadata TIT2="$3" \
        -metadata TALB="Probe" -metadata TRCK="$4" -write_id3v1 1 "$5" ||
        fail "ffmpeg could not make $5"
}

# file:// URI of a path: every byte but the unreserved ones and "/" percent-encoded.
file_uri() {
    local LC_ALL=C path=$1 uri=file:// i c
    for ((i = 0; i < ${#path}; i++)); do
        c=${path:i:1}
        case $c in
        [A-Za-z0-9/._~-]) uri+=$c ;;
        *) uri+=$(printf '%%%02X' "'$c") ;;
        esac
    done
    printf '%s' "$uri"
}

call() {
    gdbus call --session --dest "$bus_name" --object-path "$object" --method "$@"
}
property() {
    call org.freedesktop.DBus.Properties.Get "$1" "$2"
}

# Polls `property` until it contains the text; fails after ~15 s.
wait_for() {
    local interface=$1 name=$2 expected=$3 value i
    for ((i = 0; i < 150; i++)); do
        value=$(property "$interface" "$name" 2>&1)
        case $value in *"$expected"*) return 0 ;; esac
        sleep 0.1
    done
    fail "$name never showed \"$expected\"; last: $value"
}

mkdir -p "$work/program" "$work/music/Mädchen Album" || fail "no temporary folder"
album="$work/music/Mädchen Album"
make_title 440 "Erste Band" "Erster Titel" 1 "$album/01 Eins.mp3"
make_title 550 "Zweite Band" "Zweiter Titel" 2 "$album/02 Zwei.mp3"
make_title 660 "Dritte Band" "Dritter Titel" 3 "$album/03 Drei.mp3"
ln -s "$source_dir/Skins" "$work/program/Skins"
printf '%s\r\n' "[Options]" "ShowDebugWindow=1" "[Paths]" "MP3Path=$work/music/" \
    "[Skin]" "SkinName=Default" "AvailableSkins=Default" >"$work/program/Config.ini"

(cd "$work/program" && exec env SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ZVN_HEADLESS=1 \
    ZVN_LOCK_DIR="$work" "$program" 2>"$work/stderr.txt") &
pid=$!

gdbus wait --session --timeout 20 "$bus_name" || fail "$bus_name never appeared on the bus"
kill -0 "$pid" 2>/dev/null || fail "the program ended before it was driven"

property org.mpris.MediaPlayer2 Identity | grep -q "'Zuvenmedia'" || fail "no identity"
wait_for $player PlaybackStatus "'Stopped'"

# The first title of the folder starts, with the others queued behind it.
call $player.OpenUri "$(file_uri "$album/01 Eins.mp3")" >/dev/null || fail "OpenUri was refused"
wait_for $player PlaybackStatus "'Playing'"
wait_for $player Metadata "'xesam:title': <'Erster Titel'>"
wait_for $player Metadata "'xesam:artist': <['Erste Band']>"
wait_for $player Metadata "'xesam:album': <'Probe'>"
wait_for $player CanGoNext "true"

call $player.PlayPause >/dev/null || fail "PlayPause was refused"
wait_for $player PlaybackStatus "'Paused'"
call $player.PlayPause >/dev/null || fail "PlayPause was refused"
wait_for $player PlaybackStatus "'Playing'"

call $player.Next >/dev/null || fail "Next was refused"
wait_for $player Metadata "'xesam:title': <'Zweiter Titel'>"
wait_for $player Metadata "'xesam:artist': <['Zweite Band']>"
wait_for $player PlaybackStatus "'Playing'"

# Not a file: refused with an error, and nothing changes.
call $player.OpenUri "http://example.invalid/a.mp3" >/dev/null 2>&1 &&
    fail "OpenUri took a URI that is no local file"

rm -f "$work/program/Ratings.dat"
call org.mpris.MediaPlayer2.Quit >/dev/null || fail "Quit was refused"
for ((i = 0; i < 200; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after Quit"
wait "$pid"
status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"
[ -f "$work/program/Ratings.dat" ] || fail "Ratings.dat was not written at the exit"
echo "MPRIS test passed"
