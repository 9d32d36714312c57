#!/usr/bin/env bash
# Configures and builds into a folder: build.sh BUILD_DIR [cmake options...]
set -euo pipefail
build_dir=$1
shift
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$(dirname "$0")/.." -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build "$build_dir" -j2
