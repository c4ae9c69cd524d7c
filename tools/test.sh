#!/usr/bin/env bash
# Builds and runs the whole test suite headless: the plain build, then the build with
# AddressSanitizer and UndefinedBehaviorSanitizer. After ctest (one process per test) each build
# runs the whole suite once more in one process in a random order, which finds tests that
# depend on state left behind by others; ZVN_TEST_SEED=N repeats the order of seed N.
#   tools/test.sh           plain + asan (what CI runs)
#   tools/test.sh plain     plain only
#   tools/test.sh asan      sanitizer build only
#   tools/test.sh tsan      ThreadSanitizer build
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh

export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ZVN_HEADLESS=1

# The whole suite in one process, shuffled with a seed that is printed, so that a failing order
# can be run again.
run_shuffled() {
    local binary=$1
    shift
    local seed=${ZVN_TEST_SEED:-$(((RANDOM * 32768 + RANDOM) % 99999 + 1))}
    echo "== $binary, shuffled in one process, seed $seed =="
    if ! env "$@" "$binary" --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1; then
        {
            echo "The shuffled run failed. Repeat this order with:"
            printf '    SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ZVN_HEADLESS=1 '
            printf '%q ' "$@" "$binary" --gtest_shuffle --gtest_random_seed="$seed"
            echo
        } >&2
        return 1
    fi
}

run_preset() {
    local preset=$1 dir=build
    # The sanitizer settings of the test presets in CMakePresets.json.
    local -a sanitizerEnv=()
    case "$preset" in
        asan)
            dir=build-asan
            sanitizerEnv=(ASAN_OPTIONS=detect_leaks=1
                          UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
                          LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp) ;;
        tsan)
            dir=build-tsan
            sanitizerEnv=("TSAN_OPTIONS=halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp") ;;
    esac
    echo "== $preset build =="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j2
    ctest --preset "$preset"
    run_shuffled "$dir/tests/zuvenmedia_tests" "${sanitizerEnv[@]}"
}

case "${1:-all}" in
    all) run_preset default; run_preset asan ;;
    plain) run_preset default ;;
    asan) run_preset asan ;;
    tsan) run_preset tsan ;;
    *) echo "usage: $0 [all|plain|asan|tsan]" >&2; exit 2 ;;
esac
