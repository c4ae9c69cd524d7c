#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Runs as root, or through sudo; does nothing when everything is there already.
set -euo pipefail

packages=(
    build-essential cmake pkg-config git
    libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev libfontconfig-dev fonts-liberation
    libjpeg62-turbo-dev libmpv-dev libespeak-ng-dev espeak-ng-data libglib2.0-dev
    libgl-dev libglm-dev libsimpleini-dev libtag1-dev
    libegl-mesa0 libgl1-mesa-dri
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    ffmpeg
    dbus-daemon libglib2.0-bin
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
