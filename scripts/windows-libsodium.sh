#!/usr/bin/env bash
# Builds libsodium as a static library for x86_64-w64-mingw32 from the libsodium source in
# Debian's archive, into a cache folder outside the tree. Does nothing when that folder already
# holds it. Prints the prefix (include/sodium.h, lib/libsodium.a).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/affiliate-vantor-build"
prefix="$cache/libsodium-mingw"
if [ -f "$prefix/lib/libsodium.a" ] && [ -f "$prefix/include/sodium.h" ]; then
    echo "$prefix"
    exit 0
fi

"$root/scripts/install-deps.sh" dpkg-dev make autoconf automake libtool \
    g++-mingw-w64-x86-64-posix >&2
source_dir=$("$root/scripts/debian-source.sh" libsodium "$cache/libsodium-source")
# Debian's source is a snapshot of the repository, without the configure script; Debian makes it
# with autoreconf too.
[ -x "$source_dir/configure" ] || (cd "$source_dir" && autoreconf -fi >/dev/null 2>&1)

build="$cache/libsodium-build"
rm -rf "$build" "$prefix"
mkdir -p "$build"
# The stack protector would need mingw's libssp beside the programs, which run with no DLL.
(cd "$build" && "$source_dir/configure" --host=x86_64-w64-mingw32 --prefix="$prefix" \
    --disable-shared --enable-static --disable-ssp --with-pic=no \
    CC=x86_64-w64-mingw32-gcc-posix CFLAGS="-O2" >/dev/null)
make -C "$build" -j2 >/dev/null
make -C "$build" install >/dev/null
rm -rf "$build"
echo "$prefix"
