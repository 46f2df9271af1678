#!/usr/bin/env bash
# Makes the NSIS installer of the files in a staged folder: lists them for the installer and for the
# uninstaller (which removes exactly these), then runs makensis on packaging/zelvora.nsi.
#
#   scripts/make_installer.sh STAGE VERSION OUTFILE
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 STAGE VERSION OUTFILE" >&2; exit 64; }
root=$(cd "$(dirname "$0")/.." && pwd)
stage=$(cd "$1" && pwd)
version=$2
outfile=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
list=$(mktemp --suffix=.nsh)
trap 'rm -f "$list"' EXIT

windows_path() { printf '%s' "${1//\//\\}"; }

{
    echo '; The files of one version, written by scripts/make_installer.sh.'
    echo '!macro InstallFiles'
    while read -r folder; do
        relative=${folder#.}
        relative=${relative#/}
        echo "  SetOutPath \"\$INSTDIR${relative:+\\$(windows_path "$relative")}\""
        find "$stage/$relative" -mindepth 1 -maxdepth 1 -type f | LC_ALL=C sort | while read -r file; do
            echo "  File \"$file\""
        done
    done < <(cd "$stage" && find . -type d | LC_ALL=C sort)
    echo '!macroend'
    echo '!macro RemoveFiles'
    (cd "$stage" && find . -type f | LC_ALL=C sort) | while read -r file; do
        echo "  Delete \"\$INSTDIR\\$(windows_path "${file#./}")\""
    done
    # Deepest first, and only when empty, so that anything the user put there stays.
    (cd "$stage" && find . -mindepth 1 -type d | LC_ALL=C sort -r) | while read -r folder; do
        echo "  RMDir \"\$INSTDIR\\$(windows_path "${folder#./}")\""
    done
    echo '!macroend'
} > "$list"

makensis -V2 "-DVERSION=$version" "-DSTAGE=$stage" "-DFILES=$list" "-DOUTFILE=$outfile" \
    "$root/packaging/zelvora.nsi"
