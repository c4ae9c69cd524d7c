#!/usr/bin/env bash
# Creates a demo program folder: Config.ini, the program and its sibling, the skins and a small
# media library (music, photos, videos, program links). Usage: make-demo-library.sh FOLDER
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?folder}
mkdir -p "$target"
target=$(cd "$target" && pwd)

ln -sfn "$repo/build/zuvenmedia" "$target/zuvenmedia"
ln -sfn "$repo/build/config.exe" "$target/config.exe"
[ -d "$repo/Skins" ] && ln -sfn "$repo/Skins" "$target/Skins"

music="$target/Musik"
mkdir -p "$music/Demo Band - Erstes Album" "$music/Demo Band - Zweites Album" \
         "$target/Fotos/Urlaub" "$target/Videos" "$target/Programme"
for n in 1 2 3; do
    : > "$music/Demo Band - Erstes Album/0$n - Titel $n.mp3"
    : > "$music/Demo Band - Zweites Album/0$n - Lied $n.mp3"
done
: > "$music/Lieblingslieder.m3u"

if [ ! -f "$target/Config.ini" ]; then
    printf '%s\r\n' \
        "[Options]" "Language=0" "ShowDebugWindow=1" \
        "[Paths]" "MP3Path=$music/" "FotosPath=$target/Fotos/" \
        "ProgramLinksPath=$target/Programme/" "VideoPath=$target/Videos/" \
        "[Display]" "ScreenWidth=1280" "ScreenHeight=1024" "NumberOfTitlebars=10" \
        "DelimiterBetweenInterpretAndTitle=\" - \"" \
        "[Skin]" "SkinName=Default" "AvailableSkins=Default" > "$target/Config.ini"
fi
echo "demo folder: $target"
