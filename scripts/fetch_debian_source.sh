#!/usr/bin/env bash
# Fetches Debian source packages into build/_deps/NAME (unpacked, with Debian's patches applied) through
# a private apt configuration, so that nothing outside the build tree changes. The source entries are
# derived from the machine's own binary entries: same archives, type deb-src. A package already
# unpacked is skipped, so builds work offline after the first.
#
#   scripts/fetch_debian_source.sh NAME...
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || { echo "usage: $0 SOURCE-PACKAGE..." >&2; exit 64; }

deps=$PWD/build/_deps
wanted=()
for name in "$@"; do
    [ -f "$deps/$name/.fetched" ] || wanted+=("$name")
done
[ ${#wanted[@]} -gt 0 ] || exit 0

apt_dir=$PWD/build/_apt  # apt wants absolute paths here
rm -rf "$apt_dir"
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/download"
for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && { sed 's/^Types: deb$/Types: deb-src/' "$f"; echo; }
done > "$apt_dir/sources/src.sources"
: > "$apt_dir/sources/src.list"
if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > "$apt_dir/sources/src.list"
fi
opts=(-o "Dir::Etc::SourceList=$apt_dir/sources/src.list"
      -o "Dir::Etc::SourceParts=$apt_dir/sources"
      -o "Dir::State::Lists=$apt_dir/lists")
apt-get "${opts[@]}" -q update

for name in "${wanted[@]}"; do
    download=$apt_dir/download/$name
    mkdir -p "$download"
    rm -rf "$download/tree" "${deps:?}/$name"
    if (cd "$download" && apt-get "${opts[@]}" source --download-only "$name"); then
        dsc=$(find "$download" -name "${name}_*.dsc" | head -n 1)
        [ -n "$dsc" ] || { echo "$name: no .dsc downloaded" >&2; exit 1; }
        # dpkg-source leaves copies of the tarballs beside the tree it makes, so it works in the download folder.
        (cd "$download" && dpkg-source --no-check -x "$(basename "$dsc")" tree >/dev/null)
    else
        # Some archives answer 404 for a package's Debian tarball while the upstream one arrives: then the
        # upstream tree is used as it is, without Debian's patches.
        orig=$(find "$download" -name "${name}_*.orig.tar.*" | head -n 1)
        [ -n "$orig" ] || { echo "$name: nothing downloaded" >&2; exit 1; }
        echo "$name: Debian's tarball is missing; using the upstream one, $(basename "$orig")" >&2
        mkdir -p "$download/unpacked"
        tar -xf "$orig" -C "$download/unpacked"
        mv "$download/unpacked/"* "$download/tree"
        rm -rf "$download/unpacked"
        dsc=$orig
    fi
    mkdir -p "$deps"
    mv "$download/tree" "$deps/$name"
    basename "$dsc" > "$deps/$name/.fetched"
done
