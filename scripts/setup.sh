#!/usr/bin/env bash
# Installs the Debian packages the build needs and fetches the sources of the polygon clipper, dxflib,
# GeographicLib and libharu from Debian's source packages into the build tree. Safe to run again: it skips what
# is already there, so builds work offline afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev googletest
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    wine wine64 xvfb xauth x11-utils xdotool xclip imagemagick dpkg-dev nlohmann-json3-dev python3
    nsis zip unzip
    zlib1g-dev libz-mingw-w64-dev fonts-dejavu-core fonts-droid-fallback poppler-utils ghostscript
    libgeos-dev
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

scripts/fetch_clipper.sh
scripts/fetch_debian_source.sh dxflib geographiclib libharu

