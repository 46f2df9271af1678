#!/usr/bin/env bash
# Sets everything up, builds, and shows what the program makes of an example drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/native -G Ninja -DZELVORA_SANITIZE=ON
cmake --build build/native
build/native/cli/zelvora-cli info "${1:-examples/industrial_site.Zlv}"
