#!/usr/bin/env bash
# Builds the program, creates a demo media library in demo/ and starts the program there.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target zuvenmedia config.exe Diashow.exe
tools/make-demo-library.sh demo
cd demo
exec ./zuvenmedia
