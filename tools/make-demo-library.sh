#!/usr/bin/env bash
# Creates a demo program folder: Config.ini, the program and its sibling, the skins and a small
# media library of generated media that really plays: four albums of short MP3 titles (three
# tagged, one without tags) with their covers, a playlist, photos, two videos and two program
# links. Usage: make-demo-library.sh FOLDER
#
# Everything is generated with ffmpeg; no media file comes from the repository. A file that is
# already there (and not empty) is kept, so running the script again only adds what is missing
# and never changes or deletes anything the user put into the folder. Config.ini is written
# only when there is none. ZVN_DEMO_QUICK=1 cuts every title to three seconds (for the tests).
set -euo pipefail
if ! command -v ffmpeg >/dev/null 2>&1; then
    echo "make-demo-library.sh: ffmpeg is not installed, but it generates the demo media." >&2
    echo "Install it with tools/setup-debian.sh (Debian package ffmpeg) and run this again." >&2
    exit 1
fi
repo=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: make-demo-library.sh FOLDER}

mkdir -p "$target"
target=$(cd "$target" && pwd)

ln -sfn "$repo/build/zuvenmedia" "$target/zuvenmedia"
ln -sfn "$repo/build/config.exe" "$target/config.exe"
ln -sfn "$repo/build/Diashow.exe" "$target/Diashow.exe"
[ -d "$repo/Skins" ] && ln -sfn "$repo/Skins" "$target/Skins"

music="$target/Musik"
photos="$target/Fotos"
videos="$target/Videos"
links="$target/Programme"
mkdir -p "$music" "$photos" "$videos" "$links"

quick=${ZVN_DEMO_QUICK:-0}
font=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf

ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@"; }

# The media are made by two ffmpeg processes running side by side (the machines this runs on
# may have only two cores); each makes many files at once, so that ffmpeg's start-up, which
# costs more than most of these small files, is paid only twice. Every file is written under a
# hidden name beside its target and renamed when its process has succeeded, so an interrupted
# run leaves no half file that the next run would keep.
inputs0=() outputs0=() targets0=()
inputs1=() outputs1=() targets1=()
next_group=0
partial_name() { echo "$(dirname "$1")/.partial-$(basename "$1")"; }

generate() { # OUT LAVFI_GRAPH OUTPUT_OPTIONS... (nothing when OUT is there already)
    local out=$1 graph=$2
    shift 2
    [ -s "$out" ] && return 0
    local -n inputs=inputs$next_group outputs=outputs$next_group targets=targets$next_group
    next_group=$((1 - next_group))
    outputs+=(-map "$((${#inputs[@]} / 4))" "$@" "$(partial_name "$out")")
    inputs+=(-f lavfi -i "$graph")
    targets+=("$out")
}

run_group() { # GROUP
    local -n inputs=inputs$1 outputs=outputs$1 targets=targets$1
    [ ${#targets[@]} -eq 0 ] && return 0
    local target
    if ff "${inputs[@]}" "${outputs[@]}"; then
        for target in "${targets[@]}"; do
            mv -f "$(partial_name "$target")" "$target"
        done
        return 0
    fi
    for target in "${targets[@]}"; do
        rm -f "$(partial_name "$target")"
    done
    echo "make-demo-library.sh: could not generate: ${targets[*]}" >&2
    return 1
}

# Writes a small text file (CR LF line ends) unless the target exists and is not empty.
write_text() { # OUT LINE...
    local out=$1
    shift
    [ -s "$out" ] && return 0
    printf '%s\r\n' "$@" > "$out.partial"
    mv -f "$out.partial" "$out"
}

# A title: a plucked four-note arpeggio over a soft chord, so that each title sounds different.
# PATTERN holds four semitone steps above BASE (Hz), RATE notes per second; THIRD is the chord's
# third as a frequency ratio (1.2599 major, 1.1892 minor). TAGS are ffmpeg -metadata options.
mp3_title() { # OUT SECONDS BASE RATE PATTERN THIRD TAGS...
    local out=$1 seconds=$2 base=$3 rate=$4 third=$6
    local a b c d
    read -r a b c d <<< "$5"
    shift 6
    local k="mod(floor(t*$rate),4)"
    local step="if(eq($k,0),$a,if(eq($k,1),$b,if(eq($k,2),$c,$d)))"
    local pluck="0.35*exp(-5*(t*$rate-floor(t*$rate)))*sin(2*PI*$base*pow(2,$step/12)*t)"
    local pad="0.08*(sin(2*PI*$base*t)+sin(2*PI*$base*$third*t)+sin(2*PI*$base*1.4983*t))"
    local fade_out=$((seconds > 2 ? 1 : 0))
    generate "$out" "aevalsrc=exprs='$pluck+$pad':s=22050:d=$seconds,afade=t=in:d=0.2,afade=t=out:st=$((seconds - fade_out)):d=$fade_out" \
        -c:a libmp3lame -b:a 48k -ac 1 -write_xing 0 "$@" -f mp3
}

# A JPEG picture of WIDTHxHEIGHT from one of ffmpeg's pattern sources, with a caption when
# the font is there.
picture() { # OUT SOURCE WIDTH HEIGHT CAPTION
    local out=$1 source=$2 width=$3 height=$4 caption=$5
    local size="s=${width}x${height}"
    case $source in
        *=*) source="$source:$size" ;;
        *) source="$source=$size" ;;
    esac
    if [ -n "$caption" ] && [ -f "$font" ]; then
        source="$source,drawtext=fontfile=$font:text='$caption':fontsize=$((height / 10)):fontcolor=white:borderw=$((height / 200 + 1)):x=(w-text_w)/2:y=h*0.8"
    fi
    # The pattern sources never end; ffmpeg ends when every input has ended.
    generate "$out" "$source,trim=end_frame=1" -frames:v 1 -q:v 4 -f image2 -update 1
}

video() { # OUT SOURCE SECONDS TONE_HZ VIDEO_CODEC AUDIO_CODEC
    generate "$1" "$2=s=320x240:r=25:d=$3 [out0]; sine=f=$4:d=$3:r=22050 [out1]" \
        -c:v "$5" -pix_fmt yuv420p -c:a "$6" -b:a 48k -ac 1 -shortest
}

# Music: the albums and their titles. Tagged titles carry ID3v1 tags only (no ID3v2 header in
# front of the first frame), and no title starts with an "Info" frame: the program would take
# that frame's bit rate for the whole file and show a wrong length. The playlist collects some titles of the first two albums.
playlist=("#EXTM3U")
album_dir="" artist="" album="" year="" genre=""
album() { # FOLDER ARTIST ALBUM YEAR GENRE (ARTIST empty: no tags)
    album_dir="$music/$1"
    artist=$2 album=$3 year=$4 genre=$5
    mkdir -p "$album_dir"
}
title() { # TRACK FILE TITLE SECONDS BASE RATE PATTERN THIRD [playlist]
    local track=$1 file=$2 name=$3 seconds=$4
    [ "$quick" = 1 ] && [ "$seconds" -gt 3 ] && seconds=3
    local tags=(-id3v2_version 0)
    if [ -n "$artist" ]; then
        tags+=(-write_id3v1 1 -metadata "TIT2=$name" -metadata "TPE1=$artist"
               -metadata "TALB=$album" -metadata "TYER=$year" -metadata "TRCK=$track"
               -metadata "TCON=$genre")
    fi
    mp3_title "$album_dir/$file" "$seconds" "$5" "$6" "$7" "$8" "${tags[@]}"
    if [ "${9:-}" = playlist ]; then
        playlist+=("#EXTINF:$seconds,$artist - $name" "${album_dir#"$music/"}/$file")
    fi
}

major=1.2599
minor=1.1892

album "Demo Band - Erstes Album" "Demo Band" "Erstes Album" 2019 Ambient
title 1 "01 - Morgenlicht.mp3" Morgenlicht 12 220 4 "0 4 7 12" $major playlist
title 2 "02 - Wellenreiter.mp3" Wellenreiter 25 247 3 "0 7 12 7" $major
title 3 "03 - Abendrot.mp3" Abendrot 45 196 2 "0 3 7 10" $minor playlist
title 4 "04 - Sternenstaub.mp3" Sternenstaub 60 262 6 "12 7 4 0" $major
picture "$album_dir/cover_front.jpg" "mandelbrot=maxiter=300" 1200 1200 "Erstes Album"
picture "$album_dir/cover_back.jpg" "mandelbrot=maxiter=300:start_x=-0.75:start_scale=0.5" 1200 1200 "Demo Band"

album "Demo Band - Zweites Album" "Demo Band" "Zweites Album" 2021 Electronic
title 1 "01 - Aufbruch.mp3" Aufbruch 8 330 8 "0 4 7 11" $major playlist
title 2 "02 - Umweg.mp3" Umweg 20 294 5 "0 5 9 12" $major
title 3 "03 - Heimkehr.mp3" Heimkehr 35 175 3 "0 4 7 4" $major playlist
picture "$album_dir/Album_vorn.jpg" testsrc2 300 300 "Zweites Album"
picture "$album_dir/Album_hinten.jpg" smptebars 300 300 "Demo Band"

album "Klangwerk - Akkorde" "Klangwerk" "Akkorde" 2023 Classical
title 1 "01 - Dur.mp3" Dur 6 262 2 "0 4 7 12" $major
title 2 "02 - Moll.mp3" Moll 15 220 2 "0 3 7 12" $minor
title 3 "03 - Septime.mp3" Septime 30 196 4 "0 4 7 10" $major
picture "$album_dir/scan-a.jpg" "cellauto=rule=110" 800 800 "Akkorde"
picture "$album_dir/scan-b.jpg" "cellauto=rule=30" 800 800 "Klangwerk"

album "Straßenmusik (ohne Tags)" "" "" "" ""
title 1 "Straßenmusik - Regentropfen.mp3" "" 10 392 6 "0 2 4 7" $major
title 2 "Straßenmusik - Nachtzug.mp3" "" 18 147 2 "0 3 5 7" $minor
title 3 "Straßenmusik - Glockenspiel.mp3" "" 40 523 5 "0 7 4 12" $major
picture "$album_dir/folder.jpg" "gradients=seed=7" 500 500 "Straßenmusik"

write_text "$music/Lieblingslieder.m3u" "${playlist[@]}"

# Photos of different sizes and colours, in the photo root and two folders.
mkdir -p "$photos/Urlaub" "$photos/Garten"
picture "$photos/Titelbild.jpg" testsrc2 1280 720 "Fotos"
picture "$photos/Urlaub/Strand.jpg" "gradients=seed=3" 1600 1200 "Strand"
picture "$photos/Urlaub/Berge.jpg" "mandelbrot=maxiter=200:start_x=-1.25:start_scale=0.3" 1024 768 "Berge"
picture "$photos/Urlaub/Testbild.jpg" testsrc 640 480 ""
picture "$photos/Garten/Farbbalken.jpg" smptebars 800 600 ""
picture "$photos/Garten/Zellen.jpg" "cellauto=rule=90" 640 640 "Garten"

# Videos: a modern one and one of the old kind, and the folder's picture.
video "$videos/Testbild.mp4" testsrc2 5 330 libx264 aac
video "$videos/Farbbalken.avi" smptebars 4 1000 mpeg4 libmp3lame
picture "$videos/Kino.jpg" "gradients=seed=11" 400 300 "Videos"

# Program links: a web address and a program that every Debian system has. `true` starts and
# ends at once; it stands in for the user's own programs and games.
write_text "$links/Debian im Netz.desktop" "[Desktop Entry]" "Type=Link" "Name=Debian im Netz" \
    "Comment=Die Seite von Debian im Webbrowser" "URL=https://www.debian.org/"
write_text "$links/Beispielprogramm.desktop" "[Desktop Entry]" "Type=Application" \
    "Name=Beispielprogramm" "Comment=Startet das Programm true, das sofort wieder endet" \
    "Exec=true" "Terminal=false"
picture "$links/Debian im Netz.jpg" testsrc2 320 240 "Debian"
picture "$links/Beispielprogramm.jpg" smptebars 320 240 "Programm"

failed=0
run_group 0 &
first=$!
run_group 1 || failed=1
wait "$first" || failed=1

if [ ! -f "$target/Config.ini" ]; then
    printf '%s\r\n' \
        "[Options]" "Language=0" "ShowDebugWindow=1" \
        "[Paths]" "MP3Path=$music/" "FotosPath=$photos/" \
        "ProgramLinksPath=$links/" "VideoPath=$videos/" \
        "[Display]" "ScreenWidth=1280" "ScreenHeight=1024" "NumberOfTitlebars=10" \
        "DelimiterBetweenInterpretAndTitle=\" - \"" \
        "[Skin]" "SkinName=Default" "AvailableSkins=Default" > "$target/Config.ini"
fi

if [ "$failed" -ne 0 ]; then
    echo "make-demo-library.sh: some media could not be generated (see above)" >&2
    exit 1
fi
echo "demo folder: $target"
