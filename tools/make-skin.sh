#!/usr/bin/env bash
# Builds the skin generator and redraws the "Default" skin in Skins/Default.
#   tools/make-skin.sh                                  the skin only
#   tools/make-skin.sh --sheet /tmp/skin-sheet.png      also a contact sheet of every picture
#   tools/make-skin.sh --zoom-sheet /tmp/zoom.png       the same, small pictures magnified
#   tools/make-skin.sh --preview /tmp/preview.png       also mock screens at 1280 and 800 wide
# BUILD_DIR chooses the build folder (default build-skingen).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build-skingen}

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZVN_BUILD_TESTS=OFF >/dev/null
cmake --build "$build_dir" -j2 --target skingen
SDL_VIDEODRIVER=dummy "$build_dir/skingen" Skins/Default "$@"
