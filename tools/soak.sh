#!/usr/bin/env bash
# The long soak by hand: the soak test with many events (one million unless given), in the plain
# build, printing the heap in use at the start, after the first minute and at the end.
#   tools/soak.sh [EVENTS [SEED]]
set -euo pipefail
cd "$(dirname "$0")/.."
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy ZVN_HEADLESS=1
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target zuvenmedia_tests
start=$(date +%s)
ZVN_SOAK_EVENTS=${1:-1000000} ZVN_SOAK_SEED=${2:-20261209} ZVN_SOAK_HEAP=1 \
    nice build/tests/zuvenmedia_tests --gtest_filter='SoakTest.*' --gtest_brief=1
echo "soak: $(($(date +%s) - start)) s in all"
