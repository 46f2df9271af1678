#!/usr/bin/env bash
# Takes Clipper 6.4.2 from Debian's libpolyclipping source package into build/_deps/clipper. The upstream
# tarball's top folder has an odd name, so the two files are found rather than assumed.
set -euo pipefail
cd "$(dirname "$0")/.."
dest=$PWD/build/_deps/clipper
mended='m_IntersectList[i] = 0;  // mended'
if [ -f "$dest/clipper.cpp" ] && [ -f "$dest/clipper.hpp" ] && grep -qF "$mended" "$dest/clipper.cpp" &&
    grep -qF "BottomPt = keptBottomPt; //mended" "$dest/clipper.cpp"; then
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
# Two mends. First: when an allocation fails while the intersections of a scanbeam are processed, the nodes
# already deleted were deleted a second time by the clean-up that follows the exception (a double free
# instead of a failed union). Each node's slot is emptied as it is deleted; deleting a null pointer is
# harmless.
# (The file has CR LF line ends.)
sed -i "s|^    delete iNode;\r$|    delete iNode;\r\n    $mended\r|" "$dest/clipper.cpp"
[ "$(grep -cF "$mended" "$dest/clipper.cpp")" -eq 1 ] || { echo "clipper.cpp: the mend did not apply" >&2; exit 1; }
# The other keeps a ring's lowest point across the joins of a sweep (see the script).
perl scripts/mend_clipper_bottoms.pl "$dest/clipper.cpp"
