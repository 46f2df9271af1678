#!/usr/bin/env bash
# Fetches Debian's libpolyclipping source package (Clipper 6.4.2) into build/_deps/clipper with a
# private apt configuration, so that nothing outside the build tree changes. The source entries are
# derived from the machine's own binary entries: same archives, type deb-src.
set -euo pipefail
cd "$(dirname "$0")/.."
dest=$PWD/build/_deps/clipper
if [ -f "$dest/clipper.cpp" ] && [ -f "$dest/clipper.hpp" ]; then
    exit 0
fi

apt_dir=$PWD/build/_apt
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
(cd "$apt_dir/download" && apt-get "${opts[@]}" source --download-only libpolyclipping)

work=$apt_dir/unpack
mkdir -p "$work"
tarball=$(find "$apt_dir/download" -name 'libpolyclipping_*.orig.tar.*' | head -n 1)
[ -n "$tarball" ] || { echo "libpolyclipping source tarball not found" >&2; exit 1; }
tar -xf "$tarball" -C "$work"
cpp=$(find "$work" -path '*/cpp/clipper.cpp' | head -n 1)
hpp=$(find "$work" -path '*/cpp/clipper.hpp' | head -n 1)
[ -n "$cpp" ] && [ -n "$hpp" ] || { echo "clipper.cpp/clipper.hpp not found in $tarball" >&2; exit 1; }
grep -q 'CLIPPER_VERSION "6.4.2"' "$hpp" || { echo "unexpected clipper version in $hpp" >&2; exit 1; }
mkdir -p "$dest"
cp "$cpp" "$hpp" "$dest/"
