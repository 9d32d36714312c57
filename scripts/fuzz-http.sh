#!/usr/bin/env bash
# Builds the HTTP parsers' libFuzzer target with clang and runs it: fuzz-http.sh [SECONDS]
# Without clang it says so and succeeds. New inputs go to build-fuzz/corpus/http_parsers/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}

clang=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$clang" ]; then
    echo "clang++ not found; the HTTP parsers are not fuzzed."
    exit 0
fi
out=build-fuzz
mkdir -p "$out/corpus/http_parsers"
"$clang" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc \
    fuzz/HttpParsersFuzz.cpp src/update/HttpLine.cpp src/update/ResponseHead.cpp \
    src/update/ChunkedBody.cpp src/util/CaseFolding.cpp src/util/TextEncoding.cpp \
    -o "$out/http_parsers_fuzz"
"$out/http_parsers_fuzz" -max_total_time="$seconds" -max_len=20000 -print_final_stats=1 \
    "$out/corpus/http_parsers" fuzz/corpus/http_parsers
