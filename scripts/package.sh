#!/usr/bin/env bash
# Builds the Windows release and writes into build/dist what a Windows user downloads:
#   Zelvora-VERSION-win64.zip   the programs, guide, examples and licences, to unzip and run anywhere
#   Zelvora-VERSION-setup.exe   the per-user installer (scripts/make_installer.sh)
#   SHA256SUMS                  the checksums of both
# The version is the project's, as the release build wrote it into text/version.h.
#
#   scripts/package.sh [--from TREE]
#
# --from packages the programs of a Windows tree already built (the test command packages its test tree,
# so that the install tests need no second build); the downloads themselves come from the release build.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = "--from" ] && [ -n "${2:-}" ]; then
    release=$2
    [ -f "$release/Zelvora.exe" ] && [ -f "$release/cli/zelvora-cli.exe" ] ||
        { echo "$release holds no built Zelvora.exe and cli/zelvora-cli.exe" >&2; exit 1; }
else
    [ $# -eq 0 ] || { echo "usage: $0 [--from TREE]" >&2; exit 64; }
    scripts/setup.sh
    release=build/release
    cache=()
    if command -v ccache >/dev/null; then
        cache=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S . -B "$release" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
        "${cache[@]}" >/dev/null
    cmake --build "$release" --target Zelvora zelvora-cli
fi
version=$(sed -n 's/^#define ZELVORA_VERSION "\(.*\)"$/\1/p' "$release/generated/text/version.h")
[ -n "$version" ] || { echo "no version in $release/generated/text/version.h" >&2; exit 1; }

name=Zelvora-$version
stage=build/package/$name
dist=build/dist
rm -rf build/package "$dist"
mkdir -p "$stage/examples" "$stage/licences" "$dist"

# Symbols are of no use to a user and make up most of the size.
x86_64-w64-mingw32-strip -o "$stage/Zelvora.exe" "$release/Zelvora.exe"
x86_64-w64-mingw32-strip -o "$stage/zelvora-cli.exe" "$release/cli/zelvora-cli.exe"
cp examples/*.Zlv "$stage/examples/"

# Text files with CR LF line ends, as Windows editors expect them.
to_windows_text() { sed 's/\r*$/\r/' "$1" > "$2"; }
sed "s/@VERSION@/$version/g" packaging/README.txt > build/package/README.txt
to_windows_text build/package/README.txt "$stage/README.txt"
to_windows_text resources/help.txt "$stage/Guide.txt"
to_windows_text LICENSE "$stage/LICENSE.txt"
# The licences of the code compiled into the programs, as Debian ships them with its packages.
while read -r licence source; do
    [ -f "$source" ] || { echo "licence of $licence not found: $source" >&2; exit 1; }
    to_windows_text "$source" "$stage/licences/$licence.txt"
done <<'LICENCES'
clipper build/_deps/libpolyclipping/debian/copyright
dxflib build/_deps/dxflib/debian/copyright
geographiclib build/_deps/geographiclib/debian/copyright
nlohmann-json /usr/share/doc/nlohmann-json3-dev/copyright
libharu build/_deps/libharu/README
zlib /usr/share/doc/libz-mingw-w64-dev/copyright
dejavu-fonts /usr/share/doc/fonts-dejavu-core/copyright
droid-fallback-font /usr/share/doc/fonts-droid-fallback/copyright
mingw-w64-runtime /usr/share/doc/mingw-w64-x86-64-dev/copyright
gcc-runtime /usr/share/doc/gcc-mingw-w64-base/copyright
LICENCES

(cd build/package && zip -q -r -X -9 "../../$dist/$name-win64.zip" "$name")
scripts/make_installer.sh "$stage" "$version" "$dist/$name-setup.exe"
(cd "$dist" && sha256sum "$name-win64.zip" "$name-setup.exe" > SHA256SUMS)
ls -l "$dist"
