#!/usr/bin/env bash
# Builds and runs the whole test suite headless: the plain build, then the build with
# AddressSanitizer and UndefinedBehaviorSanitizer.
#   tools/test.sh           plain + asan (what CI runs)
#   tools/test.sh plain     plain only
#   tools/test.sh asan      sanitizer build only
#   tools/test.sh tsan      ThreadSanitizer build
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ZVN_HEADLESS=1

run_preset() {
    local preset=$1
    echo "== $preset build =="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j2
    ctest --preset "$preset"
}

case "${1:-all}" in
    all) run_preset default; run_preset asan ;;
    plain) run_preset default ;;
    asan) run_preset asan ;;
    tsan) run_preset tsan ;;
    *) echo "usage: $0 [all|plain|asan|tsan]" >&2; exit 2 ;;
esac
