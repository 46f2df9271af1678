#!/usr/bin/env bash
# Takes Clipper 6.4.2 from Debian's libpolyclipping source package into build/_deps/clipper. The upstream
# tarball's top folder has an odd name, so the two files are found rather than assumed.
set -euo pipefail
cd "$(dirname "$0")/.."
dest=$PWD/build/_deps/clipper
if [ -f "$dest/clipper.cpp" ] && [ -f "$dest/clipper.hpp" ]; then
    exit 0
fi
scripts/fetch_debian_source.sh libpolyclipping
tree=build/_deps/libpolyclipping
cpp=$(find "$tree" -path '*/cpp/clipper.cpp' | head -n 1)
hpp=$(find "$tree" -path '*/cpp/clipper.hpp' | head -n 1)
[ -n "$cpp" ] && [ -n "$hpp" ] || { echo "clipper.cpp/clipper.hpp not found in $tree" >&2; exit 1; }
grep -q 'CLIPPER_VERSION "6.4.2"' "$hpp" || { echo "unexpected clipper version in $hpp" >&2; exit 1; }
mkdir -p "$dest"
cp "$cpp" "$hpp" "$dest/"
