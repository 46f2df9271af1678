#!/usr/bin/env bash
# Configures and builds the native tree (with sanitizers) and the Windows tree (MinGW-w64).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build/native -G Ninja -DZELVORA_SANITIZE=ON
cmake --build build/native

cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
cmake --build build/windows
