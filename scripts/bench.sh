#!/usr/bin/env bash
# Builds the benchmarks in an optimised tree and runs one: the Ad/Am benchmark with its arguments
# (--quick for the small drawings, --no-reference to time the engine alone, --only NAME for one
# drawing), with --buffer the engine beside GEOS's buffer-and-union on constant heights (add --quick for
# the small drawings), with --import the import of 10,000 buildings from GeoJSON and DXF (time and peak memory;
# files given after it are measured too), with --assess
# the assessment of 10,000 buildings apart and in terraces (a thread count may follow), with --large one
# round polygon of many vertices (counts, --rounded for coordinates rounded as a file holds them, and
# --stops for the longest wait after a stop may follow), or with
# --history the undo history on drawings of 600 to 600,000 vertices, or with --structures-window the
# Structures window listing the 10,000 buildings (a count of rows of 100 may follow), under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
if [ "${1:-}" = "--import" ]; then
    cmake --build build/release --target import_bench
    build/release/bench/import_bench build/release "${@:2}"
elif [ "${1:-}" = "--assess" ]; then
    cmake --build build/release --target assess_bench
    build/release/bench/assess_bench build/release "${2:-0}"
elif [ "${1:-}" = "--large" ]; then
    cmake --build build/release --target large_polygon_bench
    build/release/bench/large_polygon_bench "${@:2}"
elif [ "${1:-}" = "--buffer" ]; then
    cmake --build build/release --target buffer_bench
    shift
    build/release/bench/buffer_bench "$@"
elif [ "${1:-}" = "--structures-window" ]; then
    cmake -S . -B build/release-windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
    cmake --build build/release-windows --target structures_window_bench
    . scripts/wine_env.sh
    xvfb-run -a sh -c "wineserver -p; wine build/release-windows/bench/structures_window_bench.exe ${2:-100}; wineserver -k"
elif [ "${1:-}" = "--history" ]; then
    cmake --build build/release --target history_bench
    build/release/bench/history_bench
else
    cmake --build build/release --target ad_am_bench
    build/release/bench/ad_am_bench "$@"
fi
