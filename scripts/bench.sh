#!/usr/bin/env bash
# Builds the Ad/Am benchmark in an optimised tree and runs it; arguments go to the benchmark
# (--quick for the three small drawings, --no-reference to time the engine alone, --only NAME for one
# drawing).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release --target ad_am_bench
build/release/bench/ad_am_bench "$@"
