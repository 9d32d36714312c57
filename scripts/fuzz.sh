#!/usr/bin/env bash
# Builds the fuzz targets with clang and the sanitizers, replays each target's seed corpus and
# fuzzes it for a while. A crash, a sanitizer report or an input taking over 10 s fails.
#   scripts/fuzz.sh [SECONDS_PER_TARGET]      (default 10)
# New inputs that reach new code are kept in build-fuzz/found/<target>/, not in the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}

compiler=""
for candidate in clang++ clang++-14; do
    command -v "$candidate" >/dev/null && { compiler=$candidate; break; }
done
if [ -z "$compiler" ]; then
    echo "No clang++ found; the fuzz targets are not built."
    exit 0
fi

scripts/build.sh build-fuzz -DCMAKE_CXX_COMPILER="$compiler" -DVANTOR_BUILD_FUZZ=ON \
    -DVANTOR_BUILD_UI=OFF -DVANTOR_BUILD_TESTS=OFF -DVANTOR_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"

while read -r target; do
    [ -n "$target" ] || continue
    found="build-fuzz/found/$target"
    mkdir -p "$found"
    log="build-fuzz/$target.log"
    echo "Fuzzing $target for $seconds s (log: $log)"
    if ! UBSAN_OPTIONS=print_stacktrace=1 "build-fuzz/fuzz/${target}_fuzzer" \
        -max_total_time="$seconds" -timeout=10 -artifact_prefix="build-fuzz/$target-" \
        "$found" "fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "Fuzz target $target failed; the input that failed is beside $log." >&2
        exit 1
    fi
done < build-fuzz/fuzz/targets.txt
echo "Every fuzz target ran clean."
