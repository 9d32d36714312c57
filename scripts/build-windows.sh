#!/usr/bin/env bash
# Cross-builds the core, the CLI and the core tests for 64-bit Windows: build-windows.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir=${1:-$root/build-windows}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The update signatures' libsodium, built for Windows once and linked statically.
sodium=$("$root/scripts/windows-libsodium.sh" | tail -n 1)
cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DSODIUM_INCLUDE_DIR="$sodium/include" -DSODIUM_LIBRARY="$sodium/lib/libsodium.a" \
    -DVANTOR_BUILD_UI=OFF -DVANTOR_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build_dir" -j2
