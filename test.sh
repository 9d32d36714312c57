#!/usr/bin/env bash
# Sets up, builds and runs every test and the page checks, then every test again under the
# sanitizers, then the fuzz targets, then the Windows builds, then the Debian package.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

scripts/build.sh build
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)

# Every shipped template's page, checked by the Nu HTML checker and by axe-core in Chromium.
tests/pages/check-pages.sh build/app/affiliate-vantor-cli

# The window's tests too; ON also replaces the OFF that older runs left in the cache.
scripts/build.sh build-sanitize -DVANTOR_BUILD_UI=ON -DVANTOR_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
(cd build-sanitize && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
    UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j2)

# The fuzz targets: replay their seeds, then fuzz each for 10 seconds.
scripts/fuzz.sh 10

# The core and the CLI built for Windows, tested under Wine.
scripts/test-windows.sh

# The Windows wizard needs a Qt for Windows, whose build takes half an hour; it is tested
# whenever the machine has one.
if scripts/windows-qt.sh --if-built >/dev/null; then
    scripts/package-windows.sh --check >/dev/null
else
    echo "Skipped the Windows wizard's check: no Qt for Windows here (scripts/windows-qt.sh builds it)."
fi

# The Debian package, unpacked and run by a user who cannot write its program folder.
deb=$(scripts/package.sh)
tests/package/package-test.sh "$deb"

echo "All tests passed."
