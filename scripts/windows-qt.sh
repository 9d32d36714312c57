#!/usr/bin/env bash
# Builds Qt 6 Core, Gui, Widgets and the windows platform plugin for x86_64-w64-mingw32 from the
# qt6-base source in Debian's archive, with Debian's host Qt tools, into a cache folder outside
# the tree. Does nothing when that folder already holds it. Prints the prefix.
#   windows-qt.sh --if-built   prints the prefix when it is built, else fails; builds nothing
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/affiliate-vantor-build"
prefix="$cache/qt6-mingw"
if [ -x "$prefix/bin/qt-cmake" ]; then
    echo "$prefix"
    exit 0
fi
[ "${1:-}" != --if-built ] || exit 1

"$root/scripts/install-deps.sh" dpkg-dev ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev-tools

source_dir=$("$root/scripts/debian-source.sh" qt6-base "$cache/qt6-base-source")

# Qt's qt.toolchain.cmake records this file's path, so it stays at a fixed place.
toolchain="$cache/mingw-w64.cmake"
cp "$root/cmake/mingw-w64.cmake" "$toolchain"

build="$cache/qt6-base-build"
rm -rf "$build"
mkdir -p "$build"
# The source lacks src/3rdparty/wintab, so tablets and Direct2D (and with it DirectWrite 3)
# stay off; OpenGL is not needed by a Widgets program.
cmake -S "$source_dir" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_testlib=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF \
    -DINPUT_opengl=no
cmake --build "$build" --parallel 2
cmake --install "$build"
rm -rf "$build"
echo "$prefix"
