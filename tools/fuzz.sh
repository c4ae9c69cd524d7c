#!/usr/bin/env bash
# Builds the fuzz harnesses (clang, libFuzzer, AddressSanitizer + UndefinedBehaviorSanitizer;
# build folder build-fuzz/), makes their seed corpora and runs each harness in turn for the
# given time or 10 million executions, whichever comes first, niced, printing its executions and
# findings.
#   tools/fuzz.sh SECONDS_PER_HARNESS [HARNESS...]      (all harnesses when none is named)
# ZVN_FUZZ_RUNS changes the cap on executions; ZVN_FUZZ_JOBS=N runs N harnesses at once.
# Corpora grow in build-fuzz/corpus/HARNESS/ and are kept between runs; a finding (crash,
# sanitizer report, failed round trip, timeout, memory) is saved as
# build-fuzz/findings/HARNESS-{crash,leak,timeout,oom}-*; run it again with
# build-fuzz/fuzz/HARNESS FILE. Inputs that merely ran slowly (HARNESS-slow-unit-*) are kept
# for a look but are no findings.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
seconds=${1:?usage: tools/fuzz.sh SECONDS_PER_HARNESS [HARNESS...]}
shift
all=(FuzzMpegHeader FuzzM3u FuzzProfile FuzzRatings FuzzDiashow FuzzEncoding FuzzDesktopEntry
     FuzzJpeg FuzzKeys)
harnesses=("$@")
[ ${#harnesses[@]} -eq 0 ] && harnesses=("${all[@]}")

command -v clang++ >/dev/null || { echo "fuzz.sh: clang is missing (tools/setup-debian.sh)" >&2; exit 1; }
build=$repo/build-fuzz
export CC=clang CXX=clang++
cmake -S . -B "$build" -DZVN_FUZZ=ON -DZVN_BUILD_TESTS=OFF -DZVN_BUILD_BENCHMARKS=OFF \
    -DCMAKE_BUILD_TYPE=Fuzz -DCMAKE_C_FLAGS="-O1 -gline-tables-only" \
    -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only" >/dev/null
nice cmake --build "$build" -j2 --target fuzz_harnesses

export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ZVN_HEADLESS=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$repo/tests/lsan.supp

# --- Seeds: the tests' generated media, a demo library and hand-written text files. ---
seeds=$build/seeds
rm -rf "$seeds"
for h in "${all[@]}"; do mkdir -p "$seeds/$h" "$build/corpus/$h"; done
mkdir -p "$build/findings"
"$build/fuzz/FuzzSeeds" "$seeds/FuzzMpegHeader" "$seeds/FuzzJpeg"

demo=$build/demo-library
if [ ! -d "$demo/Musik" ]; then
    ZVN_DEMO_QUICK=1 nice tools/make-demo-library.sh "$demo" >/dev/null
fi
n=0
while IFS= read -r -d '' file; do
    n=$((n + 1))
    # The frame search reads the first 10 KiB and the tag the last 128 bytes.
    { head -c 12288 "$file"; tail -c 128 "$file"; } >"$seeds/FuzzMpegHeader/demo-$n.mp3"
done < <(find "$demo/Musik" -name '*.mp3' -print0)
n=0
while IFS= read -r -d '' file; do
    n=$((n + 1))
    # The JPEG harness takes two option bytes first; the photos are made small so each run is
    # quick.
    ffmpeg -nostdin -loglevel error -y -i "$file" -vf scale=96:-1 "$seeds/demo-$n.jpg"
    { printf '\000\000'; cat "$seeds/demo-$n.jpg"; } >"$seeds/FuzzJpeg/demo-$n.jpg"
    { printf '\046\000'; cat "$seeds/demo-$n.jpg"; } >"$seeds/FuzzJpeg/demo-$n-quarter.jpg"
    rm "$seeds/demo-$n.jpg"
done < <(find "$demo/Fotos" "$demo/Musik" -name '*.jpg' -print0)
find "$demo" -name '*.m3u' -exec cp {} "$seeds/FuzzM3u/" \;
# The INI harness reads three length bytes (section, key, value) before the file.
{ printf '\000\000\000'; cat "$demo/Config.ini"; } >"$seeds/FuzzProfile/demo-Config.ini"
for skin in Skins/*/Config.ini; do
    { printf '\005\011\000FontsgFontName'; cat "$skin"; } \
        >"$seeds/FuzzProfile/skin-$(basename "$(dirname "$skin")").ini"
done
find "$demo" -name '*.desktop' -exec cp {} "$seeds/FuzzDesktopEntry/" \;

# Hand-written seeds of each text format (CR LF and LF, Windows-1252 and UTF-8, odd lines).
printf '#EXTM3U\r\n#EXTINF:215,ABBA - Waterloo\r\nABBA\\Waterloo.mp3\r\n#EXTINF:-1,Radio\r\nhttp://radio/stream\r\n# a comment\r\n/abs/S\xfc\xdfe.mp3\r\n' >"$seeds/FuzzM3u/hand.m3u"
printf '\xef\xbb\xbf#EXTINF:12.5,Sch\xc3\xb6n\n#extm3u\n  Titel.mp3  \n#EXTINF:abc,kaputt\n\n#EXTINF:99999999999,x\nz.mp3\n#trailing\n' >"$seeds/FuzzM3u/hand-bom.m3u"
printf '\003\003\005OptsKeyValue[Opts]\r\nKey=1\r\n; comment\r\n[Display]\r\nScreenWidth=0x400\r\nName = "  quoted  "\r\nPfad=C:\\M\xfcsik\r\n' >"$seeds/FuzzProfile/hand.ini"
printf '\007\004\003Diashowbildneu\xef\xbb\xbf[diashow]\nBild="Am Strand"\nbild=zweiter\n[Andere]\nX=$FFFFFFFF\n' >"$seeds/FuzzProfile/hand-bom.ini"
printf '# maximum rating is 5/5\r\n\r\n/Musik/ABBA/Waterloo=***\r\n/Musik/\xc4rzte/Lied=*****\r\n/M/x=-\r\nohne Gleichheitszeichen\r\n=leer\r\n/M/y=gut=besser\r\n' >"$seeds/FuzzRatings/hand.dat"
printf '\xef\xbb\xbf/Musik/\xc3\x84rzte/Lied=\n#x\n/musik/\xe4rzte/lied=*\n' >"$seeds/FuzzRatings/hand-bom.dat"
printf '\004Bild[Diashow]\r\nBild=Am Strand\r\nStrand=Sonnenuntergang\r\n' >"$seeds/FuzzDiashow/hand.dat"
printf '\007M\xfcnchen[Diashow]\nm\xfcnchen="Im Winter"\n' >"$seeds/FuzzDiashow/hand-1252.dat"
printf 'Gr\xfc\xdfe \x80 \x81 \x9d \xff' >"$seeds/FuzzEncoding/cp1252.txt"
printf '\xef\xbb\xbfGr\xc3\xbc\xc3\x9fe \xe2\x82\xac \xf0\x9f\x8e\xb5 \xc3\x83\xc2\xa9' >"$seeds/FuzzEncoding/utf8.txt"
printf '/Musik/\xc3\x84rzte/S\xfc\xdfe.mp3' >"$seeds/FuzzEncoding/mixed-path.txt"
printf '[Desktop Entry]\nType=Application\nName=Editor\nComment=Texte\nComment[de]=Texte bearbeiten\nExec=/bin/true --x "a b" %%f\nPath=/tmp\nIcon=editor\n' >"$seeds/FuzzDesktopEntry/app.desktop"
printf '[Desktop Entry]\nType=Link\nName=Web\nURL=https://example.org/\n' >"$seeds/FuzzDesktopEntry/link.desktop"
# Key sequences: pairs of (kind, value); kinds 2-7 press a key (bit 3 Shift, bit 4 Ctrl),
# 0 types text, 1 lets time pass.
printf '\002\050\002\050\002\015\001\030\002\047\002\015\002\010\002\033' >"$seeds/FuzzKeys/browse"
printf '\002\162\002\163\002\164\002\165\002\166\002\167\002\170\001\377' >"$seeds/FuzzKeys/function-keys"
printf '\002\161\000\001\000\002\000\007\002\010\002\015\001\200' >"$seeds/FuzzKeys/search"

# --- Runs: one harness at a time, or ZVN_FUZZ_JOBS side by side. ---
runs_cap=${ZVN_FUZZ_RUNS:-10000000}
jobs=${ZVN_FUZZ_JOBS:-1}
run_one() {
    local h=$1 log=$build/findings/$1.log extra=() start status elapsed runs findings
    # Long key sequences only make one input slower, not the search better.
    [ "$h" = FuzzKeys ] && extra=(-max_len=256)
    start=$(date +%s)
    set +e
    # Niced on a busy machine, one input can wait for the processor for half a minute; the
    # timeout is for inputs that hang, so it leaves room for that.
    nice "$build/fuzz/$h" "$build/corpus/$h" "$seeds/$h" -max_total_time="$seconds" \
        -runs="$runs_cap" -print_final_stats=1 -rss_limit_mb=3072 -timeout=120 \
        -artifact_prefix="$build/findings/$h-" "${extra[@]}" >"$log" 2>&1
    status=$?
    set -e
    elapsed=$(($(date +%s) - start))
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
    findings=$(find "$build/findings" -name "$h-*" ! -name '*.log' ! -name "$h-slow-unit-*" | wc -l)
    [ "$status" -ne 0 ] && findings="$findings (exit $status, see $log)"
    printf '%-18s %14s %8s %s\n' "$h" "${runs:-?}" "$elapsed" "$findings"
}
printf '%-18s %14s %8s %s\n' harness executions seconds findings
for h in "${harnesses[@]}"; do
    run_one "$h" &
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
done
wait
