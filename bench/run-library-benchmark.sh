#!/usr/bin/env bash
# Builds a synthetic music library of about 100,000 files in a temporary folder and prints the
# library figures: the scan against `find` over the same tree, one title search over 100,000
# titles and the folder-information pass over 1,000 titles (ID3v1 against ID3v2 tags). Exits
# non-zero when a figure is over its limit.
#   bench/run-library-benchmark.sh              (build folder build-bench, optimised)
#   BUILD_DIR=build bench/run-library-benchmark.sh
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${BUILD_DIR:-build-bench}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j2 --target zvn_library_benchmark >/dev/null
benchmark="$build_dir/bench/zvn_library_benchmark"

work=$(mktemp -d "${TMPDIR:-/tmp}/zvn-library-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

"$benchmark" make "$work"
"$benchmark" run "$work"
