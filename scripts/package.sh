#!/usr/bin/env bash
# Builds the Debian package from a Release build: package.sh [BUILD_DIR] (default build-package).
# The build's messages go to standard error; standard output gets the package's path.
# VANTOR_UPDATE_PUBLIC_KEY=KEY builds it with the shipper's update key (docs/updates.md).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-package}

scripts/build.sh "$build_dir" -DCMAKE_BUILD_TYPE=Release \
    -DVANTOR_BUILD_TESTS=OFF -DVANTOR_BUILD_BENCH=OFF -DVANTOR_BUILD_FUZZ=OFF \
    -DVANTOR_UPDATE_PUBLIC_KEY="${VANTOR_UPDATE_PUBLIC_KEY:-}" >&2
rm -f "$build_dir"/affiliate-vantor_*.deb
(cd "$build_dir" && cpack -G DEB) >&2
cd "$build_dir" && ls "$PWD"/affiliate-vantor_*.deb
